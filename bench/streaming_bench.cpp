// Network streams through our source against the same media from disk, in
// one run (medians, alternating):
//   - open to running: VideoFile construction and Play until the graph runs;
//   - seek to the first frame: a seek on a paused graph until the pause is
//     complete again, which the renderer completes with the new picture
//     (over http each seek lands where nothing was read yet);
//   - memory of an endless radio stream: the process's private bytes while
//     it plays, which must level off at the cache's size.
// Usage: bench_streaming <http port> <media folder> <file> [repetitions] [live seconds]
// (0 repetitions: the radio stream only)
#include "app/Settings.h"
#include "bench/BenchSupport.h"
#include "media/VideoFile.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/HttpStream.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zv::bench;

std::unique_ptr<VideoFile> Open(const std::wstring& name, HWND owner, CSettings& settings) {
  RECT area{};
  GetClientRect(owner, &area);
  return std::make_unique<VideoFile>(nullptr, nullptr, owner, GetModuleHandleW(nullptr), name, RGB(0, 0, 0),
                                     &settings, L"Zentravue", nullptr, area, area);
}

// Until a state change is complete: S_OK from GetState.
bool Settled(VideoFile& media, long wanted) {
  for (int i = 0; i < 400; ++i) {
    long state = -1;
    if (media.GetState(&state) == S_OK && state == wanted) return true;
    Pump();
    Sleep(5);
  }
  return false;
}

double OpenToRunning(const std::wstring& name, HWND owner, CSettings& settings) {
  const double start = NowMs();
  auto media = Open(name, owner, settings);
  if (!media->IsRendered()) return -1;
  media->Play();
  const bool running = Settled(*media, kStateRunning);
  const double elapsed = NowMs() - start;
  media->Stop();
  return running ? elapsed : -1;
}

// Seeks a paused medium to each target in turn; the time until the pause is
// complete with the picture at the new place, per seek.
std::vector<double> SeeksToFirstFrame(const std::wstring& name, HWND owner, CSettings& settings,
                                      const std::vector<int>& percents) {
  std::vector<uint64_t> connections;
  std::vector<double> times;
  auto media = Open(name, owner, settings);
  if (!media->IsRendered()) return times;
  media->Pause();
  if (!Settled(*media, kStatePaused)) return times;
  const int duration = media->GetDuration();
  for (int percent : percents) {
    const double start = NowMs();
    if (FAILED(media->SetPosition(duration * percent / 100))) return {};
    if (!Settled(*media, kStatePaused)) return {};
    times.push_back(NowMs() - start);
    if (media->NetworkSource()) connections.push_back(media->NetworkSource()->Stream().Connections());
  }
  media->Stop();
  if (!connections.empty()) {
    printf("  connections after each seek over http:");
    for (uint64_t count : connections) printf(" %llu", static_cast<unsigned long long>(count));
    printf("\n");
  }
  return times;
}

// The process's committed private memory. Wine leaves PrivateUsage at 0;
// its commit charge (PagefileUsage) stands for it there.
SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// Graph events that end the playback, named for the log.
void ReportEvents(VideoFile& media) {
  long code = 0;
  LONG_PTR first = 0, second = 0;
  while (media.GetEvent(&code, &first, &second) == S_OK)
    if (code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT || code == EC_STREAM_ERROR_STOPPED)
      printf("  event 0x%lx (0x%lx)\n", code, static_cast<unsigned long>(first));
}

