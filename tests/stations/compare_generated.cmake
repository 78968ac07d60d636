# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the station generator into OUTPUT and fails unless the result equals
# EXPECTED byte for byte.
foreach(var GENERATOR OUTPUT EXPECTED)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare_generated.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed with status ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "generated table ${OUTPUT} differs from ${EXPECTED}; "
                      "compare them with diff and regenerate if the change is intended")
endif()
