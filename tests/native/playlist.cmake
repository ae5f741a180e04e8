zv_test(native_playlist_xml TIMEOUT 120
  LIBS zentracore GTest::gtest_main
  SOURCES native/playlist/XmlDocumentTest.cpp native/playlist/XmlEscapeTest.cpp
          native/playlist/TextScanTest.cpp native/playlist/XmlFileTest.cpp)
zv_test(native_playlist TIMEOUT 120
  LIBS zentracore GTest::gtest_main
  SOURCES native/playlist/PlaylistTextTest.cpp native/playlist/PlaylistLoadTest.cpp
          native/playlist/PlaylistSaveTest.cpp native/playlist/PlaylistModelTest.cpp
          native/playlist/PlaylistWindowTest.cpp)
target_compile_definitions(native_playlist PRIVATE ZV_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
