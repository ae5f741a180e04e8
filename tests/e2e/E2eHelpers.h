#pragma once
// Small helpers shared by the end-to-end tests of the application frame.
#include "framework/WinInclude.h"
#include "tests/win/support/TestEnvironment.h"

#include <string>

namespace zvtest {

// The log file the program writes with "/debug" (beside the program).
inline std::wstring ProgramLogPath(const std::wstring& appName) {
  std::wstring program = ProgramPath();
  return program.substr(0, program.find_last_of(L'\\') + 1) + appName + L".log";
}

inline std::wstring ProgramFolderPath() {
  std::wstring program = ProgramPath();
  return program.substr(0, program.find_last_of(L'\\') + 1);
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

}  // namespace zvtest
