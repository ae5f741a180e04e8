#include "app/SingleInstance.h"

#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "framework/Handle.h"
#include "framework/WideString.h"

#include <psapi.h>

#include <vector>

namespace zv {

namespace {

constexpr size_t kMaxProcesses = 20000;

struct Candidate {
  DWORD id = 0;
  ULONGLONG created = 0;
};

struct TitleSearch {
  DWORD processId;
  const std::wstring* prefix;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TitleSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId) return TRUE;
  // Room for the name and its terminator only: every longer title is cut to
  // the name's length, so a title that starts with the name compares equal.
  std::vector<wchar_t> title(search->prefix->size() + 1, L'\0');
  const int got = GetWindowTextW(hwnd, title.data(), static_cast<int>(title.size()));
  if (got <= 0 || std::wstring(title.data(), static_cast<size_t>(got)) != *search->prefix) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

FirstInstance FindFirstInstance(const std::wstring& programFileName, const std::wstring& appName,
                                DWORD idleWaitMs) {
  FirstInstance result;
  std::vector<DWORD> ids(kMaxProcesses);
  DWORD bytes = 0;
  if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return result;
  ids.resize(bytes / sizeof(DWORD));

  bool haveCandidate = false;
  Candidate candidate;
  for (DWORD id : ids) {
    fw::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process) continue;
    wchar_t baseName[MAX_PATH] = {};
    if (GetModuleBaseNameW(process.get(), nullptr, baseName, MAX_PATH) == 0) continue;
    if (!fw::EqualsNoCase(baseName, programFileName)) continue;
    ++result.processCount;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return {nullptr, result.processCount};
    const ULONGLONG createdTime = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    if (!haveCandidate || (createdTime <= candidate.created && id < candidate.id)) {
      candidate = {id, createdTime};
      haveCandidate = true;
    }
  }
  if (result.processCount <= 1 || !haveCandidate || candidate.id == GetCurrentProcessId()) return result;

  if (fw::KernelHandle process{OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, candidate.id)})
    WaitForInputIdle(process.get(), idleWaitMs);
  TitleSearch search{candidate.id, &appName, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  result.window = search.found;
  return result;
}

void HandOverCommandLine(HWND window, const CCmdLineInfo& info) {
  size_t count = 0;
  const HandOverText* texts = HandOverTexts(&count);
  for (size_t i = 0; i < count; ++i) {
    const std::wstring text = fw::ToWide((info.*texts[i].get)());
    // An empty text needs no atom: atom 0 reads as empty on the other side.
    const ATOM atom = text.empty() || text.size() > kMaxAtomChars ? 0 : GlobalAddAtomW(text.c_str());
    PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(texts[i].code), atom);
  }
  const HandOverFlag* flags = HandOverFlags(&count);
  for (size_t i = 0; i < count; ++i)
    PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(flags[i].code), info.*flags[i].flag ? 1 : 0);
  PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(-1), 0);
}

}  // namespace zv
