# The callback slots as Microsoft's C++ ABI lays them out. The simulator is
# built with Microsoft's compiler, which orders a class's new virtual functions
# by where each name is first mentioned in the class, not by the first
# declaration of each function; clang follows that rule for the MSVC targets.
# This compiles the source that emits the ring's virtual table for such a
# target, has clang dump the layout, and compares every slot with the
# callback table: the name, the argument list, and whether the ring answers
# the slot itself or keeps the simulator's default.
#
# Usage: cmake -D CLANGXX=<clang++> -D TARGET=<triple> -D SOURCE_DIR=<src>
#              -D SYSTEM_HEADERS=<stand-in headers> -D EXPECTED=<table file>
#              -P check_msvc_slots.cmake

cmake_minimum_required(VERSION 3.25)

foreach(variable CLANGXX TARGET SOURCE_DIR SYSTEM_HEADERS EXPECTED)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_msvc_slots: ${variable} not given")
  endif()
endforeach()

set(table_source ${SOURCE_DIR}/vessel/vantrel.cpp)  # defines the constructor
execute_process(
  COMMAND ${CLANGXX} --target=${TARGET} -std=c++17 -fno-rtti -fno-exceptions
          -nostdlibinc -isystem ${SYSTEM_HEADERS} -I${SOURCE_DIR} -Xclang -fdump-vtable-layouts -S -o /dev/null ${table_source}
  OUTPUT_VARIABLE dump
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${table_source}: ${TARGET} compile failed (${status}):\n${errors}")
endif()

# The ring's table: the one whose path ends in 'vantrel'.
set(heading "VFTable for 'VESSEL2' in 'VESSEL3' in 'vantrel'")
string(FIND "${dump}" "${heading}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${table_source}: ${TARGET}: no virtual table for vantrel in the dump")
endif()
string(SUBSTRING "${dump}" ${start} -1 dump)
string(FIND "${dump}" "\n\n" end)
string(SUBSTRING "${dump}" 0 ${end} dump)
string(REPLACE "\n" ";" dump_lines "${dump}")
list(POP_FRONT dump_lines heading_line)

set(slots "")
foreach(line IN LISTS dump_lines)
  if(NOT line MATCHES "^ *([0-9]+) \\| (.*)$")
    message(FATAL_ERROR "${table_source}: ${TARGET}: unreadable line in the dump: '${line}'")
  endif()
  list(APPEND slots "${CMAKE_MATCH_2}")
endforeach()

file(STRINGS ${EXPECTED} rows)
list(LENGTH rows row_count)
list(LENGTH slots slot_count)
set(faults 0)
if(NOT slot_count EQUAL row_count)
  message(NOTICE "${table_source}: ${TARGET}: ${slot_count} slots ('${heading_line}'), "
                     "the callback table has ${row_count}")
  math(EXPR faults "${faults} + 1")
endif()
math(EXPR last "${row_count} - 1")
foreach(slot RANGE ${last})
  list(GET rows ${slot} row)
  set(answer "(none)")
  if(slot LESS slot_count)
    list(GET slots ${slot} answer)
  endif()
  if(NOT answer STREQUAL row)
    math(EXPR line_number "${slot} + 1")
    message(NOTICE "${EXPECTED}:${line_number}: ${TARGET}: slot ${slot} holds "
                       "'${answer}', the callback table has '${row}'")
    math(EXPR faults "${faults} + 1")
  endif()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${TARGET}: ${faults} of ${row_count} callback slots differ")
endif()
message(STATUS "${TARGET}: all ${row_count} callback slots match the callback table")
