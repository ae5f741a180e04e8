# Files of media/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  media/DurationText.cpp
  media/LanguageNames.cpp
  media/MediaText.cpp
  media/RendererChoice.cpp
  media/TrackTags.cpp
  media/VideoPlacement.cpp
  media/dvd/DvdPacks.cpp
  media/dvd/Subpicture.cpp
)
list(APPEND ZV_WIN_SOURCES
  media/AudioSettingsDlg.cpp
  media/AudioSwitcher.cpp
  media/AudioSwitcherPage.cpp
  media/AudioSwitcherPins.cpp
  media/DirectShow.cpp
  media/BoundedRender.cpp
  media/CodecDialog.cpp
  media/ExternalAudioTrack.cpp
  media/FrameCapture.cpp
  media/GraphInspection.cpp
  media/Media.cpp
  media/MediaGuids.cpp
  media/MediaTypes.cpp
  media/PlatformQuirks.cpp
  media/RendererSetup.cpp
  media/StreamSelection.cpp
  media/VideoFile.cpp
  media/VideoFileStreams.cpp
  media/VideoWindow.cpp
  media/DVD.cpp
  media/DvdNavigatorChoice.cpp
  media/dvd/DvdNavigator.cpp
  media/dvd/DvdNavigatorObject.cpp
  media/dvd/DvdSourceFilter.cpp
  media/dvd/SubpictureOverlay.cpp
)
