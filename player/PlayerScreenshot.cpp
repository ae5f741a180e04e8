// CZentravueDlg: the screenshot command (menu, toolbar, key). The window
// supplies the folder and the base name; the media object grabs and saves.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "media/ScreenshotName.h"

std::wstring CZentravueDlg::TakeScreenshot() {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return {};
  const std::wstring folder = fw::ToWide(settings_->ScreenshotDirectory);
  // The folder was checked when the settings were loaded; it can have gone
  // since, or become a file. Saving into it then fails with no file written,
  // so the user is told instead of silently getting nothing.
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (folder.empty() || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ShowScreenshotFolderError(folder);
    return {};
  }
  const std::wstring base = fw::ToWide(zv::ScreenshotBasePath(settings_->ScreenshotDirectory, fw::ToU16(fileName_)));
  std::wstring savedAs;
  const SaveImageResult result =
      currentMedia_->SaveCurrentImage(base, fw::ToWide(settings_->ScreenshotFileType), &savedAs);
  // A frame that could not be grabbed or encoded stays silent; a picture
  // that could not be written (a folder without write access) is reported.
  if (result == SaveImageResult::kNotWritten) ShowScreenshotFolderError(folder);
  return savedAs;
}

void CZentravueDlg::ShowScreenshotFolderError(const std::wstring& folder) {
  // The text comes from a language file: its "%s" is replaced here rather
  // than handed to a formatting function.
  std::wstring text = Text(u"SCREENSHOTDIR_UNUSABLE");
  if (text.empty()) text = L"The folder \"%s\" cannot be used for screenshots.";
  const size_t mark = text.find(L"%s");
  if (mark == std::wstring::npos)
    text += L"\n" + folder;
  else
    text.replace(mark, 2, folder);
  const std::wstring caption = Text(u"ERROR2");
  MessageBoxW(hwnd_, text.c_str(), caption.empty() ? titleBase_.c_str() : caption.c_str(), MB_OK | MB_ICONWARNING);
}
