// Open-to-running latency of a file: our media object (construct VideoFile,
// then Play until the graph runs) against a bare program doing RenderFile
// and Run on the same file, alternating in one run. Prints both medians and
// their ratio. Usage: bench_media <file> [repetitions] [VideoRenderer setting]
// (a setting that names no renderer leaves the choice to the platform).
#include "app/Settings.h"
#include "bench/BenchSupport.h"
#include "framework/ComPtr.h"
#include "media/VideoFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zv::bench;

// RenderFile + Run, with the renderer's window made a child of the owner as
// any player does. Returns milliseconds, negative on failure.
// classic: the Video Renderer is added first, as our object does on Wine;
// otherwise the platform picks its renderer.
double Bare(const std::wstring& file, HWND owner, bool classic = false) {
  const double start = NowMs();
  fw::ComPtr<IGraphBuilder> graph;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              graph.put_void())))
    return -1;
  fw::ComPtr<IBaseFilter> renderer;
  if (classic && SUCCEEDED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                            renderer.put_void())))
    graph->AddFilter(renderer.get(), L"Video Renderer");
  if (FAILED(graph->RenderFile(file.c_str(), nullptr))) return -1;
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IVideoWindow> window;
  graph.As(control);
  if (SUCCEEDED(graph.As(window))) {
    window->put_Owner(reinterpret_cast<OAHWND>(owner));
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  }
  control->Run();
  const bool running = WaitRunning(control.get());
  const double elapsed = NowMs() - start;
  control->Stop();
  if (window) {
    window->put_Visible(OAFALSE);
    window->put_Owner(0);
  }
  return running ? elapsed : -1;
}

double Ours(const std::wstring& file, HWND owner, CSettings& settings) {
  RECT area{};
  GetClientRect(owner, &area);
  const double start = NowMs();
  auto media = std::make_unique<VideoFile>(nullptr, nullptr, owner, GetModuleHandleW(nullptr), file, RGB(0, 0, 0),
                                           &settings, L"Zentravue", nullptr, area, area);
  if (!media->IsRendered()) return -1;
  media->Play();
  long state = -1;
  const bool running = SUCCEEDED(media->GetState(&state)) && state == kStateRunning;
  const double elapsed = NowMs() - start;
  media->Stop();
  return running ? elapsed : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: bench_media <file> [repetitions] [renderer setting]\n");
    return 2;
  }
  const std::wstring file = argv[1];
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZvMediaBench";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Media bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                               0, 0, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
  CSettings settings(0);
  if (argc > 3) {
    const std::wstring renderer = argv[3];
    settings.VideoRenderer.assign(renderer.begin(), renderer.end());
  }
  // The first use of each path loads the platform's libraries.
  Bare(file, owner);
  Ours(file, owner, settings);
  Bare(file, owner, true);
  std::vector<double> bare, classic, ours;
  for (int i = 0; i < repetitions; ++i) {
    const double b = Bare(file, owner);
    const double c = Bare(file, owner, true);
    classic.push_back(c);
    const double o = Ours(file, owner, settings);
    Pump();
    if (b < 0 || o < 0) {
      fprintf(stderr, "bench_media: the file did not play\n");
      return 1;
    }
    bare.push_back(b);
    ours.push_back(o);
  }
  const double b = Median(bare), c = Median(classic), o = Median(ours);
  printf("open to running, median of %d: bare RenderFile+Run %.1f ms, VideoFile+Play %.1f ms, ratio %.3f (goal <= 1.15)\n",
         repetitions, b, o, b > 0 ? o / b : 0.0);
  printf("same renderer: bare with the Video Renderer added first %.1f ms, ratio %.3f\n", c, c > 0 ? o / c : 0.0);
  DestroyWindow(owner);
  CoUninitialize();
  return 0;
}
