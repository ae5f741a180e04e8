#pragma once
// Waiting on the user-interface thread for work done elsewhere, with a time
// limit, while the thread's windows keep painting.
#include "framework/WinInclude.h"

namespace fw {

// Waits until one of `objects` is signalled or `limitMs` have passed; returns
// WAIT_OBJECT_0 + index or WAIT_TIMEOUT (WAIT_FAILED for bad handles).
//
// While it waits, the thread dispatches exactly two kinds of messages:
// - messages other threads and processes send to this thread's windows
//   (SendMessage and its kin). The system delivers them whenever the thread
//   looks at its queue, and a worker that talks to a window of this thread
//   (a renderer's window during a graph build) needs them answered;
// - WM_PAINT of this thread's windows, with what painting sends itself
//   (WM_NCPAINT, WM_ERASEBKGND).
// Posted messages, keyboard and mouse input, timers and WM_QUIT stay in the
// queue until the caller's message loop runs again, so nothing the user or a
// posting process does re-enters the caller. Window procedures must still be
// ready for sent messages (a remote-control SendMessage arrives that way).
DWORD WaitKeepingWindowsPainted(const HANDLE* objects, DWORD count, DWORD limitMs);

}  // namespace fw
