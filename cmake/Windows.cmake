# Windows build: the program, its resources and the Windows-only library.

# libjpeg-turbo, cross-built by tools/setup.sh into a cache outside the tree.
set(ZV_JPEG_PREFIX "$ENV{HOME}/.cache/zentravue/libjpeg-mingw64" CACHE PATH "libjpeg-turbo for Windows")
if(DEFINED ENV{ZENTRAVUE_CACHE})
  set(ZV_JPEG_PREFIX "$ENV{ZENTRAVUE_CACHE}/libjpeg-mingw64" CACHE PATH "" FORCE)
endif()
add_library(zv_jpeg STATIC IMPORTED)
set_target_properties(zv_jpeg PROPERTIES
  IMPORTED_LOCATION ${ZV_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZV_JPEG_PREFIX}/include)

# libdvdread and libdvdnav, cross-built by tools/setup.sh the same way
# (static, without libdvdcss).
set(ZV_DVD_PREFIX "$ENV{HOME}/.cache/zentravue/libdvdnav-mingw64" CACHE PATH "libdvdnav for Windows")
if(DEFINED ENV{ZENTRAVUE_CACHE})
  set(ZV_DVD_PREFIX "$ENV{ZENTRAVUE_CACHE}/libdvdnav-mingw64" CACHE PATH "" FORCE)
endif()
add_library(zv_dvdread STATIC IMPORTED)
set_target_properties(zv_dvdread PROPERTIES
  IMPORTED_LOCATION ${ZV_DVD_PREFIX}/lib/libdvdread.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZV_DVD_PREFIX}/include)
add_library(zv_dvdnav STATIC IMPORTED)
set_target_properties(zv_dvdnav PROPERTIES
  IMPORTED_LOCATION ${ZV_DVD_PREFIX}/lib/libdvdnav.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZV_DVD_PREFIX}/include
  INTERFACE_LINK_LIBRARIES "zv_dvdread;pthread")

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(ZV_WIN_LIBS
  zentracore zv_jpeg zv_dvdnav quartz
  strmiids comctl32 comdlg32 ole32 oleaut32 uuid shell32 shlwapi version wininet
  gdi32 user32 uxtheme psapi advapi32 winmm bcrypt)

add_library(zentrawin STATIC ${ZV_WIN_SOURCES})
target_include_directories(zentrawin PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zentrawin PUBLIC ${ZV_WIN_LIBS})
zv_warnings(zentrawin)

# Resources: the resource header goes in with CR LF line ends as the name
# table; the version numbers come from the project version.
file(READ ${CMAKE_SOURCE_DIR}/res/resource.h ZV_RESOURCE_HEADER)
string(REPLACE "\r\n" "\n" ZV_RESOURCE_HEADER "${ZV_RESOURCE_HEADER}")
string(REPLACE "\n" "\r\n" ZV_RESOURCE_HEADER "${ZV_RESOURCE_HEADER}")
file(WRITE ${CMAKE_BINARY_DIR}/res/resource_lzv.txt "${ZV_RESOURCE_HEADER}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/resource.h)
string(REPLACE "." "," ZV_VERSION_COMMAS "${PROJECT_VERSION}")
string(REPLACE "." ", " ZV_VERSION_TEXT "${PROJECT_VERSION}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/res/version.h CONTENT
"#define ZV_VERSION_COMMAS ${ZV_VERSION_COMMAS}\n#define ZV_VERSION_TEXT \"${ZV_VERSION_TEXT}\"\n")

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
set(ZV_RC ${CMAKE_SOURCE_DIR}/res/Zentravue.rc)
# Everything under res/ goes into the program (icons, bitmaps, languages, menus).
file(GLOB_RECURSE ZV_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*)
set_source_files_properties(${ZV_RC} PROPERTIES OBJECT_DEPENDS
  "${ZV_RES_FILES};${CMAKE_BINARY_DIR}/res/resource_lzv.txt;${CMAKE_BINARY_DIR}/res/update-server.txt;${CMAKE_BINARY_DIR}/res/update-public-key.bin")
add_library(zentrares OBJECT ${ZV_RC})
target_include_directories(zentrares PRIVATE ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/res)

add_executable(Zentravue WIN32 framework/EntryPoint.cpp app/TheApp.cpp $<TARGET_OBJECTS:zentrares>)
target_link_libraries(Zentravue PRIVATE zentrawin)
target_link_options(Zentravue PRIVATE -municode)
zv_warnings(Zentravue)

# One self-contained file: no MinGW runtime DLLs beside it.
link_libraries(-static -static-libgcc -static-libstdc++)
target_link_options(Zentravue PRIVATE -static -static-libgcc -static-libstdc++)
