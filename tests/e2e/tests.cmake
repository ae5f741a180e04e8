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
