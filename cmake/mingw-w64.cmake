# Cross build for Windows with MinGW-w64. VANTREL_MINGW_ARCH picks the target:
# x86_64 (the default; its tests run under wine) or i686 (built and linked
# only: running it needs 32-bit wine). The -posix compilers are the ones whose
# standard library has std::mutex and std::thread, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VANTREL_MINGW_ARCH)
  set(VANTREL_MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${VANTREL_MINGW_ARCH})
set(mingw ${VANTREL_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_OBJDUMP ${mingw}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program and module carries its C++ run-time inside: no MinGW DLLs to
# ship beside it or to find on wine's path.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Tests run under wine in a prefix of the build tree's own.
if(VANTREL_MINGW_ARCH STREQUAL "x86_64")
  find_program(VANTREL_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
  find_program(VANTREL_WINE64 NAMES wine64 wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_CURRENT_LIST_DIR}/wine-run ${VANTREL_WINE64} ${CMAKE_BINARY_DIR}/wine)
endif()
