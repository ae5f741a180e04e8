# End-to-end tests: real processes of the built program.
add_library(zv_e2e STATIC e2e/support/ProgramProcess.cpp e2e/support/ProgramSettings.cpp
            e2e/support/RemoteListView.cpp)
target_link_libraries(zv_e2e PUBLIC zv_wintest)

zv_test(e2e_startup TIMEOUT 90
  LIBS zv_e2e
  SOURCES e2e/StartupTest.cpp)
add_dependencies(e2e_startup Zentravue)

zv_test(e2e_language_start TIMEOUT 180
  LIBS zv_e2e
  SOURCES e2e/LanguageStartTest.cpp)
add_dependencies(e2e_language_start Zentravue)

zv_test(e2e_handover TIMEOUT 240
  LIBS zv_e2e
  SOURCES e2e/HandOverTest.cpp)
add_dependencies(e2e_handover Zentravue)

zv_test(e2e_command_line_start TIMEOUT 180
  LIBS zv_e2e
  SOURCES e2e/CommandLineStartTest.cpp)
add_dependencies(e2e_command_line_start Zentravue)

zv_test(e2e_opening TIMEOUT 240
  LIBS zv_e2e
  SOURCES e2e/OpeningTest.cpp)
add_dependencies(e2e_opening Zentravue)

zv_test(e2e_system TIMEOUT 240
  LIBS zv_e2e zv_systemtest
  SOURCES e2e/UpdateTest.cpp e2e/UninstallTest.cpp)
add_dependencies(e2e_system Zentravue)
set_tests_properties(e2e_system PROPERTIES FIXTURES_REQUIRED update_server)

zv_test(e2e_remote_control TIMEOUT 600
  LIBS zv_e2e
  SOURCES e2e/RemoteControlTest.cpp)
add_dependencies(e2e_remote_control Zentravue)

# The real shutdown request in a throwaway prefix (a script around a client).
add_executable(e2e_shutdown_client e2e/ShutdownClient.cpp)
target_link_libraries(e2e_shutdown_client PRIVATE zv_e2e)
target_include_directories(e2e_shutdown_client PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(e2e_shutdown_client Zentravue)
add_test(NAME e2e_shutdown_session
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/shutdown-session-test.sh $<TARGET_FILE:e2e_shutdown_client>)
set_tests_properties(e2e_shutdown_session PROPERTIES TIMEOUT 400
  ENVIRONMENT "ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZV_BUILD_DIR=${CMAKE_BINARY_DIR}")
