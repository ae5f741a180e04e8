zv_test(native_lang TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/lang/LanguageTableTest.cpp
          native/lang/NameTableTest.cpp)
