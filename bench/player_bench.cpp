// Player window bench: the clock timer's cost per tick and the time from a
// dropped file to its graph running, each as a ratio to the media engine's
// own open-to-running time on the same file, measured in one run.
// Usage (under Wine): bench_player.exe <media file> [repetitions]
#include "bench/BenchPlayer.h"
#include "bench/BenchSupport.h"
#include "framework/WideString.h"
#include "media/VideoFile.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using zv::bench::Median;
using zv::bench::Pump;

double Now() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Running(CMedia* media) {
  long state = -1;
  return media && SUCCEEDED(media->GetState(&state)) && state == kStateRunning;
}

// The engine alone: construct the file object and run it.
double EngineOpenToRunning(HWND owner, CSettings& settings, const std::wstring& file) {
  const RECT area{0, 0, 320, 240};
  const double start = Now();
  VideoFile media(nullptr, nullptr, owner, GetModuleHandleW(nullptr), file, RGB(0, 0, 0), &settings, L"bench",
                  nullptr, area, area);
  media.Play();
  while (!Running(&media) && Now() - start < 30) Pump();
  const double elapsed = Now() - start;
  media.Stop();
  return elapsed;
}

// A drop of one file, as the shell delivers it.
HDROP MakeDrop(const std::wstring& file) {
  const size_t bytes = sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), file.c_str(), file.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_player <media file> [repetitions]\n");
    return 2;
  }
  const std::wstring file = argv[1];
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  CoInitialize(nullptr);
  zv::bench::BenchPlayer bench;
  if (!bench.Create()) return 1;
  CZentravueDlg& player = bench.Window();
  Pump();

  std::vector<double> engine;
  std::vector<double> dropped;
  std::vector<double> ticks;
  for (int i = 0; i < repetitions; ++i) {
    engine.push_back(EngineOpenToRunning(player.hwnd(), bench.Settings(), file));

    const double start = Now();
    SendMessageW(player.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(file)), 0);
    while (!Running(player.CurrentMedia()) && Now() - start < 30) Pump();
    dropped.push_back(Now() - start);

    constexpr int kTicks = 200;
    const double tickStart = Now();
    for (int t = 0; t < kTicks; ++t) player.OnClockTimer();
    ticks.push_back((Now() - tickStart) / kTicks);
    player.CloseMedia(false);
    Pump();
  }
  const double engineMedian = Median(engine);
  const double dropMedian = Median(dropped);
  const double tickMedian = Median(ticks);
  std::printf("engine open-to-running: %.1f ms (median of %d)\n", engineMedian * 1000, repetitions);
  std::printf("dropped file to running: %.1f ms, ratio %.2f\n", dropMedian * 1000, dropMedian / engineMedian);
  std::printf("clock timer tick: %.3f ms, ratio %.4f\n", tickMedian * 1000, tickMedian / engineMedian);
  DestroyWindow(player.hwnd());
  CoUninitialize();
  return 0;
}
