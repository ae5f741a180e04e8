# Files of framework/: our thin stand-in for an application framework.
list(APPEND ZV_PORTABLE_SOURCES
  framework/CommandLineSplit.cpp
)
list(APPEND ZV_WIN_SOURCES
  framework/App.cpp
  framework/Dialog.cpp
  framework/FileDialogs.cpp
  framework/Menu.cpp
  framework/MenuColumns.cpp
  framework/MessageMap.cpp
  framework/PaintingWait.cpp
  framework/SubclassedControl.cpp
  framework/WideString.cpp
  framework/Window.cpp
)
