# Windows tests, run under Wine. Each links the program's own resources.
add_library(zv_wintest STATIC win/support/WinTestMain.cpp win/support/TestEnvironment.cpp)
target_include_directories(zv_wintest PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zv_wintest PUBLIC zentrawin GTest::gtest)
target_link_options(zv_wintest INTERFACE -municode)

zv_test(win_framework TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/framework/MessageMapTest.cpp win/framework/DialogTest.cpp
          win/framework/HelpersTest.cpp win/framework/TestDialogs.rc)
zv_test(win_app TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/app/ResourcesTest.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_player TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/player/PlayerWindowTest.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/media/TransportTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_graph TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/media/GraphTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_screenshot TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/media/ScreenshotTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
