# Where the kit is installed under any prefix, as Debian lays out games:
# the programs in <prefix>/games, their data in <prefix>/share/<program>
# (which they find relative to their own folder, desktop/data_files.h),
# manual pages in <prefix>/share/man. Included before the subfolders, whose
# install rules use it.
include(GNUInstallDirs)
set(JIGSAW_INSTALL_GAMESDIR games)

# Compresses `source` into `output` with gzip -9n (no name, no time stamp,
# so the result depends on the content alone), as Debian installs manual
# pages and changelogs. The caller makes a target depend on `output`.
function(jigsaw_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${source} ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}"
    VERBATIM)
endfunction()

# Installs a desktop entry whose Exec names the program by its installed
# path, <prefix>/games/<program>, worked out at install time: /usr in the
# package, or whatever prefix cmake --install is given. Desktops do not all
# search <prefix>/games, so the entry does not rely on PATH.
function(jigsaw_install_desktop_entry source)
  get_filename_component(name ${source} NAME)
  install(CODE "
    set(jigsaw_entry_source \"${source}\")
    set(jigsaw_entry_staged \"${CMAKE_CURRENT_BINARY_DIR}/installed/${name}\")
    set(jigsaw_entry_programs \"${JIGSAW_INSTALL_GAMESDIR}\")
    set(jigsaw_entry_destination \"${CMAKE_INSTALL_DATADIR}/applications\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/install_desktop_entry.cmake\")")
endfunction()
