# The installer in a fresh Wine prefix of its own (installer-test.sh builds
# the installer with tools/package.sh and compares the registry before the
# install and after the uninstall).
add_executable(installer_checks installer/InstallerTest.cpp)
target_link_libraries(installer_checks PRIVATE zv_e2e GTest::gtest)
target_include_directories(installer_checks PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(installer_checks PRIVATE -municode)
add_dependencies(installer_checks Zentravue)
add_test(NAME installer
         COMMAND ${CMAKE_SOURCE_DIR}/tests/installer/installer-test.sh $<TARGET_FILE:installer_checks>
                 ${CMAKE_BINARY_DIR}/test-results/installer.xml)
set_tests_properties(installer PROPERTIES TIMEOUT 600
  ENVIRONMENT "ZV_TEST_TIMEOUT=300;ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZV_BUILD_DIR=${CMAKE_BINARY_DIR}")
