# What differs between the 32-bit program we ship and the same source built for 64-bit Windows,
# decided here once from the target's pointer size. The program itself needs no such choice: the
# shell gives each process its own program files folder, the system redirects a 32-bit program's
# system folder, and a registry key opened without a view flag is read in the caller's own view.
#   LARKHOLM_WINDOWS_ARCH            i686 or x86_64: the Wine loader of the tests, the tests'
#                                    expectations of folders and registry views
#   LARKHOLM_MANIFEST_ARCHITECTURE   the manifest's processorArchitecture
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(LARKHOLM_WINDOWS_ARCH x86_64)
  set(LARKHOLM_MANIFEST_ARCHITECTURE amd64)
else()
  set(LARKHOLM_WINDOWS_ARCH i686)
  set(LARKHOLM_MANIFEST_ARCHITECTURE x86)
endif()

# The tests of a build that is not the shipped 32-bit one also check the shipped larkholm-setup.exe
# of the other build folder, made by tools/build-windows.sh (tools/test.sh names it).
set(LARKHOLM_SHIPPED_SETUP_EXE "" CACHE FILEPATH "The 32-bit larkholm-setup.exe the tests also check")
