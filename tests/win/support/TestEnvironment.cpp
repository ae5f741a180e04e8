#include "tests/win/support/TestEnvironment.h"

#include <cstdlib>

namespace zvtest {

void DeleteProgramRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostrel-Software"); }

void CleanRegistryEnvironment::SetUp() { DeleteProgramRegistry(); }
void CleanRegistryEnvironment::TearDown() { DeleteProgramRegistry(); }

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

static std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

// Unix paths from the harness become drive Z paths.
static std::wstring FromUnixPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

std::wstring MediaPath(const std::wstring& name) {
  std::wstring dir = FromUnixPath(EnvironmentText(L"ZV_MEDIA_DIR"));
  if (dir.empty()) return name;
  if (dir.back() != L'\\') dir += L'\\';
  return dir + name;
}

std::wstring ProgramPath() { return ExeFolder() + L"..\\testprogram\\Zentravue.exe"; }
std::wstring ShippedProgramPath() { return ExeFolder() + L"..\\Zentravue.exe"; }

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace zvtest
