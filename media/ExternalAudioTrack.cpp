// VideoFile: a separate audio file laid over the video. The file's own audio
// renderer stays in the graph, disconnected from its decoder while the
// external track plays, and is reconnected with the saved media type when
// the track goes.
#include "media/VideoFile.h"

#include "app/DebugDlg.h"
#include "media/BoundedRender.h"
#include "media/PlatformQuirks.h"

namespace {

constexpr wchar_t kRenderedAudioPin[] = L"Audio Input pin (rendered)";
constexpr wchar_t kExternalRendererName[] = L"External Audio DirectSound Device";

// The renderer's input pin by its id, else its first input pin.
fw::ComPtr<IPin> AudioInputPin(IBaseFilter* renderer) {
  fw::ComPtr<IPin> pin;
  if (SUCCEEDED(renderer->FindPin(kRenderedAudioPin, pin.put())) && pin) return pin;
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(renderer->EnumPins(pins.put()))) return {};
  for (;;) {
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return {};
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_INPUT) return pin;
  }
}

}  // namespace

fw::ComPtr<IBaseFilter> VideoFile::OwnAudioRenderer() const {
  for (const CLSID* clsid : {&CLSID_DSoundRender, &CLSID_AudioRender}) {
    fw::ComPtr<IEnumFilters> filters;
    if (!graph_ || FAILED(graph_->EnumFilters(filters.put()))) return {};
    for (;;) {
      fw::ComPtr<IBaseFilter> filter;
      if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
      CLSID id{};
      if (filter.get() == externalRenderer_.get() || FAILED(filter->GetClassID(&id)) || id != *clsid) continue;
      return filter;
    }
  }
  return {};
}

void VideoFile::ReturnToState(long state) {
  if (state == kStatePaused)
    Pause();
  else if (state == kStateRunning)
    Play();
}

void VideoFile::ForgetOwnAudioPins() {
  ownAudioPin_.Reset();
  ownUpstreamPin_.Reset();
  if (ownConnectionTypeSet_) {
    CoTaskMemFree(ownConnectionType_.pbFormat);
    if (ownConnectionType_.pUnk) ownConnectionType_.pUnk->Release();
    ownConnectionType_ = AM_MEDIA_TYPE{};
    ownConnectionTypeSet_ = false;
  }
}

bool VideoFile::OpenAudioTrack(const std::wstring& audioFile) {
  if (!HasVideo() || !graph_) return false;
  RemoveAudioTrack();
  if (RefusedAsAudioTrack(audioFile)) return false;

  const long volume = GetVolume();
  const long balance = GetBalance();
  const int position = GetPosition();
  long state = kStateStopped;
  GetState(&state);
  StopForEdit();

  if (fw::ComPtr<IBaseFilter> own = OwnAudioRenderer()) {
    ownAudioPin_ = AudioInputPin(own.get());
    if (ownAudioPin_ && SUCCEEDED(ownAudioPin_->ConnectedTo(ownUpstreamPin_.put())) && ownUpstreamPin_ &&
        SUCCEEDED(ownAudioPin_->ConnectionMediaType(&ownConnectionType_))) {
      ownConnectionTypeSet_ = true;
    } else {
      ForgetOwnAudioPins();
    }
  }

  HRESULT rendered = E_FAIL;
  if (SUCCEEDED(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                 externalRenderer_.put_void())) &&
      SUCCEEDED(graph_->AddFilter(externalRenderer_.get(), kExternalRendererName)))
    rendered = LogResult(L"VF_OpenAudioTrack::RenderFile", RenderIntoGraph(audioFile));
  if (rendered == VFW_E_TIMEOUT && !graph_) {
    // The probe rendered the file in time, this build did not: the graph went
    // to its worker with everything that held it, and this media is gone.
    Trace(L"VF_OpenAudioTrack::RenderFileTimedOut");
    rendered_ = false;
    HideVideoWindow();
    return false;
  }
  if (FAILED(rendered)) {
    // Leave the graph as it was.
    if (externalRenderer_) RemoveUpstream(externalRenderer_.get());
    externalRenderer_.Reset();
    ForgetOwnAudioPins();
    ReturnToState(state);
    return false;
  }
  externalAudio_ = true;

  if (ownAudioPin_) {
    graph_->Disconnect(ownUpstreamPin_.get());
    graph_->Disconnect(ownAudioPin_.get());
  }
  SetPosition(position);
  SetVolume(volume);
  SetBalance(balance);
  ReturnToState(state);
  return true;
}