// Open to running and seek to the first frame, over http against from disk;
// false when the file did not play.
bool CompareWithDisk(const std::wstring& disk, const std::wstring& http, int repetitions, HWND owner,
                     CSettings& settings) {
  // The first use of each path loads the platform's libraries.
  OpenToRunning(disk, owner, settings);
  OpenToRunning(http, owner, settings);
  std::vector<double> fromDisk, overHttp;
  for (int i = 0; i < repetitions; ++i) {
    const double d = OpenToRunning(disk, owner, settings);
    const double h = OpenToRunning(http, owner, settings);
    if (d < 0 || h < 0) {
      fprintf(stderr, "bench_streaming: the file did not play\n");
      return false;
    }
    fromDisk.push_back(d);
    overHttp.push_back(h);
  }
  const double d = Median(fromDisk), h = Median(overHttp);
  printf("open to running, median of %d: disk %.1f ms, http %.1f ms, ratio %.3f (goal <= 1.5)\n", repetitions, d, h,
         d > 0 ? h / d : 0.0);

  const std::vector<int> percents = {70, 20, 90, 45, 10, 60, 80, 30, 55};
  std::vector<double> diskSeeks, httpSeeks;
  for (int i = 0; i < std::max(1, repetitions / 3); ++i) {
    const auto ds = SeeksToFirstFrame(disk, owner, settings, percents);
    const auto hs = SeeksToFirstFrame(http, owner, settings, percents);
    if (ds.empty() || hs.empty()) {
      fprintf(stderr, "bench_streaming: seeking failed\n");
      return false;
    }
    diskSeeks.insert(diskSeeks.end(), ds.begin(), ds.end());
    httpSeeks.insert(httpSeeks.end(), hs.begin(), hs.end());
  }
  const double ds = Median(diskSeeks), hs = Median(httpSeeks);
  printf("seek to first frame, median of %zu: disk %.1f ms, http %.1f ms, ratio %.3f (goal <= 2)\n",
         diskSeeks.size(), ds, hs, ds > 0 ? hs / ds : 0.0);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: bench_streaming <http port> <media folder> <file> [repetitions] [live seconds]\n");
    return 2;
  }
  const std::wstring base = L"http://127.0.0.1:" + std::wstring(argv[1]);
  const std::wstring disk = std::wstring(argv[2]) + L"\\" + argv[3];
  const std::wstring http = base + L"/ranges/" + argv[3];
  // 0 repetitions: only the radio stream.
  const int repetitions = argc > 4 ? std::max(0, _wtoi(argv[4])) : 7;
  const int liveSeconds = argc > 5 ? std::max(10, _wtoi(argv[5])) : 180;

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZvStreamingBench";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Streaming bench",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                               wc.hInstance, nullptr);
  CSettings settings(0);

  if (repetitions > 0 && !CompareWithDisk(disk, http, repetitions, owner, settings)) return 1;

  // A small cache shows where memory levels off within minutes: a stream of
  // 320 kbit/s passes 4 MB in under two minutes.
  zv::net::Limits().cacheBytes = 4u << 20;
  zv::net::Limits().readAheadBytes = 1u << 20;
  auto live = Open(base + L"/live.mp3?bps=40000", owner, settings);
  if (!live->IsRendered() || FAILED(live->Play())) {
    fprintf(stderr, "bench_streaming: the radio stream did not play\n");
    return 1;
  }
  std::vector<double> megabytes;
  const int samples = liveSeconds / 10;
  for (int i = 0; i <= samples; ++i) {
    megabytes.push_back(static_cast<double>(PrivateBytes()) / (1 << 20));
    ReportEvents(*live);
    printf("  live %3d s: private %.1f MB, working set %.1f MB, received %.1f MB, position %d s%s\n", i * 10,
           megabytes.back(), static_cast<double>(WorkingSet()) / (1 << 20),
           static_cast<double>(live->NetworkSource()->Stream().BytesReceived()) / (1 << 20),
           live->GetPosition() / 100, live->NetworkSource()->Stream().ReaderWaiting() ? ", reader waiting" : "");
    fflush(stdout);
    if (i < samples) PumpFor(10000);
  }
  const double closing = NowMs();
  live.reset();
  const double closeMs = NowMs() - closing;
  // Growth over the second half, once the cache is full.
  const double middle = megabytes[megabytes.size() / 2], last = megabytes.back();
  const double peak = *std::max_element(megabytes.begin(), megabytes.end());
  printf("live stream memory over %d s: middle %.1f MB, end %.1f MB, peak %.1f MB, second-half growth %.1f MB "
         "(cache 4 MB); closed in %.0f ms\n",
         liveSeconds, middle, last, peak, last - middle, closeMs);

  DestroyWindow(owner);
  CoUninitialize();
  return 0;
}
