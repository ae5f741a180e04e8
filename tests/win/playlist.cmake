# The playlist against real files and a local HTTP server. The server runs as
# a fixture of its own (a Linux process beside Wine) and leaves its port in
# the build tree.
set(ZV_PLAYLIST_HTTP_DIR ${CMAKE_BINARY_DIR}/playlist-http)
set(ZV_PLAYLIST_HTTP_SERVER ${CMAKE_SOURCE_DIR}/tests/win/playlist/playlist_http_server.py)
add_test(NAME win_playlist_http_start COMMAND python3 ${ZV_PLAYLIST_HTTP_SERVER} start ${ZV_PLAYLIST_HTTP_DIR})
add_test(NAME win_playlist_http_stop COMMAND python3 ${ZV_PLAYLIST_HTTP_SERVER} stop ${ZV_PLAYLIST_HTTP_DIR})
set_tests_properties(win_playlist_http_start PROPERTIES FIXTURES_SETUP playlist_http TIMEOUT 30)
set_tests_properties(win_playlist_http_stop PROPERTIES FIXTURES_CLEANUP playlist_http TIMEOUT 30)
zv_test(win_playlist TIMEOUT 120
  LIBS zv_wintest ws2_32
  SOURCES win/playlist/PlaylistFilesTest.cpp win/playlist/PlaylistHttpTest.cpp
          win/playlist/XmlFilesTest.cpp win/playlist/PlaylistTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
set_tests_properties(win_playlist PROPERTIES FIXTURES_REQUIRED playlist_http)
zv_test(win_playlist_window TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/playlist/PlaylistWindowTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
