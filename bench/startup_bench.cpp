// Start-up of the player as the user sees it, as a ratio to the minimal
// dialog program started the same way in this run: from CreateProcess until
// the program's window is visible, carries its title and answers a message
// sent to it. Then, once both have settled, their private memory.
// Usage: startup_bench <player.exe> <minimal.exe> [runs]
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
  double privateMb = -1;  // private memory once settled
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

// Private memory (clean and dirty private pages) of the running program,
// in MB. The platform here reports no private usage through the process
// API, so the host's own accounting is read: the process whose first
// argument is the program's path, through the Z: drive.
double PrivateMegaBytes(const std::wstring& program) {
  std::string wanted;
  for (wchar_t c : program) wanted += static_cast<char>(c < 128 ? c : '?');
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double megaBytes = -1;
  do {
    if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\";
    const std::string commandLine = ReadWholeFile(folder + L"cmdline");
    if (commandLine.c_str() != wanted) continue;
    const std::string rollup = ReadWholeFile(folder + L"smaps_rollup");
    megaBytes = (KiloBytesOf(rollup, "Private_Clean:") + KiloBytesOf(rollup, "Private_Dirty:")) / 1024.0;
    break;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return megaBytes;
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
        result.privateMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
      else
        result.privateMb = PrivateMegaBytes(program);
    }
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
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
  const wchar_t* playerTitle = L"Zentravue";
  const wchar_t* minimalTitle = L"MinimalBench";
  std::vector<double> player, floor;
  // Alternate, after one warm-up each, so that both see the same conditions.
  TimeOneStart(argv[1], playerTitle, 0);
  TimeOneStart(argv[2], minimalTitle, 0);
  for (int i = 0; i < runs; ++i) {
    const Start p = TimeOneStart(argv[1], playerTitle, 0);
    const Start f = TimeOneStart(argv[2], minimalTitle, 0);
    if (p.ms < 0 || f.ms < 0) {
      std::fwprintf(stderr, L"a start failed (player %.1f, minimal %.1f)\n", p.ms, f.ms);
      return 1;
    }
    player.push_back(p.ms);
    floor.push_back(f.ms);
  }
  const double ratio = Median(player) / Median(floor);
  std::wprintf(L"startup: player median %.1f ms, minimal dialog median %.1f ms, ratio %.2f (goal <= 1.30) over %d runs\n",
               Median(player), Median(floor), ratio, runs);

  // Memory once idle: three starts each, settled for a second.
  std::vector<double> playerMb, floorMb;
  for (int i = 0; i < 3; ++i) {
    playerMb.push_back(TimeOneStart(argv[1], playerTitle, 1000).privateMb);
    floorMb.push_back(TimeOneStart(argv[2], minimalTitle, 1000).privateMb);
  }
  const double memoryRatio = Median(floorMb) > 0 ? Median(playerMb) / Median(floorMb) : 0;
  std::wprintf(L"idle private memory: player %.1f MB, minimal dialog %.1f MB, ratio %.2f\n", Median(playerMb),
               Median(floorMb), memoryRatio);
  return ratio <= 1.3 ? 0 : 3;
}
