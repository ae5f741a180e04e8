#pragma once
// Single-instance mode: a second start finds the first instance's player
// window and hands its command line over with WM_APP+4.
#include "app/CmdLineInfo.h"
#include "framework/WinInclude.h"

#include <string>

namespace zv {

struct FirstInstance {
  HWND window = nullptr;   // the first instance's window to talk to, or none
  int processCount = 0;    // running processes of this program, this one included
};

// Looks through the running processes for those of this program (same file
// name, without regard to case). The earliest created, lowest-numbered one
// is the first instance; once it is idle for input (at most idleWaitMs), its
// first top-level window whose title starts with appName is taken.
FirstInstance FindFirstInstance(const std::wstring& programFileName, const std::wstring& appName,
                                DWORD idleWaitMs = 60000);

// Posts every hand-over item to the window, in the fixed order, and the end
// code last. Texts that cannot become a global atom (empty, or longer than
// 255 characters) travel as atom 0 and arrive as empty texts.
void HandOverCommandLine(HWND window, const CCmdLineInfo& info);

}  // namespace zv
