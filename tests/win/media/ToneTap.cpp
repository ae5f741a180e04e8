#include "tests/win/media/ToneTap.h"

#include "media/MediaTypes.h"

#include <mmreg.h>

#include <cmath>
#include <cstring>

namespace zvtest {
namespace {
// The platform's Sample Grabber (the MinGW headers do not declare it).
const CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
}  // namespace

HRESULT ToneTap::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
    *out = static_cast<ISampleGrabberCB*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

void ToneTap::SetFormat(const AM_MEDIA_TYPE& type) {
  if (type.formattype != FORMAT_WaveFormatEx || type.cbFormat < sizeof(WAVEFORMATEX) || !type.pbFormat) return;
  const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
  std::lock_guard<std::mutex> lock(mutex_);
  bits_ = wave->wBitsPerSample;
  blockAlign_ = wave->nBlockAlign ? wave->nBlockAlign : 1;
  rate_ = static_cast<int>(wave->nSamplesPerSec);
  isFloat_ = wave->wFormatTag == WAVE_FORMAT_IEEE_FLOAT;
  if (wave->wFormatTag == WAVE_FORMAT_EXTENSIBLE && type.cbFormat >= sizeof(WAVEFORMATEXTENSIBLE)) {
    const auto* extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(type.pbFormat);
    isFloat_ = extensible->SubFormat.Data1 == WAVE_FORMAT_IEEE_FLOAT;  // the sub-format GUID carries the tag
  }
}

HRESULT ToneTap::SampleCB(double time, IMediaSample* sample) {
  AM_MEDIA_TYPE* carried = nullptr;
  if (sample->GetMediaType(&carried) == S_OK && carried) {
    SetFormat(*carried);
    zv::DeleteMediaType(carried);
  }
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
  const long length = sample->GetActualDataLength();
  std::lock_guard<std::mutex> lock(mutex_);
  const long frames = length / blockAlign_;
  if (frames < 256) return S_OK;
  auto value = [&](long frame) {
    const BYTE* at = data + frame * blockAlign_;
    if (isFloat_ && bits_ == 32) {
      float v;
      memcpy(&v, at, sizeof v);
      return static_cast<double>(v);
    }
    int16_t v;
    memcpy(&v, at, sizeof v);
    return static_cast<double>(v);
  };
  int rising = 0;
  for (long i = 1; i < frames; ++i)
    if (value(i - 1) < 0 && value(i) >= 0) ++rising;
  heard_.push_back({time, rising * static_cast<double>(rate_) / static_cast<double>(frames),
                    switcher_ ? switcher_->EnabledInput() : -1});
  return S_OK;
}

std::vector<HeardSample> ToneTap::Heard() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return heard_;
}

size_t ToneTap::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return heard_.size();
}

fw::ComPtr<zv::CAudioSwitcher> SwitcherOf(VideoFile& media) {
  fw::ComPtr<IBaseFilter> filter;
  if (!media.Graph() || FAILED(media.Graph()->FindFilterByName(zv::CAudioSwitcher::kFilterName, filter.put())))
    return {};
  return zv::CAudioSwitcher::FromFilter(filter.get());
}

bool TapSwitcherOutput(VideoFile& media, zv::CAudioSwitcher* switcher, ToneTap* tap) {
  IGraphBuilder* graph = media.Graph();
  fw::ComPtr<IPin> renderer;
  if (!graph || FAILED(switcher->Output()->ConnectedTo(renderer.put()))) return false;
  AM_MEDIA_TYPE type{};
  if (FAILED(switcher->Output()->ConnectionMediaType(&type))) return false;
  tap->SetFormat(type);
  fw::ComPtr<IBaseFilter> grabber;
  fw::ComPtr<ISampleGrabber> control;
  bool ok = SUCCEEDED(CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                       grabber.put_void())) &&
            SUCCEEDED(grabber->QueryInterface(IID_ISampleGrabber, control.put_void())) &&
            SUCCEEDED(graph->AddFilter(grabber.get(), L"Tone Tap"));
  if (ok) {
    control->SetBufferSamples(FALSE);
    control->SetCallback(tap, 0);
    fw::ComPtr<IEnumPins> pins;
    fw::ComPtr<IPin> in, out;
    grabber->EnumPins(pins.put());
    for (;;) {
      fw::ComPtr<IPin> pin;
      if (pins->Next(1, pin.put(), nullptr) != S_OK) break;
      PIN_DIRECTION direction;
      pin->QueryDirection(&direction);
      (direction == PINDIR_INPUT ? in : out) = std::move(pin);
    }
    ok = in && out && SUCCEEDED(graph->Disconnect(switcher->Output())) &&
         SUCCEEDED(graph->Disconnect(renderer.get())) &&
         SUCCEEDED(graph->ConnectDirect(switcher->Output(), in.get(), &type)) &&
         SUCCEEDED(graph->ConnectDirect(out.get(), renderer.get(), &type));
  }
  zv::FreeMediaType(type);
  return ok;
}

int FiltersOfClass(VideoFile& media, const CLSID& clsid) {
  int count = 0;
  fw::ComPtr<IEnumFilters> filters;
  if (!media.Graph() || FAILED(media.Graph()->EnumFilters(filters.put()))) return 0;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
    CLSID id{};
    if (SUCCEEDED(filter->GetClassID(&id)) && id == clsid) ++count;
  }
  return count;
}

bool RecentlyHeard(const ToneTap& tap, double hz, size_t n) {
  const std::vector<HeardSample> heard = tap.Heard();
  if (heard.size() < n) return false;
  for (size_t i = heard.size() - n; i < heard.size(); ++i)
    if (std::fabs(heard[i].frequency - hz) > 0.15 * hz) return false;
  return true;
}

}  // namespace zvtest
