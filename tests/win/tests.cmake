# Windows tests, run under Wine. Each links the program's own resources.
add_library(zv_wintest STATIC win/support/WinTestMain.cpp win/support/TestEnvironment.cpp)
target_include_directories(zv_wintest PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zv_wintest PUBLIC zentrawin GTest::gtest)
target_link_options(zv_wintest INTERFACE -municode)
# Pixels as the display shows them, for the tests that look at the screen.
target_sources(zv_wintest PRIVATE win/support/ScreenCapture.cpp)

# Each subsystem keeps its own list in win/<subsystem>.cmake.
foreach(sub framework app lang playlist player media image settings system streaming)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win/${sub}.cmake)
    include(win/${sub}.cmake)
  endif()
endforeach()
