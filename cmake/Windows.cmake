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

# Libraries that only playback (quartz, with the sound and codec libraries
# it pulls in; oleaut32), the network (wininet), the file dialogs (comdlg32,
# with the printing libraries it pulls in) and the shell's services
# (shell32: drops, the tray icon, associations) need are loaded when first
# used rather than at start-up: delay-import libraries made from the
# toolchain's import libraries.
find_program(ZV_NM ${TOOLCHAIN_PREFIX}-nm REQUIRED)
find_program(ZV_DLLTOOL ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)
set(ZV_DELAYED_LIBS)
foreach(dll quartz wininet comdlg32 shell32 oleaut32)
  find_library(ZV_IMPLIB_${dll} ${dll} REQUIRED)
  execute_process(COMMAND ${ZV_NM} ${ZV_IMPLIB_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_@]+" imports "${symbols}")
  list(REMOVE_DUPLICATES imports)
  list(TRANSFORM imports REPLACE "^__imp_" "  ")
  list(JOIN imports "\n" exports)
  set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
  file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  execute_process(COMMAND ${ZV_DLLTOOL} -d ${def} -y ${lib} COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND ZV_DELAYED_LIBS ${lib})
endforeach()

set(ZV_WIN_LIBS
  zentracore zv_jpeg zv_dvdnav ${ZV_DELAYED_LIBS} delayimp
  strmiids comctl32 ole32 uuid shlwapi version
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
set_property(SOURCE ${ZV_RC} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt)
add_library(zentrares OBJECT ${ZV_RC})
target_include_directories(zentrares PRIVATE ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/res)

add_executable(Zentravue WIN32 framework/EntryPoint.cpp app/TheApp.cpp $<TARGET_OBJECTS:zentrares>)
target_link_libraries(Zentravue PRIVATE zentrawin)
target_link_options(Zentravue PRIVATE -municode)
zv_warnings(Zentravue)

# One self-contained file: no MinGW runtime DLLs beside it.
link_libraries(-static -static-libgcc -static-libstdc++)
target_link_options(Zentravue PRIVATE -static -static-libgcc -static-libstdc++)

# The licence texts go beside the program (the About dialog points to them).
add_custom_command(TARGET Zentravue POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt
          ${CMAKE_SOURCE_DIR}/LICENSE $<TARGET_FILE_DIR:Zentravue>/)

# The program ships without its debug information, which goes to a file
# beside it (.debug, linked by name): the platform loader here reads every
# section of the image, and some 20 MB of debug sections cost start-up time
# and private memory on every start.
find_program(ZV_OBJCOPY ${TOOLCHAIN_PREFIX}-objcopy REQUIRED)
function(zv_split_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${ZV_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${ZV_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
zv_split_debug_info(Zentravue)

# Sections aligned to pages in the file, so that a loader can map them from
# the file instead of copying them (the copy costs start-up time and 1.6 MB
# of private memory under the platform here).
set(ZV_PROGRAM_LINK_OPTIONS -Wl,--file-alignment,0x1000)
target_link_options(Zentravue PRIVATE ${ZV_PROGRAM_LINK_OPTIONS})
