# Files of lang/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  lang/LanguageKeywords.cpp
  lang/LanguageTable.cpp
  lang/NameTable.cpp
  lang/TextDecoding.cpp
)
list(APPEND ZV_WIN_SOURCES
  lang/DialogTranslation.cpp
  lang/LanguageResources.cpp
  lang/MenuTranslation.cpp
  lang/PopupMenu.cpp
  lang/StdioFileEx.cpp
)
