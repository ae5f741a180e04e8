# Files of media/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  media/MediaText.cpp
  media/RendererChoice.cpp
  media/VideoPlacement.cpp
)
list(APPEND ZV_WIN_SOURCES
  media/DirectShow.cpp
  media/BoundedRender.cpp
  media/ExternalAudioTrack.cpp
  media/FrameCapture.cpp
  media/GraphInspection.cpp
  media/Media.cpp
  media/MediaGuids.cpp
  media/PlatformQuirks.cpp
  media/RendererSetup.cpp
  media/SourceChoice.cpp
  media/VideoFile.cpp
  media/VideoWindow.cpp
)
