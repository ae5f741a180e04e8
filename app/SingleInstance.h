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
// name, without regard to case). The earliest created one (the lowest id
// among those created at the same moment) is the first instance; once it is idle for input (at most idleWaitMs), its
// first top-level window whose title starts with appName is taken.
FirstInstance FindFirstInstance(const std::wstring& programFileName, const std::wstring& appName,
                                DWORD idleWaitMs = 60000);

// Posts every hand-over item to the window, in the fixed order, and the end
// code last. Texts that cannot become a global atom (empty, or longer than
// 255 characters) travel as atom 0 and arrive as empty texts. The media and
// audio names go as full paths (addresses with "://" as they are). False
// when a message could not be posted (the window is gone): the caller then
// runs a player of its own rather than dropping the file.
bool HandOverCommandLine(HWND window, const CCmdLineInfo& info);

// A file name made absolute against the current folder; empty names and
// addresses with "://" stay as they are.
std::wstring AbsoluteName(const std::wstring& name);

}  // namespace zv
