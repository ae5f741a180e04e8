#pragma once
// The names that depend on how the program runs: the native 64-bit build
// uses "ZentravueX64" and the registry key suffix "X64". Decided once per
// process.
#include <string>

namespace zv {

// "X64" when the native processor architecture is AMD64 and the process does
// not run under 32-bit emulation; otherwise empty.
const std::wstring& ProductKeySuffix();
// "Zentravue" followed by the suffix: the application name, the start of
// every player window title, the log file and the shell registration name.
const std::wstring& AppName();
// "Software\Ostrel-Software\Zentra-Vue" followed by the suffix.
std::wstring ProductKey();

// The folder of the running executable, with its trailing backslash.
std::wstring ProgramFolder();
// The file name of the running executable (its path from the last backslash on).
std::wstring ProgramFileName();

// The rule itself, for tests: the suffix for a given platform report.
// wow64QueryExists: the process-is-under-emulation query is offered.
std::wstring SuffixFor(unsigned short nativeArchitecture, bool wow64QueryExists, bool underWow64);

}  // namespace zv
