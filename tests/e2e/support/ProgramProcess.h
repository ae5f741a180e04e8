#pragma once
// A real second process running the built program, for end-to-end tests.
#include "framework/Handle.h"
#include "framework/WinInclude.h"

#include <string>

namespace zvtest {

class ProgramProcess {
 public:
  // Starts the test program with a command line (after the program name).
  explicit ProgramProcess(const std::wstring& arguments);
  // Starts another program (the shipped one, say), in a working folder of
  // the test's choice when one is given.
  ProgramProcess(const std::wstring& arguments, const std::wstring& program, const std::wstring& workingFolder = {});
  ~ProgramProcess();  // ends the process if it still runs

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }

  // Waits for a visible top-level window of the given class that belongs to
  // the process; nullptr when none appears in time.
  HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs) const;
  // Waits for the process to end; returns its exit code, or -1 on time-out.
  long WaitForExit(DWORD timeoutMs) const;
  void Kill();

 private:
  fw::KernelHandle process_;
  DWORD id_ = 0;
};

std::wstring WindowClassOf(HWND hwnd);
std::wstring WindowTitleOf(HWND hwnd);

}  // namespace zvtest
