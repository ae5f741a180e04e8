# End-to-end tests: real processes of the built program.

# The test program: the player with a hook that answers other processes'
# questions about its window (tests/testprogram), in a folder of its own so
# that the shipped build/win/Zentravue.exe carries no hook.
add_executable(ZentravueTestProgram WIN32 ${CMAKE_SOURCE_DIR}/framework/EntryPoint.cpp
               ${CMAKE_SOURCE_DIR}/app/TheApp.cpp testprogram/PlayerTestHook.cpp $<TARGET_OBJECTS:zentrares>)
set_target_properties(ZentravueTestProgram PROPERTIES OUTPUT_NAME Zentravue
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testprogram)
target_include_directories(ZentravueTestProgram PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(ZentravueTestProgram PRIVATE zentrawin)
target_link_options(ZentravueTestProgram PRIVATE -municode -static -static-libgcc -static-libstdc++)
zv_split_debug_info(ZentravueTestProgram)
target_link_options(ZentravueTestProgram PRIVATE ${ZV_PROGRAM_LINK_OPTIONS})
add_custom_command(TARGET ZentravueTestProgram POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt
          ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/testprogram/)
add_library(zv_e2e STATIC e2e/support/ProgramProcess.cpp e2e/support/ProgramSettings.cpp
            e2e/support/RemoteListView.cpp)
target_link_libraries(zv_e2e PUBLIC zv_wintest)

zv_test(e2e_startup TIMEOUT 90
  LIBS zv_e2e
  SOURCES e2e/StartupTest.cpp)
add_dependencies(e2e_startup Zentravue ZentravueTestProgram)

zv_test(e2e_language_start TIMEOUT 180
  LIBS zv_e2e
  SOURCES e2e/LanguageStartTest.cpp)
add_dependencies(e2e_language_start Zentravue ZentravueTestProgram)

zv_test(e2e_handover TIMEOUT 240
  LIBS zv_e2e
  SOURCES e2e/HandOverTest.cpp)
add_dependencies(e2e_handover Zentravue ZentravueTestProgram)

zv_test(e2e_command_line_start TIMEOUT 180
  LIBS zv_e2e
  SOURCES e2e/CommandLineStartTest.cpp)
add_dependencies(e2e_command_line_start Zentravue ZentravueTestProgram)

zv_test(e2e_opening TIMEOUT 240
  LIBS zv_e2e
  SOURCES e2e/OpeningTest.cpp)
add_dependencies(e2e_opening Zentravue ZentravueTestProgram)

zv_test(e2e_system TIMEOUT 240
  LIBS zv_e2e zv_systemtest
  SOURCES e2e/UpdateTest.cpp e2e/UninstallTest.cpp)
add_dependencies(e2e_system Zentravue ZentravueTestProgram)
set_tests_properties(e2e_system PROPERTIES FIXTURES_REQUIRED update_server)

zv_test(e2e_repairs TIMEOUT 300
  LIBS zv_e2e
  SOURCES e2e/RepairsTest.cpp)
add_dependencies(e2e_repairs Zentravue ZentravueTestProgram)
zv_test(e2e_remote_control TIMEOUT 600
  LIBS zv_e2e
  SOURCES e2e/RemoteControlTest.cpp)
add_dependencies(e2e_remote_control Zentravue ZentravueTestProgram)

# The real shutdown request in a throwaway prefix (a script around a client).
add_executable(e2e_shutdown_client e2e/ShutdownClient.cpp)
target_link_libraries(e2e_shutdown_client PRIVATE zv_e2e)
target_include_directories(e2e_shutdown_client PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(e2e_shutdown_client Zentravue ZentravueTestProgram)
add_test(NAME e2e_shutdown_session
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/shutdown-session-test.sh $<TARGET_FILE:e2e_shutdown_client>)
set_tests_properties(e2e_shutdown_session PROPERTIES TIMEOUT 400
  ENVIRONMENT "ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZV_BUILD_DIR=${CMAKE_BINARY_DIR}")

# The toolbar and mute button after every path that changes the play state.
zv_test(e2e_toolbar_state TIMEOUT 300
  LIBS zv_e2e
  SOURCES e2e/ToolBarStateTest.cpp)
add_dependencies(e2e_toolbar_state Zentravue ZentravueTestProgram)
