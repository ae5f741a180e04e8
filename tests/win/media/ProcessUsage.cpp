#include "tests/win/media/ProcessUsage.h"

#include "framework/WideString.h"
#include "tests/win/support/TestEnvironment.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace zvtest {

std::set<DWORD> ThreadIds() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return ids;
}

int HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return static_cast<int>(count);
  struct Entry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace, typeIndex;
    ULONG attributes, reserved;
  };
  using Query = LONG(WINAPI*)(int, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation"));
  if (!query) return -1;
  std::vector<BYTE> buffer(1 << 20);
  ULONG needed = 0;
  constexpr int kExtendedHandleInformation = 64;
  constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
  LONG status = kLengthMismatch;
  while ((status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         kLengthMismatch)
    buffer.resize(std::max<size_t>(needed, buffer.size() * 2));
  if (status != 0) return -1;
  const ULONG_PTR entries = *reinterpret_cast<ULONG_PTR*>(buffer.data());
  const auto* entry = reinterpret_cast<const Entry*>(buffer.data() + 2 * sizeof(ULONG_PTR));
  int mine = 0;
  for (ULONG_PTR i = 0; i < entries; ++i)
    if (entry[i].processId == GetCurrentProcessId()) ++mine;
  return mine;
}

std::string ThreadOrigin(DWORD id) {
  HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id);
  if (!thread) return "thread " + std::to_string(id) + " (gone)";
  using Query = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread"));
  void* start = nullptr;
  constexpr int kWin32StartAddress = 9;
  if (query) query(thread, kWin32StartAddress, &start, sizeof(start), nullptr);
  CloseHandle(thread);
  HMODULE module = nullptr;
  wchar_t name[MAX_PATH] = L"?";
  if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCWSTR>(start), &module))
    GetModuleFileNameW(module, name, MAX_PATH);
  char offset[32];
  snprintf(offset, sizeof(offset), "+%llx",
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(start) - reinterpret_cast<uintptr_t>(module)));
  return "thread " + std::to_string(id) + " of " + fw::WideToUtf8(name) + offset;
}

std::string ThreadsAddedSince(const std::set<DWORD>& before, DWORD ms) {
  WaitFor([&] { return ThreadIds().size() <= before.size(); }, ms);
  std::string added;
  for (DWORD id : ThreadIds())
    if (!before.count(id)) added += ThreadOrigin(id) + "; ";
  return added;
}

}  // namespace zvtest
