zv_test(win_framework TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/framework/MessageMapTest.cpp win/framework/DialogTest.cpp
          win/framework/HelpersTest.cpp win/framework/TestDialogs.rc
          win/framework/SubclassedControlTest.cpp)
