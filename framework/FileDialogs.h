#pragma once
// File dialogs over the common dialog box: open (one or many files) and
// save. Filters come in the "|"-separated form of
// OpenDialogFilter.h.
#include "framework/WinInclude.h"

#include <string>
#include <vector>

struct FileDialogResult {
  bool ok = false;
  std::vector<std::wstring> paths;  // full paths, in the order the dialog gives them
  DWORD error = 0;                  // the dialog's extended error (0 on cancel)
  DWORD needed = 0;                 // with a buffer too small: what the dialog asked for
  DWORD available = 0;              // and what it had
};

// Open dialog: file and path must exist, read-only box hidden. With
// multiple, any number of files can be chosen (the buffer holds a million
// characters, far beyond what the dialog's own name box can take).
FileDialogResult ShowOpenFileDialog(HWND owner, const std::wstring& filter, bool multiple);
// Save dialog: path must exist, overwrite confirmed, read-only box hidden;
// names are limited to MAX_PATH characters. A default extension (without
// the point) is appended to a name typed without one.
FileDialogResult ShowSaveFileDialog(HWND owner, const std::wstring& filter, const std::wstring& proposedName,
                                    const wchar_t* defaultExtension = nullptr);
