# Network streams against real servers on 127.0.0.1 (stream_server.py, a
# Linux process beside Wine, run as a fixture that leaves its ports in the
# build tree).
set(ZV_STREAM_HTTP_DIR ${CMAKE_BINARY_DIR}/stream-http)
set(ZV_STREAM_SERVER ${CMAKE_SOURCE_DIR}/tests/win/streaming/stream_server.py)
add_test(NAME win_stream_http_start
         COMMAND python3 ${ZV_STREAM_SERVER} start ${ZV_STREAM_HTTP_DIR} ${CMAKE_SOURCE_DIR}/build/media)
add_test(NAME win_stream_http_stop COMMAND python3 ${ZV_STREAM_SERVER} stop ${ZV_STREAM_HTTP_DIR})
set_tests_properties(win_stream_http_start PROPERTIES FIXTURES_SETUP stream_http TIMEOUT 30)
set_tests_properties(win_stream_http_stop PROPERTIES FIXTURES_CLEANUP stream_http TIMEOUT 30)
zv_test(win_network_source TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/streaming/NetworkSourceTest.cpp win/streaming/StreamServer.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
set_tests_properties(win_network_source PROPERTIES FIXTURES_REQUIRED stream_http)
zv_test(win_streaming_player TIMEOUT 180
  LIBS zv_wintest
  SOURCES win/streaming/StreamingPlayerTest.cpp win/streaming/StreamServer.cpp win/player/OpeningSupport.cpp
          win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
set_tests_properties(win_streaming_player PROPERTIES FIXTURES_REQUIRED stream_http)
zv_test(e2e_streaming TIMEOUT 120
  LIBS zv_e2e
  SOURCES win/streaming/StreamingProgramTest.cpp win/streaming/StreamServer.cpp)
add_dependencies(e2e_streaming Zentravue ZentravueTestProgram)
set_tests_properties(e2e_streaming PROPERTIES FIXTURES_REQUIRED stream_http)
