# System integration: signatures, file associations, the association page and
# the update dialog, against the real registry of the test prefix and a real
# update server. The server runs as a fixture of its own (a Linux process
# beside Wine, tests/win/system/update_server.py) that also makes the test's
# signing keys with tools/sign-update.py; it leaves its port in the build tree.
set(ZV_UPDATE_SERVER_DIR ${CMAKE_BINARY_DIR}/update-server)
set(ZV_UPDATE_SERVER_SCRIPT ${CMAKE_SOURCE_DIR}/tests/win/system/update_server.py)
add_test(NAME win_system_server_start COMMAND python3 ${ZV_UPDATE_SERVER_SCRIPT} start ${ZV_UPDATE_SERVER_DIR})
add_test(NAME win_system_server_stop COMMAND python3 ${ZV_UPDATE_SERVER_SCRIPT} stop ${ZV_UPDATE_SERVER_DIR})
set_tests_properties(win_system_server_start PROPERTIES FIXTURES_SETUP update_server TIMEOUT 60)
set_tests_properties(win_system_server_stop PROPERTIES FIXTURES_CLEANUP update_server TIMEOUT 30)

add_library(zv_systemtest STATIC win/system/SystemTestSupport.cpp)
target_link_libraries(zv_systemtest PUBLIC zv_wintest)

zv_test(win_system TIMEOUT 300
  LIBS zv_systemtest
  SOURCES win/system/SignatureTest.cpp win/system/FileAssociationsTest.cpp
          win/system/FileAssocsPageTest.cpp win/system/UpdateDialogTest.cpp
          $<TARGET_OBJECTS:zentrares>)
add_dependencies(win_system Zentravue)
set_tests_properties(win_system PROPERTIES FIXTURES_REQUIRED update_server)
