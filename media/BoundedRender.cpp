#include "media/BoundedRender.h"

#include "framework/Handle.h"
#include "framework/PaintingWait.h"
#include "media/PlatformQuirks.h"

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
  // When the caller gave up, the last references go here.
  abandoned.clear();
  job->graph->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

}  // namespace

HRESULT RenderFileBounded(IGraphBuilder* graph, const std::wstring& file, DWORD limitMs,
                          const GraphHandOver& handOver) {
  if (!graph) return E_POINTER;
  if (!GraphBuildCanHang()) return graph->RenderFile(file.c_str(), nullptr);
  auto job = std::make_shared<RenderJob>();
  if (!job->done) return E_OUTOFMEMORY;
  job->graph = graph;
  job->graph->AddRef();
  job->file = file;
  auto* parameter = new std::shared_ptr<RenderJob>(job);
  fw::KernelHandle thread(CreateThread(nullptr, 0, RenderWorker, parameter, 0, nullptr));
  if (!thread) {
    delete parameter;
    job->graph->Release();
    return HRESULT_FROM_WIN32(GetLastError());
  }

  HANDLE done = job->done.get();
  fw::WaitKeepingWindowsPainted(&done, 1, limitMs);
  std::lock_guard<std::mutex> guard(job->lock);
  if (job->finished) return job->result;
  // Time is up: the worker takes the caller's references.
  if (handOver) handOver(job->abandoned);
  ++g_abandoned;
  return VFW_E_TIMEOUT;
}

int AbandonedGraphBuilds() { return g_abandoned; }

void EndProcessIfGraphsAbandoned(UINT exitCode) {
  if (g_abandoned == 0) return;
  fflush(nullptr);
  TerminateProcess(GetCurrentProcess(), exitCode);
}

}  // namespace zv
