#include "media/DirectShow.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/BoundedRender.h"
#include "media/PlatformQuirks.h"
#include "media/VideoWindow.h"

#include <dvdmedia.h>

#include <algorithm>

namespace {

constexpr LONGLONG kReferencePerHundredth = 100000;
constexpr HRESULT kStateIntermediate = VFW_S_STATE_INTERMEDIATE;
constexpr DWORD kStateChangeSleepMs = 25;
constexpr DWORD kStateChangeTimeoutMs = 1000;

bool VolumeInRange(long v) { return v >= -10000 && v <= 0; }
bool BalanceInRange(long v) { return v >= -10000 && v <= 10000; }

// The average time per frame (100 ns units) of a filter's connected video
// input; 0 when it has none.
REFERENCE_TIME InputTimePerFrame(IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return 0;
  for (;;) {
    fw::ComPtr<IPin> pin;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return 0;
    AM_MEDIA_TYPE type{};
    if (FAILED(pin->ConnectionMediaType(&type))) continue;
    REFERENCE_TIME perFrame = 0;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER) && type.pbFormat)
      perFrame = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame;
    else if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2) && type.pbFormat)
      perFrame = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat)->AvgTimePerFrame;
    CoTaskMemFree(type.pbFormat);
    if (type.pUnk) type.pUnk->Release();
    if (perFrame > 0) return perFrame;
  }
}

}  // namespace

CDirectShow::CDirectShow(HINSTANCE instance, HWND owner, CSettings* settings, const RECT& videoRect,
                         std::wstring title, HICON icon)
    : CMedia(instance, owner, settings, videoRect, std::move(title), icon) {
  CreateRenderer();
  CoCreateInstance(CLSID_ZvFfdshowVideoDecoder, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                   decoder_.put_void());
  EnsureVideoWindow();
}

CDirectShow::~CDirectShow() {
  ReleaseGraph();
  displayControl_.Reset();
  mixerControl_.Reset();
  rendererInUse_ = nullptr;
  classicRenderer_.Reset();
  enhancedRenderer_.Reset();
  standInRenderer_.Reset();
  decoder_.Reset();
  audioRenderers_.clear();
}

void CDirectShow::ReleaseGraph() {
  if (mediaControl_) mediaControl_->Stop();
  if (mediaEvents_) mediaEvents_->SetNotifyWindow(0, 0, 0);
  mediaEvents_.Reset();
  if (videoWindow_) {
    OAHWND owner = 0;
    if (SUCCEEDED(videoWindow_->get_Owner(&owner)) && owner) {
      videoWindow_->put_Visible(OAFALSE);
      videoWindow_->put_MessageDrain(0);
      videoWindow_->put_Owner(0);
    }
  }
  closedCaptions_.Reset();
  overlayPinConfig_.Reset();
  overlayMixer_.Reset();
  quality_.Reset();
  basicAudio_.Reset();
  mediaSeeking_.Reset();
  basicVideo_.Reset();
  mediaControl_.Reset();
  videoWindow_.Reset();
  if (rotCookie_ != 0) {
    RemoveFromRot(rotCookie_);
    rotCookie_ = 0;
  }
  graph_.Reset();
}

HRESULT CDirectShow::LogResult(const std::wstring& message, HRESULT hr) const {
  if (!log_) return hr;
  wchar_t text[161] = {};
  if (AMGetErrorTextW(hr, text, 160) > 0) Trace(message + L":" + text);
  return hr;
}

HRESULT CDirectShow::SaveState() {
  if (!mediaControl_) return E_FAIL;
  OAFilterState state = State_Stopped;
  const HRESULT hr = mediaControl_->GetState(0, &state);
  savedState_ = state;
  return hr;
}

void CDirectShow::RestoreState() {
  switch (savedState_) {
    case kStateStopped:
      Stop();
      Pause();
      break;
    case kStatePaused:
      Pause();
      break;
    case kStateRunning:
      Play();
      break;
    default:
      break;
  }
}

HRESULT CDirectShow::GetState(long* state) {
  if (!mediaControl_) return E_FAIL;
  OAFilterState s = State_Stopped;
  const HRESULT hr = mediaControl_->GetState(0, &s);
  if (state) *state = s;
  return hr;
}

bool CDirectShow::HasVideo() {
  long w = 0, h = 0;
  if (UsesEnhancedRenderer()) {
    SIZE size{}, ratio{};
    return displayControl_->GetNativeVideoSize(&size, &ratio) == S_OK;
  }
  return basicVideo_ && basicVideo_->GetVideoSize(&w, &h) == S_OK;
}

