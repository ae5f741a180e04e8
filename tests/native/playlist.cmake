zv_test(native_playlist_xml TIMEOUT 120
  LIBS zentracore GTest::gtest_main
  SOURCES native/playlist/XmlDocumentTest.cpp native/playlist/XmlEscapeTest.cpp)
