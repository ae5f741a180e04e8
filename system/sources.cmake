# Files of system/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  system/UpdateProtocol.cpp
)
list(APPEND ZV_WIN_SOURCES
  system/AssociationService.cpp
  system/ElevatedRun.cpp
  system/FileAssociations.cpp
  system/Maintenance.cpp
  system/SettingsFileAssocs.cpp
  system/UpdateConfig.cpp
  system/UpdateDlg.cpp
  system/UpdateShared.cpp
  system/UpdateSignature.cpp
  system/UpdateSteps.cpp
  system/UpdateWorker.cpp
)

# The update server and the public key of update signatures are build-time
# configuration; the resource script takes both from the build tree. The key
# file holds X and Y of a P-256 key, 32 bytes each (tools/sign-update.py).
if(WIN32)
  set(ZV_UPDATE_SERVER "update.ostrel-software.example" CACHE STRING
      "Update server: host[:port][/base/path/]")
  set(ZV_UPDATE_PUBLIC_KEY "${CMAKE_SOURCE_DIR}/res/system/update-public-key.bin" CACHE FILEPATH
      "Public key that update signatures must match")
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/res/update-server.txt CONTENT "${ZV_UPDATE_SERVER}")
  configure_file(${ZV_UPDATE_PUBLIC_KEY} ${CMAKE_BINARY_DIR}/res/update-public-key.bin COPYONLY)
endif()