bool CDirectShow::HasAudio() {
  long volume = 0;
  return basicAudio_ && basicAudio_->get_Volume(&volume) == S_OK;
}

HRESULT CDirectShow::Stop() {
  if (!mediaControl_) return E_FAIL;
  return zv::StopWhenReadyUsable() ? mediaControl_->StopWhenReady() : mediaControl_->Stop();
}

HRESULT CDirectShow::Play() {
  if (!mediaControl_) return E_FAIL;
  HRESULT hr = S_FALSE;
  const int duration = GetDuration();
  if (GetPosition() < duration || duration == 0) hr = mediaControl_->Run();
  WaitForStateChange();
  if (videoWindow_) {
    videoWindow_->put_AutoShow(OATRUE);
    videoWindow_->put_Visible(OATRUE);
  }
  return hr;
}

HRESULT CDirectShow::Pause() {
  if (!mediaControl_) return E_FAIL;
  return mediaControl_->Pause();
}

HRESULT CDirectShow::PlayPause() {
  if (!mediaControl_) return E_FAIL;
  OAFilterState state = State_Stopped;
  mediaControl_->GetState(0, &state);
  if (state < 0) return static_cast<HRESULT>(state);
  return state == State_Running ? Pause() : Play();
}

HRESULT CDirectShow::ChangePlayback(const std::function<HRESULT()>& change) {
  OAFilterState state = State_Stopped;
  if (!zv::SeekOnlyWhenStopped() || !mediaControl_ || FAILED(mediaControl_->GetState(0, &state)) ||
      state == State_Stopped)
    return change();
  // Wine: seek (and change the rate, which seeks inside the splitter) only
  // on a stopped graph, then return to the state it had (PlatformQuirks.h).
  // A pause or run still under way is finished first, so that its late
  // completion cannot undo the seek. The waits share one time limit.
  const ULONGLONG deadline = GetTickCount64() + kStateChangeLimitMs;
  WaitForStateChangeUntil(deadline);
  mediaControl_->Stop();
  WaitForStateChangeUntil(deadline);
  const HRESULT hr = change();
  if (state == State_Paused)
    mediaControl_->Pause();
  else
    mediaControl_->Run();
  WaitForStateChangeUntil(deadline);
  return hr;
}

HRESULT CDirectShow::SeekAbsolute(LONGLONG referenceTime) {
  if (!mediaSeeking_) return E_FAIL;
  return ChangePlayback([&] {
    LONGLONG current = referenceTime;
    return mediaSeeking_->SetPositions(&current, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  });
}

HRESULT CDirectShow::SeekHundredths(int hundredths) {
  const int duration = GetDuration();
  if (hundredths >= duration) hundredths = duration - 1;
  return SeekAbsolute(static_cast<LONGLONG>(hundredths) * kReferencePerHundredth);
}

HRESULT CDirectShow::SetPosition(int hundredths) { return SeekHundredths(hundredths); }

HRESULT CDirectShow::SetVolume(long volume) {
  if (!basicAudio_) return E_FAIL;
  if (!VolumeInRange(volume)) volume = 0;
  return basicAudio_->put_Volume(volume);
}

long CDirectShow::GetVolume() {
  long volume = 0;
  if (!basicAudio_ || FAILED(basicAudio_->get_Volume(&volume))) return 0;
  return VolumeInRange(volume) ? volume : 0;
}

int CDirectShow::GetDuration() {
  LONGLONG duration = 0;
  if (!mediaSeeking_ || FAILED(mediaSeeking_->GetDuration(&duration))) return 0;
  return static_cast<int>(duration / kReferencePerHundredth);
}

int CDirectShow::GetPosition() {
  LONGLONG position = 0;
  if (!mediaSeeking_ || FAILED(mediaSeeking_->GetCurrentPosition(&position))) return 0;
  return static_cast<int>(position / kReferencePerHundredth);
}

// The rate the renderer measures; where it measures none (some platforms'
// renderers report 0), the stream's nominal rate from the time per frame of
// the video's connection.
double CDirectShow::GetFrameRate() {
  int rate = 0;
  if (quality_ && SUCCEEDED(quality_->get_AvgFrameRate(&rate)) && rate > 0) return rate / 100.0;
  REFTIME perFrame = 0;  // seconds
  if (basicVideo_ && SUCCEEDED(basicVideo_->get_AvgTimePerFrame(&perFrame)) && perFrame > 0)
    return 1.0 / perFrame;
  const REFERENCE_TIME nominal = rendererInUse_ ? InputTimePerFrame(rendererInUse_) : 0;
  return nominal > 0 ? 10000000.0 / static_cast<double>(nominal) : 0.0;
}

HRESULT CDirectShow::SetBalance(long balance) {
  if (!basicAudio_) return E_FAIL;
  if (!BalanceInRange(balance)) balance = 0;
  return basicAudio_->put_Balance(balance);
}

long CDirectShow::GetBalance() {
  long balance = 0;
  if (!basicAudio_ || FAILED(basicAudio_->get_Balance(&balance))) return 0;
  return BalanceInRange(balance) ? balance : 0;
}

void CDirectShow::WaitForStateChange() { WaitForStateChangeUntil(GetTickCount64() + kStateChangeLimitMs); }

bool CDirectShow::WaitForStateChangeUntil(ULONGLONG deadline) {
  if (!mediaControl_) return true;
  OAFilterState state = State_Stopped;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kStateChangeTimeoutMs));
    if (mediaControl_->GetState(left, &state) != kStateIntermediate) {
      stateChangeSettled_ = true;
      return true;
    }
    if (GetTickCount64() + kStateChangeSleepMs >= deadline) break;
    Sleep(kStateChangeSleepMs);
  }
  stateChangeSettled_ = false;
  Trace(L"CDirectShow_WaitForStateChange::TimedOut");
  return false;
}

