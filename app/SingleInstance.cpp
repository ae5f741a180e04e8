#include "app/SingleInstance.h"

#include "app/HandOverItems.h"
#include "app/InstanceCandidate.h"
#include "app/PrivateMessages.h"
#include "framework/Handle.h"
#include "framework/WideString.h"

#include <tlhelp32.h>

#include <vector>

namespace zv {

namespace {

constexpr size_t kMaxProcesses = 20000;

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

// The file name of an executable's path (some platforms give the full path).
std::wstring BaseNameOf(const wchar_t* path) {
  const std::wstring text(path);
  const size_t slash = text.find_last_of(L"\\/");
  return slash == std::wstring::npos ? text : text.substr(slash + 1);
}

}  // namespace

FirstInstance FindFirstInstance(const std::wstring& programFileName, const std::wstring& appName,
                                DWORD idleWaitMs) {
  FirstInstance result;
  // One snapshot names every process, so only those of this program need
  // opening (a query per process costs a round trip on some platforms).
  fw::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return result;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  bool haveCandidate = false;
  RunningProcess candidate;
  size_t seen = 0;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more && seen < kMaxProcesses;
       more = Process32NextW(snapshot.get(), &entry), ++seen) {
    if (!fw::EqualsNoCase(BaseNameOf(entry.szExeFile), programFileName)) continue;
    const DWORD id = entry.th32ProcessID;
    fw::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process) continue;
    ++result.processCount;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return {nullptr, result.processCount};
    const ULONGLONG createdTime = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    const RunningProcess found{id, createdTime};
    if (!haveCandidate || IsEarlierInstance(found, candidate)) {
      candidate = found;
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

std::wstring AbsoluteName(const std::wstring& name) {
  if (name.empty() || name.find(L"://") != std::wstring::npos) return name;
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  full.resize(length);
  return full;
}

bool HandOverCommandLine(HWND window, const CCmdLineInfo& info) {
  size_t count = 0;
  const HandOverText* texts = HandOverTexts(&count);
  for (size_t i = 0; i < count; ++i) {
    std::wstring text = fw::ToWide((info.*texts[i].get)());
    // The first instance runs in a folder of its own: names of files go
    // over as full paths.
    if (texts[i].code == kHandOverMediaName || texts[i].code == kHandOverAudio) text = AbsoluteName(text);
    // An empty text needs no atom: atom 0 reads as empty on the other side.
    const ATOM atom = text.empty() || text.size() > kMaxAtomChars ? 0 : GlobalAddAtomW(text.c_str());
    if (!PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(texts[i].code), atom)) {
      if (atom) GlobalDeleteAtom(atom);
      return false;
    }
  }
  const HandOverFlag* flags = HandOverFlags(&count);
  for (size_t i = 0; i < count; ++i) {
    if (!PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(flags[i].code), info.*flags[i].flag ? 1 : 0))
      return false;
  }
  return PostMessageW(window, kMsgHandOver, static_cast<WPARAM>(-1), 0) != FALSE;
}

}  // namespace zv
