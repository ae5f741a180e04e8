// Remote-control bench: the round trip of a query through the player's
// remote-control message (send, answer as a global atom, read, delete) as a
// ratio to a bare SendMessage round trip to the minimal dialog program, both
// real processes started by this run.
// Also the time from a real key press (Space) to the title the user sees
// ("... - PAUSE" / "... - PLAY"), against the 40 ms of a frame at 25 fps.
// Usage: remote_bench <player.exe> <media> <minimal.exe> [round trips]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND Start(const std::wstring& program, const std::wstring& argument, PROCESS_INFORMATION* info) {
  std::wstring commandLine = L"\"" + program + L"\"" + (argument.empty() ? L"" : L" \"" + argument + L"\"");
  STARTUPINFOW startup{sizeof(startup)};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      info))
    return nullptr;
  Search search{info->dwProcessId, nullptr};
  const ULONGLONG limit = GetTickCount64() + 60000;
  while (!search.found && GetTickCount64() < limit) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(20);
  }
  WaitForInputIdle(info->hProcess, 30000);
  return search.found;
}

void End(HWND window, PROCESS_INFORMATION& info) {
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[static_cast<size_t>(p * (values.size() - 1))];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: remote_bench <player.exe> <media> <minimal.exe> [round trips]\n");
    return 2;
  }
  const int trips = argc > 4 ? std::max(100, _wtoi(argv[4])) : 5000;
  PROCESS_INFORMATION playerInfo{}, minimalInfo{};
  HWND player = Start(argv[1], argv[2], &playerInfo);
  HWND minimal = Start(argv[3], L"", &minimalInfo);
  if (!player || !minimal) {
    std::fwprintf(stderr, L"remote_bench: a program did not start\n");
    return 1;
  }
  std::vector<double> query, bare;
  // Interleaved in rounds, so that a busy moment of the machine hits both.
  for (int round = 0; round < 10; ++round) {
    for (int i = 0; i < trips / 10; ++i) {
      double start = Now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(player, WM_APP + 5, 5, 0, SMTO_NORMAL, 10000, &result);
      wchar_t text[64];
      if (result) {
        GlobalGetAtomNameW(static_cast<ATOM>(result), text, 64);
        GlobalDeleteAtom(static_cast<ATOM>(result));
      }
      query.push_back(Now() - start);
      start = Now();
      SendMessageTimeoutW(minimal, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
      bare.push_back(Now() - start);
    }
  }
  const double q50 = Percentile(query, 0.5), b50 = Percentile(bare, 0.5);
  std::printf("remote query round trip: median %.1f us, 99th percentile %.1f us\n", q50, Percentile(query, 0.99));
  std::printf("bare SendMessage round trip: median %.1f us, 99th percentile %.1f us\n", b50, Percentile(bare, 0.99));
  std::printf("ratio query / bare (medians): %.2f (goal <= 3)\n", b50 > 0 ? q50 / b50 : 0.0);

  // Key press to visible effect: Space into the foreground player window.
  std::vector<double> keyToTitle;
  SetForegroundWindow(player);
  Sleep(300);
  for (int i = 0; i < 20; ++i) {
    wchar_t title[512] = {};
    GetWindowTextW(player, title, 512);
    const bool playing = std::wstring(title).find(L" - PLAY") != std::wstring::npos;
    const wchar_t* expected = playing ? L" - PAUSE" : L" - PLAY";
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SPACE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const double start = Now();
    SendInput(2, keys, sizeof(INPUT));
    const ULONGLONG limit = GetTickCount64() + 5000;
    bool seen = false;
    while (!seen && GetTickCount64() < limit) {
      GetWindowTextW(player, title, 512);
      const std::wstring text(title);
      seen = text.size() >= wcslen(expected) && text.compare(text.size() - wcslen(expected), wcslen(expected), expected) == 0;
    }
    if (seen) keyToTitle.push_back(Now() - start);
    Sleep(100);
  }
  if (keyToTitle.empty()) {
    std::printf("key press to title: not seen (is the player window in front?)\n");
  } else {
    const double k50 = Percentile(keyToTitle, 0.5);
    std::printf("key press to title: median %.1f ms, worst %.1f ms of %zu presses; %.2f frames at 25 fps (goal <= 2)\n",
                k50 / 1000, Percentile(keyToTitle, 1.0) / 1000, keyToTitle.size(), k50 / 40000);
  }
  End(player, playerInfo);
  End(minimal, minimalInfo);
  return 0;
}
