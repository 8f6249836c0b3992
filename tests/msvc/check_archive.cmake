# The add-on archive as users get it: cpack packs the build's install, the
# archive holds exactly the add-on's files in the simulator's folder layout,
# and the DLL in it has the expected export and import tables.
#
# Usage: cmake -D CPACK=<cpack> -D BUILD_DIR=<build> -D WORK_DIR=<scratch>
#              -D READOBJ=<llvm-readobj> -D IMPORTS=<file> -P check_archive.cmake

cmake_minimum_required(VERSION 3.25)

set(expected_files Config/Vessels/vantrel.cfg Doc/vantrel.txt Modules/vantrel.dll)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
file(GLOB archives ${WORK_DIR}/*.zip)
list(LENGTH archives archive_count)
if(NOT status EQUAL 0 OR NOT archive_count EQUAL 1)
  message(FATAL_ERROR "cpack made ${archive_count} archives (status ${status}):\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${archives}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "(^$|/$)")  # directories and the last line end
list(SORT entries)
message(STATUS "${archives}:")
foreach(entry IN LISTS entries)
  message(STATUS "  ${entry}")
endforeach()
if(NOT entries STREQUAL expected_files)
  message(FATAL_ERROR "${archives}: holds '${entries}', not '${expected_files}'")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archives}
  WORKING_DIRECTORY ${WORK_DIR}/unpacked RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${archives}: cannot be unpacked (${status})")
endif()
set(DLL ${WORK_DIR}/unpacked/Modules/vantrel.dll)
include(${CMAKE_CURRENT_LIST_DIR}/check_dll.cmake)
