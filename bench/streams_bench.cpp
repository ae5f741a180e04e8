// Audio track switching, in one run on a file with several audio tracks:
//  1. a track switch until the first sample of the new track reaches the
//     renderer, as a ratio to one frame time of the video (goal <= 2);
//  2. open-to-running of the graph with the audio track switcher put in,
//     against the platform's graph of the same file without it, alternating
//     (goal <= 1.05).
// Usage: bench_streams <file> [repetitions]
#include "bench/BenchSupport.h"
#include "framework/ComPtr.h"
#include "media/AudioSwitcher.h"
#include "media/MediaGuids.h"
#include "media/StreamSelection.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace zv::bench;

struct Graph {
  fw::ComPtr<IGraphBuilder> graph;
  fw::ComPtr<IMediaControl> control;
};

// RenderFile, the switcher when asked for, Run: milliseconds until the graph
// runs, negative on failure. The graph stays running in `out`.
double OpenToRunning(const std::wstring& file, HWND owner, bool switcher, Graph* out) {
  const double start = NowMs();
  Graph g;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, g.graph.put_void())) ||
      FAILED(g.graph->RenderFile(file.c_str(), nullptr)))
    return -1;
  if (switcher && zv::InsertAudioSwitchers(g.graph.get(), file, L"Audio") != 1) return -1;
  g.graph.As(g.control);
  fw::ComPtr<IVideoWindow> window;
  if (SUCCEEDED(g.graph.As(window))) {
    window->put_Owner(reinterpret_cast<OAHWND>(owner));
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  }
  g.control->Run();
  const bool running = WaitRunning(g.control.get());
  const double elapsed = NowMs() - start;
  *out = std::move(g);
  return running ? elapsed : -1;
}

void Close(Graph& g) {
  if (g.control) g.control->Stop();
  fw::ComPtr<IVideoWindow> window;
  if (g.graph && SUCCEEDED(g.graph.As(window))) {
    window->put_Visible(OAFALSE);
    window->put_Owner(0);
  }
  g = Graph{};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: bench_streams <file> [repetitions]\n");
    return 2;
  }
  const std::wstring file = argv[1];
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZvStreamsBench";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Streams bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                               480, nullptr, nullptr, wc.hInstance, nullptr);

  // 1. Switch latency against the frame time.
  Graph g;
  if (OpenToRunning(file, owner, true, &g) < 0) {
    fprintf(stderr, "bench_streams: the file did not play with the switcher\n");
    return 1;
  }
  fw::ComPtr<IBaseFilter> filter;
  g.graph->FindFilterByName(zv::CAudioSwitcher::kFilterName, filter.put());
  fw::ComPtr<zv::CAudioSwitcher> switcher = zv::CAudioSwitcher::FromFilter(filter.get());
  double frameSeconds = 0.04;
  fw::ComPtr<IBasicVideo> video;
  REFTIME perFrame = 0;
  if (SUCCEEDED(g.graph->QueryInterface(IID_IBasicVideo, video.put_void())) &&
      SUCCEEDED(video->get_AvgTimePerFrame(&perFrame)) && perFrame > 0)
    frameSeconds = perFrame;
  PumpFor(500);
  std::vector<double> switches;
  for (int i = 0; i < repetitions * 2 && switcher; ++i) {
    const size_t target = static_cast<size_t>(1 - switcher->EnabledInput());
    const long long before = switcher->SampleCounts(target).delivered;
    const double start = NowMs();
    switcher->Enable(static_cast<LONG>(target), AMSTREAMSELECTENABLE_ENABLE);
    while (switcher->SampleCounts(target).delivered == before && NowMs() - start < 5000) Sleep(0);
    switches.push_back(NowMs() - start);
    PumpFor(250);
  }
  Close(g);
  switcher.Reset();
  filter.Reset();
  const double switchMs = Median(switches);
  printf("track switch to the first sample of the new track at the renderer, median of %d: %.1f ms = %.2f frames "
         "of %.1f ms (goal <= 2)\n",
         static_cast<int>(switches.size()), switchMs, switchMs / (frameSeconds * 1000.0), frameSeconds * 1000.0);

  // 2. Open to running with and without the switcher.
  for (bool withSwitcher : {false, true}) {  // first use loads the platform's libraries
    Graph warm;
    OpenToRunning(file, owner, withSwitcher, &warm);
    Close(warm);
  }
  std::vector<double> plain, switched;
  for (int i = 0; i < repetitions; ++i) {
    Graph a, b;
    const double p = OpenToRunning(file, owner, false, &a);
    Close(a);
    const double s = OpenToRunning(file, owner, true, &b);
    Close(b);
    if (p < 0 || s < 0) {
      fprintf(stderr, "bench_streams: the file did not play\n");
      return 1;
    }
    plain.push_back(p);
    switched.push_back(s);
  }
  const double p = Median(plain), s = Median(switched);
  printf("open to running, median of %d: platform's graph %.1f ms, with the switcher %.1f ms, ratio %.3f "
         "(goal <= 1.05)\n",
         repetitions, p, s, p > 0 ? s / p : 0.0);
  DestroyWindow(owner);
  CoUninitialize();
  return 0;
}
