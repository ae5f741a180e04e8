// Helper of shutdown-session-test.sh, run as a real process of its own.
//   shutdown_client arm PROGRAM MEDIA   starts PROGRAM on MEDIA in English,
//       switches shutdown after playback on as a menu choice would, and waits
//       for the countdown; prints "armed" when it shows. Exit 0 when armed.
//   shutdown_client sentinel            waits (a program of another prefix
//       that the shutdown must leave alone).
#include "res/resource.h"
#include "tests/e2e/support/ProgramSettings.h"

#include <cstdio>
#include <string>

namespace {

HWND FindProcessWindowOfClass(DWORD processId, const wchar_t* className) {
  for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND WaitForWindowOf(DWORD processId, const wchar_t* className, DWORD timeoutMs, HWND exclude = nullptr) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    HWND w = FindProcessWindowOfClass(processId, className);
    if (w && w != exclude) return w;
    Sleep(50);
  }
  return nullptr;
}

int Arm(const std::wstring& program, const std::wstring& media) {
  zvtest::PresetEnglish();
  std::wstring commandLine = L"\"" + program + L"\" \"" + media + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("cannot start the program\n");
    return 2;
  }
  CloseHandle(process.hThread);
  HWND player = WaitForWindowOf(process.dwProcessId, L"ZentravueClass", 120000);
  if (!player) {
    std::printf("no player window\n");
    return 3;
  }
  PostMessageW(player, WM_COMMAND, IDM_WIEDERGABE_SHUTDOWN, 0);
  if (!WaitForWindowOf(process.dwProcessId, L"#32770", 120000, player)) {
    std::printf("no countdown\n");
    return 4;
  }
  std::printf("armed\n");
  std::fflush(stdout);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace

int wmain(int count, wchar_t** args) {
  if (count >= 2 && std::wstring(args[1]) == L"sentinel") {
    Sleep(INFINITE);
    return 0;
  }
  if (count >= 4 && std::wstring(args[1]) == L"arm") return Arm(args[2], args[3]);
  std::printf("usage: shutdown_client arm PROGRAM MEDIA | sentinel\n");
  return 1;
}