bool CDirectShow::IsConnected(IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> pins;
  if (!filter || FAILED(filter->EnumPins(pins.put()))) return false;
  for (;;) {
    fw::ComPtr<IPin> pin, peer;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return false;
    if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer) return true;
  }
}

HRESULT CDirectShow::StopForEdit() {
  if (!mediaControl_) return E_FAIL;
  return mediaControl_->Stop();
}

HRESULT CDirectShow::RenderIntoGraph(const std::wstring& file) {
  if (!graph_) return E_POINTER;
  return zv::RenderFileBounded(graph_.get(), file, zv::kRenderTimeLimitMs,
                               [this](std::vector<fw::ComPtr<IUnknown>>& out) { HandOverGraph(out); });
}

void CDirectShow::HandOverGraph(std::vector<fw::ComPtr<IUnknown>>& out) {
  auto take = [&out](auto& pointer) {
    if (pointer) out.push_back(fw::ComPtr<IUnknown>::Attach(pointer.Detach()));
  };
  // The Running Object Table lets go of its reference now; the graph is
  // nothing an outside tool could use any more.
  if (rotCookie_ != 0) {
    RemoveFromRot(rotCookie_);
    rotCookie_ = 0;
  }
  rendererInUse_ = nullptr;
  take(basicVideo_);
  take(basicAudio_);
  take(mediaControl_);
  take(mediaSeeking_);
  take(mediaEvents_);
  take(videoWindow_);
  take(closedCaptions_);
  take(quality_);
  take(overlayMixer_);
  take(overlayPinConfig_);
  take(displayControl_);
  take(mixerControl_);
  for (AudioRenderer& renderer : audioRenderers_) take(renderer.filter);
  audioRenderers_.clear();
  take(decoder_);
  take(classicRenderer_);
  take(enhancedRenderer_);
  take(standInRenderer_);
  take(graph_);
}

LONGLONG CDirectShow::AverageTimePerFrame() {
  REFTIME seconds = 0;
  if (basicVideo_ && SUCCEEDED(basicVideo_->get_AvgTimePerFrame(&seconds)) && seconds > 0)
    return static_cast<LONGLONG>(seconds * 10000000.0 + 0.5);
  // The Enhanced Video Renderer has no basic video: its input's format says it.
  return rendererInUse_ ? InputTimePerFrame(rendererInUse_) : 0;
}

HRESULT CDirectShow::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2) {
  if (!mediaEvents_) return E_FAIL;
  long c = 0;
  LONG_PTR p1 = 0, p2 = 0;
  const HRESULT hr = mediaEvents_->GetEvent(&c, &p1, &p2, 0);
  if (SUCCEEDED(hr)) mediaEvents_->FreeEventParams(c, p1, p2);
  if (code) *code = c;
  if (param1) *param1 = p1;
  if (param2) *param2 = p2;
  return hr;
}

void CDirectShow::NotifyOwnerMoved() {
  if (videoWindow_)
    videoWindow_->NotifyOwnerMessage(reinterpret_cast<OAHWND>(VideoWindow()), WM_MOVE, 0, 0);
}
