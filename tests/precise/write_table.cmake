# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the reference program: PROGRAM COUNT > OUTPUT; fails when it fails.
execute_process(COMMAND ${PROGRAM} ${COUNT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${COUNT} failed: ${status}")
endif()
