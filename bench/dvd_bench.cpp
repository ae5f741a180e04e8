// DVD bench: open a DVD folder to the first picture of its first title
// (CDVD, then PlayTitle 1) against a bare graph that renders and runs the
// title's first VOB as a file, alternating in one run; and a chapter jump to
// the first picture of the new chapter. A picture counts as shown when the
// graph runs and its position has moved on by one frame from the start of
// the segment (Wine's renderer counts no frames and hands out no image while
// it runs). Prints medians and the ratio.
// Usage: bench_dvd <VIDEO_TS folder's parent> <title VOB> [repetitions]
#include "app/Settings.h"
#include "bench/BenchSupport.h"
#include "framework/ComPtr.h"
#include "media/DVD.h"
#include "media/DvdNavigatorChoice.h"
#include "media/dvd/DvdNavigatorObject.h"
#include "media/MediaGuids.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using zv::bench::Median;
using zv::bench::NowMs;
using zv::bench::Pump;

bool WaitUntil(const std::function<bool()>& condition, double ms) {
  const double end = NowMs() + ms;
  while (NowMs() < end) {
    if (condition()) return true;
    Pump();
    Sleep(2);
  }
  return false;
}

// True once the graph presents: running, and its clock has moved the
// position on by a frame. (The renderer's frame counters and its current
// image are not available on every platform while it runs.)
bool Presenting(IGraphBuilder* graph, LONGLONG from) {
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IMediaSeeking> seeking;
  if (FAILED(graph->QueryInterface(IID_IMediaControl, control.put_void())) ||
      FAILED(graph->QueryInterface(IID_IMediaSeeking, seeking.put_void())))
    return false;
  OAFilterState state = State_Stopped;
  LONGLONG position = 0;
  return control->GetState(0, &state) == S_OK && state == State_Running &&
         SUCCEEDED(seeking->GetCurrentPosition(&position)) && position >= from + 400000;
}

double Bare(const std::wstring& vob, HWND owner) {
  const double start = NowMs();
  fw::ComPtr<IGraphBuilder> graph;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              graph.put_void())))
    return -1;
  fw::ComPtr<IBaseFilter> renderer;
  if (SUCCEEDED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                 renderer.put_void())))
    graph->AddFilter(renderer.get(), L"Video Renderer");
  if (FAILED(graph->RenderFile(vob.c_str(), nullptr))) return -1;
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IVideoWindow> window;
  graph.As(control);
  if (SUCCEEDED(graph.As(window))) {
    window->put_Owner(reinterpret_cast<OAHWND>(owner));
    window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  }
  control->Run();
  const bool drawn = WaitUntil([&] { return Presenting(graph.get(), 0); }, 20000);
  const double elapsed = NowMs() - start;
  control->Stop();
  if (window) {
    window->put_Visible(OAFALSE);
    window->put_Owner(0);
  }
  return drawn ? elapsed : -1;
}

DVD_DOMAIN Domain(CDVD& dvd) {
  DVD_DOMAIN domain = DVD_DOMAIN_Stop;
  dvd.DvdInfo()->GetCurrentDomain(&domain);
  return domain;
}

ULONG Chapter(CDVD& dvd) {
  DVD_PLAYBACK_LOCATION2 location{};
  dvd.DvdInfo()->GetCurrentLocation(&location);
  return location.ChapterNum;
}

// Waits for a new picture: our navigator rebuilds the graph behind the
// source for a jump, so the first picture the renderer holds after the
// segment changed is the new one.
bool NewPicture(CDVD& dvd, const std::function<bool()>& arrived) {
  auto* ours = zv::UsesOwnDvdNavigator() ? static_cast<zv::dvd::DvdNavigatorObject*>(dvd.DvdControl()) : nullptr;
  const int segments = ours ? ours->SegmentsPlayed() : 0;
  return WaitUntil(
      [&] {
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        while (dvd.GetEvent(&code, &p1, &p2) == S_OK) {
        }
        if (!arrived() || (ours && ours->SegmentsPlayed() == segments)) return false;
        return Presenting(dvd.Graph(), 0);
      },
      20000);
}

// Returns the open time; `jump` gets the chapter jump's time.
double Ours(const std::wstring& folder, HWND owner, CSettings& settings, double* jump) {
  RECT area{};
  GetClientRect(owner, &area);
  const double start = NowMs();
  CDVD dvd(nullptr, nullptr, owner, GetModuleHandleW(nullptr), folder, RGB(0, 0, 0), &settings, L"Zentravue", nullptr,
           area, area);
  if (!dvd.IsRendered()) return -1;
  dvd.Play();
  dvd.DvdControl()->PlayTitle(1, DVD_CMD_FLAG_Flush, nullptr);
  if (!NewPicture(dvd, [&] { return Domain(dvd) == DVD_DOMAIN_Title; })) return -1;
  const double opened = NowMs() - start;
  WaitUntil([] { return false; }, 300);
  const double jumpStart = NowMs();
  dvd.PlayNextChapter();
  if (!NewPicture(dvd, [&] { return Chapter(dvd) == 2; })) return -1;
  *jump = NowMs() - jumpStart;
  return opened;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: bench_dvd <folder> <title vob> [repetitions]\n");
    return 2;
  }
  const std::wstring folder = argv[1], vob = argv[2];
  const int repetitions = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZvDvdBench";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"DVD bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                               0, 0, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
  CSettings settings(0);
  double jump = 0;
  // The first use of each path loads the platform's libraries.
  if (Bare(vob, owner) < 0) fprintf(stderr, "bench_dvd: the VOB shows no picture\n");
  if (Ours(folder, owner, settings, &jump) < 0) fprintf(stderr, "bench_dvd: the DVD shows no picture\n");
  std::vector<double> bare, ours, jumps;
  for (int i = 0; i < repetitions; ++i) {
    const double b = Bare(vob, owner);
    const double o = Ours(folder, owner, settings, &jump);
    Pump();
    if (b < 0 || o < 0) {
      fprintf(stderr, "bench_dvd: the DVD or the VOB did not play\n");
      return 1;
    }
    bare.push_back(b);
    ours.push_back(o);
    jumps.push_back(jump);
  }
  const double b = Median(bare), o = Median(ours), j = Median(jumps);
  printf("open to first title picture, median of %d: bare VOB RenderFile+Run %.1f ms, DVD folder %.1f ms, "
         "ratio %.3f (goal <= 1.5)\n",
         repetitions, b, o, b > 0 ? o / b : 0.0);
  printf("chapter jump to the first new picture, median: %.1f ms (goal <= 500)\n", j);
  DestroyWindow(owner);
  CoUninitialize();
  return 0;
}
