# Runs vantrel-sim's demo through a command prefix (wine for the Windows
# build) and compares what it prints with the reviewed output; a Windows
# console program ends its lines with CR LF.
#   cmake -DPROGRAM=<vantrel-sim> -DSOURCE_DIR=<sources> [-DRUNNER=<a;b;...>]
#         -P demo_output_test.cmake
execute_process(
  COMMAND ${RUNNER} ${PROGRAM} examples/demo.scn --timeline examples/demo.timeline
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
string(REPLACE "\r\n" "\n" output "${output}")
file(READ ${SOURCE_DIR}/tests/expected/demo.txt expected)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the demo ended with status ${status}: ${errors}")
endif()
if(NOT output STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/demo-output.txt "${output}")
  message(FATAL_ERROR "the demo's output differs from tests/expected/demo.txt; it is in "
                      "${CMAKE_CURRENT_BINARY_DIR}/demo-output.txt")
endif()
