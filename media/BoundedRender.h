#pragma once
// Rendering a file into a graph without freezing the player where the
// platform's graph builder can hang (media/PlatformQuirks.h).
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"

#include <dshow.h>

#include <functional>
#include <string>
#include <vector>

namespace zv {

constexpr DWORD kRenderTimeLimitMs = 15000;

// Moves every reference the caller holds on a graph that is being given up
// (the graph's own, its interfaces', its filters') into the vector.
using GraphHandOver = std::function<void(std::vector<fw::ComPtr<IUnknown>>&)>;

// Renders `file` into `graph` and returns RenderFile's result.
//
// Where the platform's build can hang, RenderFile runs on a worker thread
// while this thread waits at most `limitMs` (fw::WaitKeepingWindowsPainted
// says what the wait dispatches: sent messages and painting, nothing else).
// The caller must have created every renderer the file needs on its own
// thread beforehand: a window created on the worker would die with it.
// When time is up, `handOver` moves the caller's references into the worker's
// keeping and the result is VFW_E_TIMEOUT. They are deliberately not released
// here: the stuck RenderFile holds the graph's locks, and the worker drops
// them itself if it ever returns. A graph that never returns stays allocated
// with its thread until the process ends.
//
// Elsewhere RenderFile runs on this thread.
HRESULT RenderFileBounded(IGraphBuilder* graph, const std::wstring& file, DWORD limitMs,
                          const GraphHandOver& handOver);

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
