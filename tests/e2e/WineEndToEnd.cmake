# The end-to-end run of the Windows build: the real larkholm-setup.exe under Wine on Xvfb, against
# the demo install service built for this machine (an imported tool of the cross build) serving the
# demo's Windows programs. The test runs on the build machine, not through the Wine emulator, and
# boots a prefix of its own for each case.
if(NOT TARGET larkholm-setup OR NOT TARGET larkholm-demo-service)
  return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# One CTest entry per case, so a failure names its case; the full install runs again under a Chinese
# system locale (ANSI code page 936), the package's Chinese names under both code pages.
foreach(case_locale
    test_full_install_matches_unzip_and_starts_the_program=C.UTF-8
    test_full_install_matches_unzip_and_starts_the_program=zh_CN.UTF-8
    test_wrong_password_shows_the_services_message_and_quits_cleanly=C.UTF-8
    test_missing_components_are_downloaded_installed_and_detected=C.UTF-8
    test_component_download_failure_ends_on_the_manual_download_page=C.UTF-8
    test_a_tampered_installer_is_refused_retried_and_never_started=C.UTF-8
    test_very_silent_install_opens_no_window_and_ends_with_0=C.UTF-8
    test_install_then_quiet_uninstall_leaves_the_prefix_as_it_was=C.UTF-8
    test_system_dpi_of_144_draws_the_window_at_150_percent=C.UTF-8
    test_a_program_still_using_the_package_is_named_and_the_install_tries_again=C.UTF-8)
  string(REPLACE "=" ";" case_locale ${case_locale})
  list(GET case_locale 0 case)
  list(GET case_locale 1 locale)
  set(name WizardWineEndToEnd.${case})
  if(NOT locale STREQUAL "C.UTF-8")
    set(name ${name}.${locale})
  endif()
  add_test(NAME ${name}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wizard_wine_e2e_test.py
                   --arch ${LARKHOLM_WINDOWS_ARCH} --wizard $<TARGET_FILE:larkholm-setup>
                   --service $<TARGET_FILE:larkholm-demo-service>
                   --site-dir $<TARGET_PROPERTY:larkholm_demo_windows_content,SITE_DIR>
                   --package-dir $<TARGET_PROPERTY:larkholm_demo_windows_content,PACKAGE_DIR>
                   --holder $<TARGET_FILE:hold-file> --trust-root $<TARGET_FILE:trust-root>
                   --locale ${locale} WizardWineEndToEndTest.${case})
  set_tests_properties(${name} PROPERTIES TIMEOUT 1200)
endforeach()
