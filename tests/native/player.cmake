zv_test(native_player TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/player/ToolBarButtonsTest.cpp
          native/player/LayoutMathTest.cpp
          native/player/SliderPositionTest.cpp
          native/player/TransportRulesTest.cpp
          native/player/KeyMapTest.cpp
          native/player/RemoteCodesTest.cpp
          native/player/WindowPlacementTest.cpp)
zv_test(native_player_opening TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/player/OpenDialogFilterTest.cpp
          native/player/MediaFileNamesTest.cpp)
zv_test(native_player_streams TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/player/StreamMenuModelTest.cpp)
