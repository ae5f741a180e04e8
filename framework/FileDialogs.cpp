#include "framework/FileDialogs.h"

#include <cderr.h>
#include <commdlg.h>

namespace {

constexpr DWORD kMultiSelectChars = 1u << 20;

// "Text|*.a;|All|*.*||" into the dialog's zero-separated form.
std::wstring SystemFilter(const std::wstring& filter) {
  std::wstring system = filter;
  for (wchar_t& c : system)
    if (c == L'|') c = L'\0';
  system.push_back(L'\0');
  return system;
}

// Explorer-style multiple selection: the folder, then each name; a single
// choice is one full path.
std::vector<std::wstring> SplitSelection(const wchar_t* buffer) {
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) parts.emplace_back(p);
  if (parts.size() <= 1) return parts;
  std::wstring folder = parts.front();
  if (folder.back() != L'\\') folder += L'\\';
  std::vector<std::wstring> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

FileDialogResult Failure(const std::vector<wchar_t>& buffer) {
  FileDialogResult result;
  result.error = CommDlgExtendedError();
  if (result.error == FNERR_BUFFERTOOSMALL) {
    result.needed = buffer[0] | (static_cast<DWORD>(buffer[1]) << 16);
    result.available = static_cast<DWORD>(buffer.size());
  }
  return result;
}

}  // namespace

FileDialogResult ShowOpenFileDialog(HWND owner, const std::wstring& filter, bool multiple) {
  const std::wstring systemFilter = SystemFilter(filter);
  std::vector<wchar_t> buffer(multiple ? kMultiSelectChars : MAX_PATH, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = systemFilter.c_str();
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (multiple) dialog.Flags |= OFN_ALLOWMULTISELECT;
  if (!GetOpenFileNameW(&dialog)) return Failure(buffer);
  FileDialogResult result;
  result.ok = true;
  result.paths = SplitSelection(buffer.data());
  return result;
}

FileDialogResult ShowSaveFileDialog(HWND owner, const std::wstring& filter, const std::wstring& proposedName,
                                    const wchar_t* defaultExtension) {
  const std::wstring systemFilter = SystemFilter(filter);
  std::vector<wchar_t> buffer(MAX_PATH, L'\0');
  lstrcpynW(buffer.data(), proposedName.c_str(), MAX_PATH);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = systemFilter.c_str();
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return Failure(buffer);
  FileDialogResult result;
  result.ok = true;
  result.paths.emplace_back(buffer.data());
  return result;
}
