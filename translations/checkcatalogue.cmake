# Runs lupdate over the sources into a copy of the catalogue and fails when
# the copy has an unfinished entry: a text of the sources without its English
# translation, or a translation left marked unfinished.
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
file(COPY_FILE ${TS} ${WORK}/${name})
execute_process(
  COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${WORK}/${name}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${out}\n${err}")
endif()
file(STRINGS ${WORK}/${name} lines)
set(unfinished 0)
set(previous "")
foreach(line IN LISTS lines)
  if(line MATCHES "type=\"unfinished\"")
    math(EXPR unfinished "${unfinished} + 1")
    message("no English text for: ${previous}")
  endif()
  if(line MATCHES "<source>")
    set(previous "${line}")
  endif()
endforeach()
if(unfinished GREATER 0)
  message(FATAL_ERROR "${unfinished} unfinished entries in ${name}: "
    "run `cmake --build <build> --target lobus_lupdate` and translate them")
endif()
message("${name}: every text has its translation")
