#pragma once
#include <string>

namespace zv {

// Starts a program with the verb "runas" (asking for administrator rights),
// shown normally, and waits until it has ended. While it waits, messages sent
// by other threads and processes are answered and windows are repainted, so
// that neither a broadcast of the other process nor the own window hangs;
// input, timers and posted messages wait until it returns, so nothing
// re-enters the caller. False when the program could not be started (the
// user refused the elevation, or the file is missing).
bool RunElevatedAndWait(const std::wstring& program, const std::wstring& parameters);

// Starts a program shown normally without waiting for it; false on failure.
bool StartProgram(const std::wstring& program, const std::wstring& parameters);

}  // namespace zv
