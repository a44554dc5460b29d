# The same source for 64-bit Windows (cmake/toolchain-mingw-w64.cmake).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-w64.cmake)
