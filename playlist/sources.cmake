# Files of playlist/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  playlist/HtmlEntities.cpp
  playlist/Playlist.cpp
  playlist/PlaylistDialogFilters.cpp
  playlist/PlaylistPaths.cpp
  playlist/PlaylistReaders.cpp
  playlist/PlaylistText.cpp
  playlist/PlaylistWindowLayout.cpp
  playlist/PlaylistWriter.cpp
  playlist/XmlDocument.cpp
  playlist/XmlDocumentFile.cpp
  playlist/XmlDocumentWriter.cpp
  playlist/XmlElementIndex.cpp
  playlist/XmlEscape.cpp
  playlist/XmlFileCodec.cpp
  playlist/XmlParser.cpp
  playlist/XmlResultLog.cpp
)
list(APPEND ZV_WIN_SOURCES
  playlist/CPlaylist.cpp
  playlist/FileDropListCtrl.cpp
  playlist/PlaylistDlg.cpp
  playlist/PlaylistFileIo.cpp
  playlist/PlaylistFiles.cpp
  playlist/PlaylistHttp.cpp
  playlist/ProgramBuildText.cpp
  playlist/XmlFiles.cpp
)
