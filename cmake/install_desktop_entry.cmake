# Run at install time by jigsaw_install_desktop_entry: copies the entry with
# "Exec=<program> ..." turned into "Exec=<prefix>/<programs>/<program> ...".
file(READ "${jigsaw_entry_source}" entry)
if(NOT entry MATCHES "\nExec=([^ \n]+)")
  message(FATAL_ERROR "${jigsaw_entry_source} has no Exec line")
endif()
set(name "${CMAKE_MATCH_1}")
set(program "${CMAKE_INSTALL_PREFIX}/${jigsaw_entry_programs}/${name}")
# A path with characters the desktop entry format reserves goes in double
# quotes, with " ` $ \ escaped by a backslash; the file then doubles every
# backslash, as it does in any string value.
if(program MATCHES "[] \t\"'\\\\<>~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
  set(program "\"${program}\"")
  string(REPLACE "\\" "\\\\" program "${program}")
endif()
string(REPLACE "\nExec=${name}" "\nExec=${program}" entry "${entry}")
file(WRITE "${jigsaw_entry_staged}" "${entry}")
file(INSTALL "${jigsaw_entry_staged}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${jigsaw_entry_destination}")
