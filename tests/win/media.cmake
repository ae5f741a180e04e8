zv_test(win_media TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/media/TransportTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_graph TIMEOUT 300
  LIBS zv_wintest
  SOURCES win/media/GraphTest.cpp win/media/GraphStateTest.cpp win/media/FakeFilters.cpp
          win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_screenshot TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/media/ScreenshotTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_picture TIMEOUT 120
  LIBS zv_wintest
  SOURCES win/media/PictureTest.cpp win/media/MediaTestSupport.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_dvd TIMEOUT 300
  LIBS zv_wintest
  SOURCES win/media/DvdTest.cpp win/media/MediaTestSupport.cpp win/media/ProcessUsage.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_streams TIMEOUT 480
  LIBS zv_wintest
  SOURCES win/media/StreamSwitchTest.cpp win/media/ToneTap.cpp win/media/MediaTestSupport.cpp win/media/ProcessUsage.cpp
          $<TARGET_OBJECTS:zentrares>)
zv_test(win_media_dialogs TIMEOUT 240
  LIBS zv_wintest
  SOURCES win/media/MediaDialogsTest.cpp win/media/ToneTap.cpp win/media/MediaTestSupport.cpp
          $<TARGET_OBJECTS:zentrares>)
