#include "media/DirectShow.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/PlatformQuirks.h"
#include "media/VideoWindow.h"

namespace {

constexpr LONGLONG kReferencePerHundredth = 100000;
constexpr HRESULT kStateIntermediate = VFW_S_STATE_INTERMEDIATE;
constexpr int kStateChangeRetries = 400;
constexpr DWORD kStateChangeSleepMs = 25;
constexpr DWORD kStateChangeTimeoutMs = 1000;

bool VolumeInRange(long v) { return v >= -10000 && v <= 0; }
bool BalanceInRange(long v) { return v >= -10000 && v <= 10000; }

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
  // completion cannot undo the seek.
  WaitForStateChange();
  mediaControl_->Stop();
  WaitForStateChange();
  const HRESULT hr = change();
  if (state == State_Paused)
    mediaControl_->Pause();
  else
    mediaControl_->Run();
  WaitForStateChange();
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

double CDirectShow::GetFrameRate() {
  int rate = 0;
  if (!quality_ || FAILED(quality_->get_AvgFrameRate(&rate))) return 0.0;
  return rate / 100.0;
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

void CDirectShow::WaitForStateChange() {
  if (!mediaControl_) return;
  OAFilterState state = State_Stopped;
  HRESULT hr = mediaControl_->GetState(kStateChangeTimeoutMs, &state);
  for (int i = 0; hr == kStateIntermediate && i < kStateChangeRetries; ++i) {
    Sleep(kStateChangeSleepMs);
    hr = mediaControl_->GetState(kStateChangeTimeoutMs, &state);
  }
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
