# The program we ship: 32-bit Windows (cmake/toolchain-mingw-w64.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-w64.cmake)
