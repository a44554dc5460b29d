# Windows test executables run under Wine, in one 64-bit prefix made at the start of each CTest run,
# by the loader of the build's architecture (tools/wine-run.sh). Included by tests/CMakeLists.txt
# when cross-building for Windows.
set(LARKHOLM_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(LARKHOLM_WINE_RUN ${PROJECT_SOURCE_DIR}/tools/wine-run.sh --arch ${LARKHOLM_WINDOWS_ARCH})
set(CMAKE_CROSSCOMPILING_EMULATOR ${LARKHOLM_WINE_RUN} ${LARKHOLM_WINE_PREFIX})

add_test(NAME WinePrefix.Boot COMMAND ${LARKHOLM_WINE_RUN} --boot ${LARKHOLM_WINE_PREFIX})
add_test(NAME WinePrefix.Stop COMMAND ${LARKHOLM_WINE_RUN} --stop ${LARKHOLM_WINE_PREFIX})
set_tests_properties(WinePrefix.Boot PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
set_tests_properties(WinePrefix.Stop PROPERTIES FIXTURES_CLEANUP wine_prefix)

# larkholm_add_wine_test(TARGET [NAME name ARGS args... ENVIRONMENT vars...]): the whole suite as one
# test, since every Wine process costs a start-up; the suite's own output names the failing case. A
# NAME runs the suite again as another test, with its own arguments and environment. Every suite
# runs under the C.UTF-8 locale (code page 1252) unless its ENVIRONMENT chooses another: LANG
# chooses Wine's code page and how it names Unix files, whoever runs the tests. Every suite starts
# once the test programs are signed.
function(larkholm_add_wine_test target)
  cmake_parse_arguments(ARG "" "NAME" "ARGS;ENVIRONMENT" ${ARGN})
  set(name ${target})
  if(ARG_NAME)
    set(name ${ARG_NAME})
  endif()
  add_test(NAME ${name} COMMAND ${target} --gtest_color=no ${ARG_ARGS})
  # Installers are proven against the signer of the programs tests/testing/sign-test-programs.sh
  # signs for the run.
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine_prefix;signed_programs" TIMEOUT 900
                       ENVIRONMENT "LANG=C.UTF-8;LARKHOLM_TEST_BINARY_DIR=${CMAKE_BINARY_DIR};LARKHOLM_WIC_SIGNER=Larkholm Test Signer;LARKHOLM_DOTNET_SIGNER=Larkholm Test Signer;${ARG_ENVIRONMENT}")
  if(NOT ARG_NAME)
    set_property(GLOBAL APPEND PROPERTY larkholm_wine_tests ${target})
  endif()
endfunction()

# Checked once every suite is declared: the test suites, the programs the build ships (global
# property larkholm_windows_programs) and the shipped program of another build folder, where one is
# named, import nothing the system lacks.
function(larkholm_add_import_check)
  get_property(suites GLOBAL PROPERTY larkholm_wine_tests)
  get_property(programs GLOBAL PROPERTY larkholm_windows_programs)
  set(targets ${suites} ${programs})
  set(files ${LARKHOLM_SHIPPED_SETUP_EXE})
  foreach(target ${targets})
    list(APPEND files $<TARGET_FILE:${target}>)
  endforeach()
  add_test(NAME WindowsImports.SystemDllsOnly
           COMMAND ${PROJECT_SOURCE_DIR}/tools/check-windows-imports.sh ${LARKHOLM_WINE_PREFIX} ${files})
  set_tests_properties(WindowsImports.SystemDllsOnly PROPERTIES FIXTURES_REQUIRED wine_prefix)
endfunction()
