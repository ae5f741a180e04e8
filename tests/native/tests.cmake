# Native tests of the portable core (ASan/UBSan). Each subsystem keeps its
# own list in native/<subsystem>.cmake: one zv_test per topic.
foreach(sub app lang playlist player media settings system res streaming)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/native/${sub}.cmake)
    include(native/${sub}.cmake)
  endif()
endforeach()
