# End-to-end tests: real processes of the built program.
add_library(zv_e2e STATIC e2e/support/ProgramProcess.cpp)
target_link_libraries(zv_e2e PUBLIC zv_wintest)

zv_test(e2e_startup TIMEOUT 90
  LIBS zv_e2e
  SOURCES e2e/StartupTest.cpp)
add_dependencies(e2e_startup Zentravue)
