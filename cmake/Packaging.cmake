# `cpack -G DEB` in the build folder makes one Debian package of the whole kit,
# installing into /usr, which lintian accepts without errors or warnings
# (tools/test.sh checks it). The shared libraries it needs are found by
# dpkg-shlibdeps (package dpkg-dev); what the programs load at run time
# without linking it is named here: a General MIDI sound font for the music
# and a Japanese font for the interface. Qt's X11 platform plugin comes with
# libqt6gui6, which the libraries already pull in; the Wayland one is
# recommended. The desktop's caches (menu entries, file types, icons) are
# refreshed by the dpkg triggers of desktop-file-utils, shared-mime-info and
# hicolor-icon-theme, so the package needs no maintainer scripts.
set(CPACK_PACKAGE_NAME jigsaw-kit)
set(CPACK_PACKAGE_VENDOR "The jigsaw kit developers")
set(CPACK_PACKAGE_CONTACT "Jigsaw Kit Maintainers <jigsaw-kit@users.noreply.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jigsaw puzzle player and maker")
set(CPACK_PACKAGE_DESCRIPTION
  "Vorpel deals the pieces of a jigsaw puzzle into a tray and lets you assemble
the picture with the mouse on a board: pieces are carried, turned, snapped to
their true neighbours and joined into groups. It keeps the time, saves games
in progress, plays music and sounds and frames the finished picture.
Kestra makes puzzles for it from BMP, JPEG and PNG pictures, in sixteen sizes
from 12 to 1000 pieces. The user interface is Japanese, or English where the
desktop speaks another language.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# The package is native (its version has no Debian revision), so its
# changelog is usr/share/doc/jigsaw-kit/changelog.gz. Its newest entry must
# be the version being packaged.
set(changelog ${CMAKE_SOURCE_DIR}/packaging/changelog)
file(STRINGS ${changelog} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^${CPACK_PACKAGE_NAME} \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "The newest entry of ${changelog} is not version ${PROJECT_VERSION}: ${newest}")
endif()
jigsaw_gzip(${changelog} ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${doc_dir} RENAME copyright)

include(CPack)
