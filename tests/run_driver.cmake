# Runs st_nubera_script on a scenario and compares its output with the expected transcript.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${DRIVER} --dir ${WORK}
  INPUT_FILE ${SCENARIO} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
file(READ ${EXPECTED} expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "driver exited with ${rc}:\n${out}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "transcript differs.\n--- got\n${out}--- expected\n${expected}")
endif()
