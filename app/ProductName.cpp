#include "app/ProductName.h"

#include "framework/WinInclude.h"

#include <vector>

namespace zv {

std::wstring SuffixFor(unsigned short nativeArchitecture, bool wow64QueryExists, bool underWow64) {
  if (nativeArchitecture != PROCESSOR_ARCHITECTURE_AMD64) return L"";
  if (!wow64QueryExists || underWow64) return L"";
  return L"X64";
}

static std::wstring DecideSuffix() {
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL underWow64 = FALSE;
  const bool queryWorks = isWow64Process && isWow64Process(GetCurrentProcess(), &underWow64);
  return SuffixFor(info.wProcessorArchitecture, queryWorks, underWow64 != FALSE);
}

const std::wstring& ProductKeySuffix() {
  static const std::wstring suffix = DecideSuffix();
  return suffix;
}

const std::wstring& AppName() {
  static const std::wstring name = L"Zentravue" + ProductKeySuffix();
  return name;
}

std::wstring ProductKey() { return L"Software\\Ostrel-Software\\Zentra-Vue" + ProductKeySuffix(); }

static std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    if (buffer.size() > 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ProgramFolder() {
  const std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ProgramFileName() {
  const std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace zv
