# Runs lupdate over a copy of TS_FILE with the sources listed in SOURCES_LIST
# and fails when the result has a text without a finished translation, or
# keeps a translation whose text is gone from the sources.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(ts_name ${TS_FILE} NAME)
set(copy ${WORK_DIR}/${ts_name})
file(COPY_FILE ${TS_FILE} ${copy})
file(STRINGS ${SOURCES_LIST} sources)
# Without -no-obsolete, so that translations of vanished texts stay visible.
string(REPLACE "-no-obsolete" "" options "${OPTIONS}")
execute_process(COMMAND ${LUPDATE} ${options} ${sources} -ts ${copy}
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${err}")
endif()
file(READ ${copy} ts)
set(problems "")
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"(unfinished|obsolete|vanished)\"" bad "${ts}")
foreach(entry IN LISTS bad)
  string(APPEND problems "  ${entry}\n")
endforeach()
if(problems)
  message(FATAL_ERROR "${ts_name} is not complete (run the update_translations target, then translate):\n${problems}")
endif()