// Renders the file in a graph of its own: a file with a picture of its own is
// no audio track, and neither is one that cannot be opened (in time).
bool VideoFile::RefusedAsAudioTrack(const std::wstring& file) const {
  fw::ComPtr<IGraphBuilder> probe;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              probe.put_void())))
    return true;
  // Where the build runs on a worker, its renderer is made here (see
  // media/PlatformQuirks.h); the platform's is used elsewhere.
  fw::ComPtr<IBaseFilter> renderer;
  if (zv::GraphBuildCanHang() &&
      SUCCEEDED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                 renderer.put_void())))
    probe->AddFilter(renderer.get(), L"Video Renderer");
  const HRESULT hr = zv::RenderFileBounded(probe.get(), file, zv::kRenderTimeLimitMs,
                                           [&](std::vector<fw::ComPtr<IUnknown>>& out) {
                                             out.push_back(fw::ComPtr<IUnknown>::Attach(renderer.Detach()));
                                             out.push_back(fw::ComPtr<IUnknown>::Attach(probe.Detach()));
                                           });
  if (FAILED(LogResult(L"VF_OpenAudioTrack::Probe", hr))) return true;
  // An unconnected renderer has no picture to describe (Wine's even fails
  // reading the format it does not have).
  if (renderer && !IsConnected(renderer.get())) probe->RemoveFilter(renderer.get());
  fw::ComPtr<IBasicVideo2> video;
  return SUCCEEDED(probe.As(video)) && video->IsUsingDefaultSource() == S_OK;
}

namespace {

// The filter and everything upstream of it, the filter first.
void CollectChain(IBaseFilter* filter, std::vector<fw::ComPtr<IBaseFilter>>* chain) {
  for (const auto& known : *chain)
    if (known.get() == filter) return;
  chain->push_back(fw::ComPtr<IBaseFilter>::Share(filter));
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return;
  for (;;) {
    fw::ComPtr<IPin> pin;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return;
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_INPUT) continue;
    fw::ComPtr<IPin> peer;
    PIN_INFO info{};
    if (FAILED(pin->ConnectedTo(peer.put())) || !peer || FAILED(peer->QueryPinInfo(&info))) continue;
    fw::ComPtr<IBaseFilter> upstream = fw::ComPtr<IBaseFilter>::Attach(info.pFilter);
    if (upstream) CollectChain(upstream.get(), chain);
  }
}

}  // namespace

// Removes from the renderer upwards: Wine's splitter crashes when its source
// leaves the graph before it does.
void VideoFile::RemoveUpstream(IBaseFilter* filter) {
  std::vector<fw::ComPtr<IBaseFilter>> chain;
  CollectChain(filter, &chain);
  for (const auto& f : chain) graph_->RemoveFilter(f.get());
}

void VideoFile::RemoveAudioTrack() {
  if (!externalAudio_) return;
  // Without an own audio renderer the external chain still goes, so that no
  // second track can pile up over the first.
  long state = kStateStopped;
  GetState(&state);
  StopForEdit();
  if (externalRenderer_) RemoveUpstream(externalRenderer_.get());
  externalRenderer_.Reset();
  if (ownAudioPin_ && ownUpstreamPin_)
    graph_->ConnectDirect(ownUpstreamPin_.get(), ownAudioPin_.get(), &ownConnectionType_);
  ForgetOwnAudioPins();
  ReturnToState(state);
  externalAudio_ = false;
}

HRESULT VideoFile::SetPosition(int hundredths) {
  if (!CanSeek()) return E_NOTIMPL;
  const bool ownAudioKept = ownAudioPin_ && ownUpstreamPin_;
  long state = kStateStopped;
  if (ownAudioKept) {
    GetState(&state);
    StopForEdit();
    graph_->ConnectDirect(ownUpstreamPin_.get(), ownAudioPin_.get(), &ownConnectionType_);
  }
  HRESULT hr = SeekHundredths(hundredths);
  // The external source follows the file's only after repeated seeks.
  if (externalAudio_) {
    hr = SeekHundredths(hundredths);
    hr = SeekHundredths(hundredths);
  }
  if (ownAudioKept) {
    graph_->Disconnect(ownUpstreamPin_.get());
    graph_->Disconnect(ownAudioPin_.get());
    ReturnToState(state);
  }
  return hr;
}
