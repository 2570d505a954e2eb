# Writes the bundled examples into OUT with GENERATOR and compares every
# file with the committed ones in EXAMPLES using COMPARE: byte for byte, except
# that a number may differ by one unit in its last printed digit, which is
# where the maths library of another machine may round otherwise.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${GENERATOR}" "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lobus-examples failed: ${rc}")
endif()
file(GLOB_RECURSE fresh RELATIVE "${OUT}" "${OUT}/*")
file(GLOB_RECURSE committed RELATIVE "${EXAMPLES}" "${EXAMPLES}/DANE/*" "${EXAMPLES}/WYN/*")
list(SORT fresh)
list(SORT committed)
if(NOT fresh STREQUAL committed)
  message(FATAL_ERROR "different case files: generated [${fresh}], committed [${committed}]")
endif()
foreach(f IN LISTS fresh)
  execute_process(COMMAND "${COMPARE}" "${OUT}/${f}" "${EXAMPLES}/${f}" RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "${f} differs from the generator's output; regenerate with: lobus-examples examples")
  endif()
endforeach()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: ${fresh}")
