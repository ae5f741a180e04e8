#pragma once
// Building a file's graph with a time limit. The platform's splitters can
// wait forever inside RenderFile on a damaged file (seen with a truncated
// AVI under Wine); the player must stay usable, so the graph is built on a
// worker thread while the calling thread waits a bounded time.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"

#include <dshow.h>

#include <string>
#include <vector>

namespace zv {

constexpr DWORD kRenderTimeLimitMs = 15000;

// Renders `file` into `graph` and returns RenderFile's result, or
// VFW_E_TIMEOUT when it did not finish within `limitMs`.
//
// While waiting, the calling thread dispatches sent and paint messages only:
// the renderer's window belongs to this thread and the graph builder talks to
// it with SendMessage, but input and timers stay queued, so the caller is not
// re-entered while it is half constructed.
//
// On time-out `graph` and every reference in `keep` are handed to the worker
// and come back empty. They are deliberately not released here: the stuck
// RenderFile holds the graph's locks, and the worker drops them itself if it
// ever returns. A graph that never returns stays allocated with its thread
// until the process ends.
HRESULT RenderFileBounded(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& file, DWORD limitMs,
                          std::vector<fw::ComPtr<IUnknown>>& keep);

// How many graph builds this process gave up on.
int AbandonedGraphBuilds();

// Under Wine a process that still has a stuck graph build tends to crash
// while its libraries shut down at exit (the platform's decoder threads are
// still inside the build). Call this as the very last step of the program:
// with an abandoned build it ends the process at once with `exitCode`,
// skipping the libraries' shutdown; otherwise it returns and the normal exit
// follows. The platform's own threads can still fault on the way out, which
// then only changes the exit code.
void EndProcessIfGraphsAbandoned(UINT exitCode);

}  // namespace zv
