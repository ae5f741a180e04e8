#pragma once
// What the stream tests hear: the platform's Sample Grabber put between the
// audio track switcher and the renderer, measuring the tone of every sample
// that reaches the renderer.
#include "framework/ComPtr.h"
#include "media/AudioSwitcher.h"
#include "media/VideoFile.h"

#include <qedit.h>

#include <mutex>
#include <vector>

namespace zvtest {

struct HeardSample {
  double time = 0;       // stream time in seconds
  double frequency = 0;  // of the first channel, from its rising zero crossings
  int input = -1;        // the switcher's enabled input when it passed
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ToneTap final : public ISampleGrabberCB {
 public:
  explicit ToneTap(zv::CAudioSwitcher* switcher) : switcher_(switcher) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SampleCB(double time, IMediaSample* sample) override;
  HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, LONG) override { return S_OK; }

  // The format of the samples until one brings another.
  void SetFormat(const AM_MEDIA_TYPE& type);
  std::vector<HeardSample> Heard() const;
  size_t Count() const;

 private:
  zv::CAudioSwitcher* switcher_;
  mutable std::mutex mutex_;
  std::vector<HeardSample> heard_;
  bool isFloat_ = false;
  int bits_ = 16;
  int blockAlign_ = 4;
  int rate_ = 44100;
};
#pragma GCC diagnostic pop

// The graph's audio track switcher, or none.
fw::ComPtr<zv::CAudioSwitcher> SwitcherOf(VideoFile& media);

// Puts a Sample Grabber calling `tap` between the switcher's output and the
// renderer of a stopped graph. The grabber stays in the graph.
bool TapSwitcherOutput(VideoFile& media, zv::CAudioSwitcher* switcher, ToneTap* tap);

// Number of filters of a class in the graph.
int FiltersOfClass(VideoFile& media, const CLSID& clsid);

// The frequency heard last and whether any of the last `n` samples had
// another tone than `hz` (within 15 %).
bool RecentlyHeard(const ToneTap& tap, double hz, size_t n = 3);

}  // namespace zvtest
