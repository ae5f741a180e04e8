zv_test(native_res TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/res/ResourceDataTest.cpp native/res/TranslationsTest.cpp)
target_compile_definitions(native_res PRIVATE ZV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
zv_warnings(native_res)
