#include "tests/win/player/OpeningSupport.h"

#include "app/ProductName.h"
#include "app/ZentravueApp.h"
#include "framework/WideString.h"
#include "playlist/CPlaylist.h"

#include <shellapi.h>
#include <shlobj.h>

namespace zvtest {

namespace {
constexpr UINT kRunScript = WM_APP + 100;
}

BOOL ScriptedPlayer::OnInitDialog() {
  const BOOL result = CZentravueDlg::OnInitDialog();
  PostMessageW(hwnd_, kRunScript, 0, 0);
  return result;
}

bool ScriptedPlayer::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != kRunScript) return CZentravueDlg::OnRawMessage(message, wParam, lParam, result);
  if (!scriptRan) {
    scriptRan = true;
    script_(*this);
  }
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  return true;
}

std::unique_ptr<CSettings> PlayerSettings() {
  auto settings = std::make_unique<CSettings>(0);
  settings->ResetFileTypes();
  return settings;
}

INT_PTR RunPlayer(const ScriptedPlayer::Script& script, CSettings* settings, CCmdLineInfo* cmdLine,
                  LanguageTable* language) {
  CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr));
  std::unique_ptr<CSettings> own;
  if (!settings) {
    own = PlayerSettings();
    settings = own.get();
  }
  CCmdLineInfo ownCmdLine;
  ScriptedPlayer player(cmdLine ? cmdLine : &ownCmdLine, settings, script, language);
  const INT_PTR result = player.DoModal();
  EXPECT_TRUE(player.scriptRan);
  return result;
}

TempFolder::TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + name + L"\\";
  SHCreateDirectoryExW(nullptr, path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  const std::wstring from = path_.substr(0, path_.size() - 1) + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationW(&operation);
}

std::wstring TempFolder::Copy(const std::wstring& mediaName, const std::wstring& as) const {
  const std::wstring target = path_ + as;
  CopyFileW(MediaPath(mediaName).c_str(), target.c_str(), FALSE);
  return target;
}

std::wstring TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  const std::wstring target = path_ + name;
  HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return target;
}

std::vector<std::wstring> FileSystemOrder(const std::wstring& pattern) {
  std::vector<std::wstring> paths;
  const std::wstring folder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + data.cFileName);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return paths;
}

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[300] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 300, MF_BYPOSITION);
    items.push_back({GetMenuItemID(menu, i), text});
  }
  return items;
}

std::wstring ProgramRegistryString(const std::wstring& subKey, const std::wstring& value) {
  const std::wstring key = zv::ProductKey() + L"\\" + subKey;
  wchar_t data[300] = {};
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return data;
}

HDROP MakeDrop(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names) list += name + L'\0';
  // The list ends with an empty name; with no names that is two zeros.
  if (names.empty()) list += L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

std::vector<std::wstring> Entries(CZentravueDlg& player) {
  std::vector<std::wstring> entries;
  for (int i = 1; i <= player.Playlist().Count(); ++i) entries.push_back(fw::ToWide(player.Playlist().EntryPath(i)));
  return entries;
}

namespace {

BOOL CALLBACK FindFileDialog(HWND hwnd, LPARAM data) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  // A file dialog has a name box; other dialogs of the process do not.
  if (!GetDlgItem(hwnd, 0x480) && !GetDlgItem(hwnd, 0x47C)) return TRUE;
  *reinterpret_cast<HWND*>(data) = hwnd;
  return FALSE;
}

}  // namespace

FileDialogAnswer::FileDialogAnswer(std::wstring text) : text_(std::move(text)) {
  thread_ = std::thread([this] { Run(); });
}

FileDialogAnswer::~FileDialogAnswer() {
  stop_ = true;
  thread_.join();
}

void FileDialogAnswer::Run() {
  // Answer the dialog once; anything still open two seconds later (an
  // error box of the dialog) is cancelled, so that the test cannot hang.
  ULONGLONG answeredAt = 0;
  for (int i = 0; i < 500 && !stop_; ++i, Sleep(20)) {
    HWND found = nullptr;
    EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&found));
    if (!found) continue;
    if (answered_) {
      if (GetTickCount64() - answeredAt > 2000) PostMessageW(found, WM_COMMAND, IDCANCEL, 0);
      continue;
    }
    HWND name = GetDlgItem(found, 0x480);      // edt1
    if (!name) name = GetDlgItem(found, 0x47C);  // cmb13
    if (text_.empty()) {
      PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
      SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
      PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
    }
    answered_ = true;
    answeredAt = GetTickCount64();
  }
}

}  // namespace zvtest
