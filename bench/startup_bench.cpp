// Start-up of the player as the user sees it, as a ratio to the minimal
// dialog program started the same way in this run: from CreateProcess until
// the program's window is visible, carries its title and answers a message
// sent to it. Then, once both have settled, their private memory.
// Usage: startup_bench <player.exe> <minimal.exe> [runs] [earlier-player.exe]
#include "bench/BenchSupport.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using namespace zv::bench;

struct Search {
  DWORD processId;
  const wchar_t* titlePrefix;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (wcsncmp(title, search->titlePrefix, wcslen(search->titlePrefix)) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

struct Start {
  double ms = -1;    // launch to the window visible, titled and answering
  double privateMb = -1;     // private memory once settled: written pages
  double privateAllMb = -1;  // the same with clean private pages of mapped files
};

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

long KiloBytesOf(const std::string& text, const char* field) {
  const size_t at = text.find(field);
  return at == std::string::npos ? 0 : std::strtol(text.c_str() + at + std::strlen(field), nullptr, 10);
}

// Private memory of the running program in MB: the pages it has written
// that no other process shares, the nearest to the commit charge that the
// process API reports elsewhere; and, as a second figure, that plus the
// clean pages of files only it maps (read, never written).
// The platform here reports no private usage through the process API, so
// the host's own accounting is read: the process whose first argument is
// the program's path, through the Z: drive.
void PrivateMegaBytes(const std::wstring& program, Start& result) {
  std::string wanted;
  for (wchar_t c : program) wanted += static_cast<char>(c < 128 ? c : '?');
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\";
    const std::string commandLine = ReadWholeFile(folder + L"cmdline");
    if (commandLine.c_str() != wanted) continue;
    const std::string rollup = ReadWholeFile(folder + L"smaps_rollup");
    const long dirty = KiloBytesOf(rollup, "Private_Dirty:");
    result.privateMb = dirty / 1024.0;
    result.privateAllMb = (dirty + KiloBytesOf(rollup, "Private_Clean:")) / 1024.0;
    break;
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// settleMs: how long the program may settle before its memory is read (0: not read).
Start TimeOneStart(const std::wstring& program, const wchar_t* titlePrefix, DWORD settleMs) {
  Start result;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return result;
  Search search{info.dwProcessId, titlePrefix, nullptr};
  bool answered = false;
  const ULONGLONG limit = GetTickCount64() + 30000;
  while (!answered && GetTickCount64() < limit) {
    if (!search.found) EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
    DWORD_PTR ignored = 0;
    if (search.found &&
        SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &ignored) != 0) {
      answered = true;
      break;
    }
    Sleep(1);
  }
  QueryPerformanceCounter(&end);
  if (answered) {
    result.ms = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (settleMs > 0) {
      Sleep(settleMs);
      PROCESS_MEMORY_COUNTERS_EX counters{};
      counters.cb = sizeof(counters);
      if (GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof(counters)) &&
          counters.PrivateUsage > 0)
        result.privateMb = result.privateAllMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
      else
        PrivateMegaBytes(program, result);
    }
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: startup_bench <player.exe> <minimal.exe> [runs] [earlier-player.exe]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;
  // An earlier build of the player, timed in the same run for a before/after.
  const wchar_t* earlier = argc > 4 ? argv[4] : nullptr;
  const wchar_t* playerTitle = L"Zentravue";
  const wchar_t* minimalTitle = L"MinimalBench";
  std::vector<double> player, floor, before;
  // Alternate, after one warm-up each, so that all see the same conditions.
  TimeOneStart(argv[1], playerTitle, 0);
  TimeOneStart(argv[2], minimalTitle, 0);
  if (earlier) TimeOneStart(earlier, playerTitle, 0);
  for (int i = 0; i < runs; ++i) {
    const Start p = TimeOneStart(argv[1], playerTitle, 0);
    const Start f = TimeOneStart(argv[2], minimalTitle, 0);
    const Start b = earlier ? TimeOneStart(earlier, playerTitle, 0) : Start{0, 0};
    if (p.ms < 0 || f.ms < 0 || b.ms < 0) {
      std::fwprintf(stderr, L"a start failed (player %.1f, minimal %.1f, earlier %.1f)\n", p.ms, f.ms, b.ms);
      return 1;
    }
    player.push_back(p.ms);
    floor.push_back(f.ms);
    before.push_back(b.ms);
  }
  const double ratio = Median(player) / Median(floor);
  std::wprintf(L"startup: player median %.1f ms, minimal dialog median %.1f ms, ratio %.2f (goal <= 1.30) over %d runs\n",
               Median(player), Median(floor), ratio, runs);
  if (earlier)
    std::wprintf(L"startup: earlier player median %.1f ms, ratio %.2f\n", Median(before), Median(before) / Median(floor));

  // Memory once idle: three starts each, settled for a second.
  std::vector<Start> playerMem, floorMem, beforeMem;
  for (int i = 0; i < 3; ++i) {
    playerMem.push_back(TimeOneStart(argv[1], playerTitle, 1000));
    floorMem.push_back(TimeOneStart(argv[2], minimalTitle, 1000));
    if (earlier) beforeMem.push_back(TimeOneStart(earlier, playerTitle, 1000));
  }
  const auto median = [](const std::vector<Start>& starts, double Start::*field) {
    std::vector<double> values;
    for (const Start& start : starts) values.push_back(start.*field);
    return Median(values);
  };
  const auto report = [&](const wchar_t* what, double Start::*field) {
    const double floorMb = median(floorMem, field);
    const auto ratioTo = [&](double mb) { return floorMb > 0 ? mb / floorMb : 0; };
    std::wprintf(L"idle private memory (%ls): player %.1f MB, minimal dialog %.1f MB, ratio %.2f\n", what,
                 median(playerMem, field), floorMb, ratioTo(median(playerMem, field)));
    if (earlier)
      std::wprintf(L"idle private memory (%ls): earlier player %.1f MB, ratio %.2f\n", what,
                   median(beforeMem, field), ratioTo(median(beforeMem, field)));
  };
  report(L"written pages", &Start::privateMb);
  report(L"with clean file pages", &Start::privateAllMb);
  return ratio <= 1.3 ? 0 : 3;
}
