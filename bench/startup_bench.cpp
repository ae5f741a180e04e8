// Start-up time of the player (launch to its window ready for input) as a
// ratio to the minimal dialog program, both started the same way in this run.
// Usage: startup_bench <player.exe> <minimal.exe> [runs]
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

// Milliseconds from CreateProcess until a visible window of the process
// exists and the process waits for input; -1 on failure.
double TimeOneStart(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  Search search{info.dwProcessId, nullptr};
  const ULONGLONG limit = GetTickCount64() + 30000;
  while (!search.found && GetTickCount64() < limit) {
    WaitForInputIdle(info.hProcess, 50);
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  WaitForInputIdle(info.hProcess, 30000);
  QueryPerformanceCounter(&end);
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!search.found) return -1;
  return 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: startup_bench <player.exe> <minimal.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;
  std::vector<double> player, floor;
  // Alternate, after one warm-up each, so that both see the same conditions.
  TimeOneStart(argv[1]);
  TimeOneStart(argv[2]);
  for (int i = 0; i < runs; ++i) {
    const double p = TimeOneStart(argv[1]);
    const double f = TimeOneStart(argv[2]);
    if (p < 0 || f < 0) {
      std::fwprintf(stderr, L"a start failed (player %.1f, minimal %.1f)\n", p, f);
      return 1;
    }
    player.push_back(p);
    floor.push_back(f);
  }
  const double ratio = Median(player) / Median(floor);
  std::wprintf(L"startup: player median %.1f ms, minimal dialog median %.1f ms, ratio %.2f (goal <= 1.30) over %d runs\n",
               Median(player), Median(floor), ratio, runs);
  return ratio <= 1.3 ? 0 : 3;
}
