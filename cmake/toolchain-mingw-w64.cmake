# Cross build for Windows with mingw-w64's posix thread model (std::thread needs it), for the target
# triple that the architecture's toolchain file sets (toolchain-i686-w64-mingw32.cmake for the
# program we ship, toolchain-x86_64-w64-mingw32.cmake for 64-bit Windows). Executables link libgcc,
# libstdc++ and winpthread statically, so they import system DLLs only. LARKHOLM_WINDOWS_DEPS names
# the prefix tools/build-windows-deps.sh built the libraries into.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Windows 7 SP1 is the oldest system the wizard runs on.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DWINVER=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DWINVER=0x0601")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LARKHOLM_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(LARKHOLM_WINDOWS_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${LARKHOLM_WINDOWS_DEPS})
  set(ENV{PKG_CONFIG_LIBDIR} ${LARKHOLM_WINDOWS_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
