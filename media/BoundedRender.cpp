#include "media/BoundedRender.h"

#include "framework/Handle.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

namespace zv {
namespace {

std::atomic<int> g_abandoned{0};

// Shared by the caller and the worker; the last of the two frees it.
struct RenderJob {
  IGraphBuilder* graph = nullptr;  // the worker's own reference
  std::wstring file;
  fw::KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::mutex lock;
  bool finished = false;
  std::vector<fw::ComPtr<IUnknown>> abandoned;
  HRESULT result = E_FAIL;
};

DWORD WINAPI RenderWorker(void* parameter) {
  std::shared_ptr<RenderJob> job = std::move(*static_cast<std::shared_ptr<RenderJob>*>(parameter));
  delete static_cast<std::shared_ptr<RenderJob>*>(parameter);
  // The graph is free-threaded; this thread only needs COM of its own.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const HRESULT result = job->graph->RenderFile(job->file.c_str(), nullptr);
  std::vector<fw::ComPtr<IUnknown>> abandoned;
  {
    std::lock_guard<std::mutex> guard(job->lock);
    job->result = result;
    job->finished = true;
    abandoned.swap(job->abandoned);
  }
  SetEvent(job->done.get());
  // When the caller gave up, the last references go here, renderers first.
  abandoned.clear();
  job->graph->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

// Dispatches what may arrive from the worker (sent messages) and repaints;
// everything else waits in the queue.
void DispatchSentAndPaint() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

HRESULT RenderFileBounded(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& file, DWORD limitMs,
                          std::vector<fw::ComPtr<IUnknown>>& keep) {
  if (!graph) return E_POINTER;
  auto job = std::make_shared<RenderJob>();
  if (!job->done) return graph->RenderFile(file.c_str(), nullptr);
  job->graph = graph.get();
  job->graph->AddRef();
  job->file = file;
  auto* parameter = new std::shared_ptr<RenderJob>(job);
  fw::KernelHandle thread(CreateThread(nullptr, 0, RenderWorker, parameter, 0, nullptr));
  if (!thread) {
    delete parameter;
    job->graph->Release();
    return graph->RenderFile(file.c_str(), nullptr);
  }

  const ULONGLONG deadline = GetTickCount64() + limitMs;
  HANDLE done = job->done.get();
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    const DWORD wait = MsgWaitForMultipleObjects(1, &done, FALSE, left, QS_SENDMESSAGE | QS_PAINT);
    if (wait == WAIT_OBJECT_0 + 1 && left > 0) {
      DispatchSentAndPaint();
      continue;
    }
    std::lock_guard<std::mutex> guard(job->lock);
    if (job->finished) return job->result;
    // Time is up: the worker takes the graph and the caller's references.
    for (auto& reference : keep) job->abandoned.push_back(std::move(reference));
    job->abandoned.push_back(fw::ComPtr<IUnknown>::Attach(graph.Detach()));
    ++g_abandoned;
    return VFW_E_TIMEOUT;
  }
}

int AbandonedGraphBuilds() { return g_abandoned; }

void EndProcessIfGraphsAbandoned(UINT exitCode) {
  if (g_abandoned == 0) return;
  fflush(nullptr);
  TerminateProcess(GetCurrentProcess(), exitCode);
}

}  // namespace zv
