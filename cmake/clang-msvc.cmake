# Windows images in Microsoft's C++ ABI, built by clang and lld-link without
# Microsoft's headers or libraries: the project's stand-in headers and
# start-up code in msvc/ take their place, and the import libraries are made
# from .def files. x86_64; msvc/CMakeLists.txt adds the i686 images by
# target options.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)

# Nothing links without the start-up code, which the project builds itself.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# No Microsoft libraries: the platform's default list would name them.
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every image" FORCE)
set(CMAKE_MSVC_RUNTIME_LIBRARY "")

set(VANTREL_MSVC_ABI ON)
