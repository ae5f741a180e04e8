// VideoFile: a separate audio file laid over the video. The file's own audio
// renderer stays in the graph, disconnected from its decoder while the
// external track plays, and is reconnected with the saved media type when
// the track goes.
#include "media/VideoFile.h"

#include "app/DebugDlg.h"

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

  // A file with a picture of its own is not an audio track.
  {
    fw::ComPtr<IGraphBuilder> probe;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                probe.put_void())) ||
        FAILED(probe->RenderFile(audioFile.c_str(), nullptr)))
      return false;
    fw::ComPtr<IBasicVideo2> video;
    if (SUCCEEDED(probe.As(video)) && video->IsUsingDefaultSource() == S_OK) return false;
  }

  const long volume = GetVolume();
  const long balance = GetBalance();
  const int position = GetPosition();
  long state = kStateStopped;
  GetState(&state);
  Stop();
  WaitForStateChange();

  if (fw::ComPtr<IBaseFilter> own = OwnAudioRenderer()) {
    ownAudioPin_ = AudioInputPin(own.get());
    if (ownAudioPin_ && SUCCEEDED(ownAudioPin_->ConnectedTo(ownUpstreamPin_.put())) && ownUpstreamPin_ &&
        SUCCEEDED(ownAudioPin_->ConnectionMediaType(&ownConnectionType_))) {
      ownConnectionTypeSet_ = true;
    } else {
      ForgetOwnAudioPins();
    }
  }

  if (FAILED(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              externalRenderer_.put_void())) ||
      FAILED(graph_->AddFilter(externalRenderer_.get(), kExternalRendererName)) ||
      FAILED(LogResult(L"VF_OpenAudioTrack::RenderFile", graph_->RenderFile(audioFile.c_str(), nullptr)))) {
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
  Stop();
  WaitForStateChange();
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
    Stop();
    WaitForStateChange();
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
