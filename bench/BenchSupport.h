#pragma once
// What every bench program needs: a millisecond clock, the median of a run,
// the messages of the bench's own windows pumped, and a graph waited for.
#include "framework/WinInclude.h"

#include <dshow.h>

#include <algorithm>
#include <vector>

namespace zv::bench {

inline double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double NowSeconds() { return NowMs() / 1000.0; }

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Dispatches what is queued for this thread.
inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Keeps this thread's windows answering for `ms` milliseconds.
inline void PumpFor(double ms) {
  const double until = NowMs() + ms;
  do {
    Pump();
    Sleep(1);
  } while (NowMs() < until);
}

// True once the graph runs (five seconds at the most), pumping meanwhile.
inline bool WaitRunning(IMediaControl* control) {
  OAFilterState state = State_Stopped;
  for (int i = 0; i < 100; ++i) {
    if (control->GetState(50, &state) == S_OK && state == State_Running) return true;
    Pump();
  }
  return false;
}

}  // namespace zv::bench
