# The end-to-end run of the Windows build: the real larkholm-setup.exe under Wine on Xvfb, against
# the demo install service built for this machine (an imported tool of the cross build) serving the
# demo's Windows programs. The test runs on the build machine, not through the Wine emulator, and
# boots a prefix of its own for each case.
if(NOT TARGET larkholm-setup OR NOT TARGET larkholm-demo-service)
  return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# One CTest entry per case, so a failure names its case.
foreach(case
    test_full_install_matches_unzip_and_starts_the_program
    test_wrong_password_shows_the_services_message_and_quits_cleanly
    test_missing_components_are_downloaded_installed_and_detected
    test_component_download_failure_ends_on_the_manual_download_page
    test_very_silent_install_opens_no_window_and_ends_with_0
    test_install_then_quiet_uninstall_leaves_the_prefix_as_it_was)
  add_test(NAME WizardWineEndToEnd.${case}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wizard_wine_e2e_test.py
                   --arch ${LARKHOLM_WINDOWS_ARCH} --wizard $<TARGET_FILE:larkholm-setup>
                   --service $<TARGET_FILE:larkholm-demo-service>
                   --site-dir $<TARGET_PROPERTY:larkholm_demo_windows_content,SITE_DIR>
                   --package-dir $<TARGET_PROPERTY:larkholm_demo_windows_content,PACKAGE_DIR>
                   WizardWineEndToEndTest.${case})
  set_tests_properties(WizardWineEndToEnd.${case} PROPERTIES TIMEOUT 1200)
endforeach()
