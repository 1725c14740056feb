# Runs st_nubera_script on a scenario and compares its output with the expected transcript.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(dir ${WORK})
if(EMULATOR)
  set(dir "Z:${WORK}")  # a Windows program under Wine
endif()
execute_process(COMMAND ${EMULATOR} ${DRIVER} --dir ${dir}
  INPUT_FILE ${SCENARIO} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
file(READ ${EXPECTED} expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "driver exited with ${rc}:\n${out}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "transcript differs.\n--- got\n${out}--- expected\n${expected}")
endif()
