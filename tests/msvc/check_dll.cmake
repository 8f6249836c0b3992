# A DLL's export and import tables, as llvm-readobj reads them, against the
# expected ones: exactly the module's four entry points, and exactly the
# imports listed in the expected file ("<dll> <name>" per line, in any order).
#
# Usage: cmake -D READOBJ=<llvm-readobj> -D DLL=<file> -D IMPORTS=<file>
#              -P check_dll.cmake
# (or include() it with those variables set).

cmake_minimum_required(VERSION 3.25)

foreach(variable READOBJ DLL IMPORTS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_dll: ${variable} not given")
  endif()
endforeach()

set(expected_exports GetModuleVersion ModuleDate ovcExit ovcInit)

execute_process(COMMAND ${READOBJ} --coff-exports --coff-imports ${DLL}
  OUTPUT_VARIABLE tables ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${DLL}: llvm-readobj failed (${status}): ${errors}")
endif()

# One pass over the listing: "Export {" and "Import {" open a block, "Name:"
# names the export or the imported DLL, "Symbol:" an imported name. lld 14
# leaves an empty, nameless entry at ordinal 0, which exports nothing.
string(REPLACE "\n" ";" lines "${tables}")
set(block "")
set(exports "")
set(imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^(Export|Import) {$")
    set(block ${CMAKE_MATCH_1})
  elseif(line MATCHES "^  Name: (.*)$")
    set(name "${CMAKE_MATCH_1}")
    if(block STREQUAL "Export" AND NOT name STREQUAL "")
      list(APPEND exports "${name}")
    elseif(block STREQUAL "Import")
      set(dll "${name}")
    endif()
  elseif(block STREQUAL "Import" AND line MATCHES "^  Symbol: ([^ ]+) ")
    list(APPEND imports "${dll} ${CMAKE_MATCH_1}")
  endif()
endforeach()

set(faults "")
list(SORT exports)
if(NOT exports STREQUAL expected_exports)
  string(APPEND faults "  exports are '${exports}', not '${expected_exports}'\n")
endif()

file(STRINGS ${IMPORTS} expected_imports)
list(SORT expected_imports)
list(SORT imports)
foreach(import IN LISTS imports)
  if(NOT import IN_LIST expected_imports)
    string(APPEND faults "  unexpected import: ${import}\n")
  endif()
endforeach()
foreach(import IN LISTS expected_imports)
  if(NOT import IN_LIST imports)
    string(APPEND faults "  missing import: ${import}\n")
  endif()
endforeach()

if(NOT faults STREQUAL "")
  message(NOTICE "${DLL}: export or import table differs (expected imports: ${IMPORTS}):\n${faults}")
  message(FATAL_ERROR "${DLL}: tables differ")
endif()
list(LENGTH imports import_count)
message(STATUS "${DLL}: exports ${exports}; ${import_count} imports as expected")
