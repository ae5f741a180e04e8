#include "tests/e2e/support/ProgramSettings.h"

#include "app/ProductName.h"
#include "app/WinRegistry.h"
#include "tests/testprogram/PlayerTestHook.h"

#include <psapi.h>

#include <vector>

namespace zvtest {

std::wstring SettingsKeyPath() { return zv::ProductKey() + L"\\Settings"; }

void PresetEnglish() {
  zv::WinRegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, SettingsKeyPath())) return;
  key.WriteDword(L"LanguageType", 0);
  key.WriteString(L"LanguageResource", L"IDR_LNG_ENGLISH");
}

void SetSettingDword(const std::wstring& name, DWORD value) {
  zv::WinRegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, SettingsKeyPath())) key.WriteDword(name, value);
}

std::optional<DWORD> SettingDword(const std::wstring& name) {
  zv::WinRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, SettingsKeyPath())) return std::nullopt;
  return key.ReadDword(name);
}

std::optional<std::wstring> SettingString(const std::wstring& name) {
  zv::WinRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, SettingsKeyPath())) return std::nullopt;
  return key.ReadString(name);
}

int ProgramProcessCount() {
  std::vector<DWORD> ids(20000);
  DWORD bytes = 0;
  if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return -1;
  int count = 0;
  for (size_t i = 0; i < bytes / sizeof(DWORD); ++i) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
    if (!process) continue;
    wchar_t name[MAX_PATH] = {};
    if (GetModuleBaseNameW(process, nullptr, name, MAX_PATH) > 0 && _wcsicmp(name, L"Zentravue.exe") == 0) {
      DWORD code = 0;
      if (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE) ++count;
    }
    CloseHandle(process);
  }
  return count;
}

namespace {
struct Search {
  DWORD processId;
  const wchar_t* className;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != s->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t cls[128] = {};
  GetClassNameW(hwnd, cls, 128);
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  if (std::wstring(cls) != s->className || title != *s->title) return TRUE;
  s->found = hwnd;
  return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const std::wstring& title) {
  Search search{processId, className, &title, nullptr};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindPlayerWindow(DWORD processId) {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"ZentravueClass", nullptr); w;
       w = FindWindowExW(nullptr, w, L"ZentravueClass", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId) return w;
  }
  return nullptr;
}

static UINT PlayerQueryMessage() { return RegisterWindowMessageW(kPlayerTestQueryName); }

LRESULT QueryPlayer(HWND player, WPARAM question, LPARAM argument) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(player, PlayerQueryMessage(), question, argument, SMTO_ABORTIFHUNG, 5000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

std::wstring QueryPlayerText(HWND player, WPARAM question, LPARAM argument) {
  const ATOM atom = static_cast<ATOM>(QueryPlayer(player, question, argument));
  if (atom == 0) return {};
  wchar_t buffer[256] = {};
  const UINT n = GlobalGetAtomNameW(atom, buffer, 256);
  GlobalDeleteAtom(atom);
  return std::wstring(buffer, n);
}

}  // namespace zvtest
