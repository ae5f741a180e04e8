zv_test(win_player TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/player/PlayerWindowTest.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_controls TIMEOUT 90
  LIBS zv_wintest
  SOURCES win/controls/ControlsHost.cpp win/controls/SliderTest.cpp win/controls/ToolBarTest.cpp
          win/controls/ImageButtonTest.cpp win/controls/ArtworkTest.cpp win/controls/SmallControlsTest.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_opening TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/player/OpeningTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_events TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/player/EventsTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_open_dialog TIMEOUT 120
  LIBS zv_wintest
  SOURCES win/player/OpeningDialogTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_transport TIMEOUT 180
  LIBS zv_wintest
  SOURCES win/player/TransportTest.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_dvd TIMEOUT 180
  LIBS zv_wintest
  SOURCES win/player/DvdPlayerTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_translation TIMEOUT 120
  LIBS zv_wintest
  SOURCES win/player/PlayerTranslationTest.cpp win/player/OpeningSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_streams TIMEOUT 300
  LIBS zv_wintest
  SOURCES win/player/StreamMenusTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          win/media/ToneTap.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_repairs TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/player/RepairsTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_input TIMEOUT 300
  LIBS zv_wintest
  SOURCES win/player/InputTest.cpp win/player/InputSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_shutdown TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/player/ShutdownTest.cpp win/player/InputSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_modes TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/player/WindowModesTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_player_fullscreen_picture TIMEOUT 120
  LIBS zv_wintest
  SOURCES win/player/FullscreenPictureTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
# On a display of its own with two monitors, at 96 and at 144 dpi.
zv_test(win_player_modes_screens TIMEOUT 300 RUNNER wine-screens-test.sh
  LIBS zv_wintest
  SOURCES win/player/ScreensTest.cpp win/player/OpeningSupport.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
add_test(NAME win_player_modes_screens_144dpi
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-screens-test.sh $<TARGET_FILE:win_player_modes_screens>
                 --gtest_output=xml:${CMAKE_BINARY_DIR}/test-results/win_player_modes_screens_144dpi.xml)
set_tests_properties(win_player_modes_screens_144dpi PROPERTIES TIMEOUT 300
  ENVIRONMENT "ZV_SCREENS_DPI=144;ZV_TEST_TIMEOUT=295;ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZV_BUILD_DIR=${CMAKE_BINARY_DIR}")
