# Files of media/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  media/MediaText.cpp
  media/RendererChoice.cpp
  media/ScreenshotName.cpp
  media/VideoPlacement.cpp
  media/dvd/DvdPacks.cpp
  media/dvd/Subpicture.cpp
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
  media/VideoFile.cpp
  media/VideoWindow.cpp
  media/DVD.cpp
  media/DvdNavigatorChoice.cpp
  media/dvd/DvdNavigator.cpp
  media/dvd/DvdNavigatorObject.cpp
  media/dvd/DvdSourceFilter.cpp
  media/dvd/SubpictureOverlay.cpp
)
