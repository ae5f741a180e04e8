#include "media/DVD.h"

#include "app/DebugDlg.h"
#include "framework/WideString.h"
#include "media/DvdNavigatorChoice.h"

#include <algorithm>

namespace {

constexpr UINT kGraphEventMessage = WM_APP + 1;
constexpr DWORD kFlush = DVD_CMD_FLAG_Flush;

int Hundredths(const DVD_HMSF_TIMECODE& t) {
  return t.bHours * 360000 + t.bMinutes * 6000 + t.bSeconds * 100;
}

std::wstring EnglishLanguageName(LCID language) {
  wchar_t name[128] = {};
  if (language == 0 || !GetLocaleInfoW(language, LOCALE_SENGLANGUAGE, name, 128)) return {};
  return name;
}

}  // namespace

CDVD::CDVD(CDebugDlg* log, const LanguageTable* texts, HWND owner, HINSTANCE instance, const std::wstring& path,
           COLORREF background, CSettings* settings, const std::wstring& title, HICON icon, const RECT& videoRect,
           const RECT& /*videoWindowRect*/)
    : CDirectShow(instance, owner, settings, videoRect, title, icon), texts_(texts) {
  log_ = log;
  Build(path, background);
}

CDVD::~CDVD() {
  if (mediaControl_) mediaControl_->Stop();
  ReleaseGraph();
  dvdInfo_.Reset();
  dvdControl_.Reset();
  builder_.Reset();
}

void CDVD::BuildWith(const std::wstring& path) {
  // A builder of an earlier attempt goes first, with its graph.
  ReleaseGraph();
  builder_.Reset();
  renderStatus_ = AM_DVD_RENDERSTATUS{};
  renderResult_ = zv::CreateDvdGraphBuilder(builder_.put());
  if (FAILED(renderResult_)) return;
  builder_->GetFiltergraph(graph_.put());
  if (graph_) AddToRot(graph_.get(), &rotCookie_);
  renderResult_ = builder_->RenderDvdVideoVolume(path.c_str(), 0, &renderStatus_);
  windowResult_ = builder_->GetDvdInterface(IID_IVideoWindow, videoWindow_.put_void());
  Trace(fw::Format(L"CDVD::RenderDvdVideoVolume[%ls]:%08x", path.c_str(), static_cast<unsigned>(renderResult_)));
}

bool CDVD::BuildFailed() const {
  if (FAILED(windowResult_)) return true;
  if (renderResult_ != S_OK && renderResult_ != S_FALSE) return true;
  return renderResult_ == S_FALSE && (renderStatus_.bDvdVolInvalid || renderStatus_.bDvdVolUnknown);
}

void CDVD::Build(const std::wstring& path, COLORREF background) {
  fileName_ = path;
  BuildWith(path);
  if (FAILED(windowResult_) ||
      (renderResult_ == S_FALSE && (renderStatus_.bDvdVolInvalid || renderStatus_.bDvdVolUnknown))) {
    std::wstring extended = path;
    if (!extended.empty() && extended.back() == L'\\') extended.pop_back();
    extended += L"\\VIDEO_TS";
    extended.resize(std::min(extended.size(), path.size() + 10));
    BuildWith(extended);
    fileName_ = extended;
  }
  if (BuildFailed()) return;
  rendered_ = true;

  builder_->GetDvdInterface(IID_IDvdInfo2, dvdInfo_.put_void());
  builder_->GetDvdInterface(IID_IDvdControl2, dvdControl_.put_void());
  builder_->GetDvdInterface(IID_IBasicVideo2, basicVideo_.put_void());
  builder_->GetDvdInterface(IID_IBasicAudio, basicAudio_.put_void());

  if (dvdControl_) {
    dvdControl_->SetOption(DVD_HMSF_TimeCodeEvents, TRUE);
    dvdControl_->SetOption(DVD_ResetOnStop, FALSE);
    dvdControl_->SetOption(DVD_AudioDuringFFwdRew, TRUE);
    dvdControl_->SetOption(DVD_NotifyParentalLevelChange, FALSE);
    const LCID language = GetUserDefaultLCID();
    dvdControl_->SelectDefaultAudioLanguage(language, DVD_AUD_EXT_NotSpecified);
    dvdControl_->SelectDefaultSubpictureLanguage(language, DVD_SP_EXT_NotSpecified);
    dvdControl_->SelectDefaultMenuLanguage(language);
  }

  graph_.As(mediaControl_);
  graph_.As(mediaEvents_);
  FindRenderer();

  if (videoWindow_) {
    videoWindow_->put_Visible(OAFALSE);
    videoWindow_->put_AutoShow(OAFALSE);
  }
  SetBackgroundColor(background);
  if (owner_) {
    if (videoWindow_) {
      videoWindow_->put_WindowStyle(WS_CHILD);
      videoWindow_->put_Owner(reinterpret_cast<OAHWND>(VideoWindow()));
    }
    RECT client{};
    if (HWND window = VideoWindow()) GetClientRect(window, &client);
    SetVideoWindowPosition(client.right, client.bottom);
    if (videoWindow_) videoWindow_->put_MessageDrain(reinterpret_cast<OAHWND>(owner_));
    if (mediaEvents_) mediaEvents_->SetNotifyWindow(reinterpret_cast<OAHWND>(owner_), kGraphEventMessage, 0);
  }

  SetSubpictureState(false);
  DumpGraph();
  if (HasVideo()) {
    Play();
    RefreshSourceVideoSize();
    if (mediaControl_) mediaControl_->Pause();
  }
  DisableClosedCaptions();
  if (HWND window = VideoWindow(); window && HasVideo()) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  PlaceVideo();
}

void CDVD::FindRenderer() {
  fw::ComPtr<IBaseFilter> renderer = FindFilterOfClass(CLSID_EnhancedVideoRenderer);
  if (renderer) enhancedInGraph_ = true;
  if (!renderer) renderer = FindFilterOfClass(CLSID_VideoMixingRenderer9);
  if (!renderer) renderer = FindFilterOfClass(CLSID_VideoMixingRenderer);
  if (!renderer) renderer = FindFilterOfClass(CLSID_VideoRenderer);
  if (renderer) renderer->QueryInterface(IID_IQualProp, quality_.put_void());
}

LONGLONG CDVD::GetCurrentFrame() {
  if (!dvdInfo_) return -1;
  DVD_PLAYBACK_LOCATION2 location{};
  if (FAILED(dvdInfo_->GetCurrentLocation(&location))) return -1;
  const double rate = location.TimeCodeFlags == 2 ? 30.0 : location.TimeCodeFlags == 4 ? 29.97 : 25.0;
  const DVD_HMSF_TIMECODE& t = location.TimeCode;
  return static_cast<LONGLONG>((t.bHours * 3600 + t.bMinutes * 60 + t.bSeconds) * rate) + t.bFrames;
}

HRESULT CDVD::SetPosition(int hundredths) {
  if (!dvdControl_) return E_FAIL;
  const int duration = GetDuration();
  if (hundredths >= duration) hundredths = duration - 1;
  if (hundredths < 0) hundredths = 0;
  DVD_HMSF_TIMECODE time{};
  time.bHours = static_cast<BYTE>(hundredths / 360000);
  const int seconds = (hundredths % 360000) / 100;
  time.bMinutes = static_cast<BYTE>(seconds / 60);
  time.bSeconds = static_cast<BYTE>(seconds % 60);
  const HRESULT hr = dvdControl_->PlayAtTime(&time, kFlush, nullptr);
  if (currentAngle_ != 1) {
    dvdControl_->SelectAngle(1, kFlush, nullptr);
    dvdControl_->SelectAngle(static_cast<ULONG>(currentAngle_), kFlush, nullptr);
  }
  if (rate_ != 1.0) SetRate(rate_);
  return hr;
}

int CDVD::GetDuration() {
  if (!dvdInfo_) return 0;
  DVD_HMSF_TIMECODE total{};
  ULONG flags = 0;
  if (FAILED(dvdInfo_->GetTotalTitleTime(&total, &flags))) return 0;
  return Hundredths(total);
}

int CDVD::GetPosition() {
  if (!dvdInfo_) return 0;
  DVD_PLAYBACK_LOCATION2 location{};
  if (FAILED(dvdInfo_->GetCurrentLocation(&location))) return 0;
  return Hundredths(location.TimeCode);
}

HRESULT CDVD::GetPreferredAspectRatio(long* x, long* y) {
  if (!dvdInfo_) return E_FAIL;
  DVD_VideoAttributes attributes{};
  const HRESULT hr = dvdInfo_->GetCurrentVideoAttributes(&attributes);
  if (SUCCEEDED(hr)) {
    if (x) *x = static_cast<long>(attributes.ulAspectX);
    if (y) *y = static_cast<long>(attributes.ulAspectY);
  }
  return hr;
}

HRESULT CDVD::GetNativeVideoSize(long* width, long* height) {
  if (!dvdInfo_) return E_FAIL;
  DVD_VideoAttributes attributes{};
  const HRESULT hr = dvdInfo_->GetCurrentVideoAttributes(&attributes);
  if (SUCCEEDED(hr)) {
    if (width) *width = static_cast<long>(attributes.ulSourceResolutionX);
    if (height) *height = static_cast<long>(attributes.ulSourceResolutionY);
  }
  return hr;
}

HRESULT CDVD::SetRate(double rate) {
  rate_ = rate;
  if (!dvdControl_) return S_OK;
  if (rate > 0)
    dvdControl_->PlayForwards(rate, kFlush, nullptr);
  else
    dvdControl_->PlayBackwards(-rate, kFlush, nullptr);
  return S_OK;
}

double CDVD::GetRate() { return rate_; }

// ---- streams ----

int CDVD::GetStreamCount(int kind) {
  if (!dvdInfo_) return 0;
  ULONG available = 0, current = 0;
  switch (kind) {
    case kStreamChapter: {
      DVD_PLAYBACK_LOCATION2 location{};
      if (FAILED(dvdInfo_->GetCurrentLocation(&location))) return 0;
      ULONG chapters = 0;
      if (FAILED(dvdInfo_->GetNumberOfChapters(location.TitleNum, &chapters))) return 0;
      return static_cast<int>(chapters);
    }
    case kStreamAudio:
      return SUCCEEDED(dvdInfo_->GetCurrentAudio(&available, &current)) ? static_cast<int>(available) : 0;
    case kStreamSubtitle: {
      BOOL disabled = FALSE;
      return SUCCEEDED(dvdInfo_->GetCurrentSubpicture(&available, &current, &disabled)) ? static_cast<int>(available)
                                                                                         : 0;
    }
    case kStreamAngle:
      return SUCCEEDED(dvdInfo_->GetCurrentAngle(&available, &current)) ? static_cast<int>(available) : 0;
    default:
      return 0;
  }
}

HRESULT CDVD::GetStreamInfo(long index, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int* kind, std::wstring* name,
                            LONGLONG* startTime) {
  if (mediaType) *mediaType = nullptr;
  if (startTime) *startTime = 0;
  if (!dvdInfo_ || !kind || index < 0) return E_FAIL;
  ULONG available = 0, current = 0;
  bool on = false;
  std::wstring text;
  switch (*kind) {
    case kStreamChapter: {
      DVD_PLAYBACK_LOCATION2 location{};
      if (FAILED(dvdInfo_->GetCurrentLocation(&location))) return E_FAIL;
      text = fw::Format(L"%03i", static_cast<int>(index) + 1);
      on = location.ChapterNum == static_cast<ULONG>(index) + 1;
      break;
    }
    case kStreamAudio: {
      LCID language = 0;
      if (FAILED(dvdInfo_->GetCurrentAudio(&available, &current))) return E_FAIL;
      if (FAILED(dvdInfo_->GetAudioLanguage(static_cast<ULONG>(index), &language))) return E_FAIL;
      text = EnglishLanguageName(language);
      on = current == static_cast<ULONG>(index);
      break;
    }
    case kStreamSubtitle: {
      LCID language = 0;
      BOOL disabled = FALSE;
      if (FAILED(dvdInfo_->GetCurrentSubpicture(&available, &current, &disabled))) return E_FAIL;
      if (FAILED(dvdInfo_->GetSubpictureLanguage(static_cast<ULONG>(index), &language))) return E_FAIL;
      text = EnglishLanguageName(language);
      on = current == static_cast<ULONG>(index);
      break;
    }
    case kStreamAngle:
      if (FAILED(dvdInfo_->GetCurrentAngle(&available, &current))) return E_FAIL;
      text = fw::Format(L"%03i", static_cast<int>(index) + 1);
      on = current == static_cast<ULONG>(index) + 1;
      break;
    default:
      return E_FAIL;
  }
  if (enabled) *enabled = on ? 1 : 0;
  if (name) *name = text;
  return S_OK;
}

HRESULT CDVD::SelectStream(long index, int kind) {
  if (!dvdControl_) return E_FAIL;
  switch (kind) {
    case kStreamChapter:
      return dvdControl_->PlayChapter(static_cast<ULONG>(index) + 1, kFlush, nullptr);
    case kStreamAudio:
      return dvdControl_->SelectAudioStream(static_cast<ULONG>(index), kFlush, nullptr);
    case kStreamSubtitle:
      if (index == -1) return dvdControl_->SetSubpictureState(FALSE, kFlush, nullptr);
      if (index == -2) return dvdControl_->SetSubpictureState(TRUE, kFlush, nullptr);
      dvdControl_->SelectSubpictureStream(static_cast<ULONG>(index), kFlush, nullptr);
      return dvdControl_->SetSubpictureState(TRUE, kFlush, nullptr);
    case kStreamAngle:
      return dvdControl_->SelectAngle(static_cast<ULONG>(index) + 1, kFlush, nullptr);
    default:
      return E_FAIL;
  }
}

// ---- navigation ----

HRESULT CDVD::PlayPrevChapter() { return dvdControl_ ? dvdControl_->PlayPrevChapter(kFlush, nullptr) : E_FAIL; }
HRESULT CDVD::PlayNextChapter() { return dvdControl_ ? dvdControl_->PlayNextChapter(kFlush, nullptr) : E_FAIL; }
HRESULT CDVD::ReplayChapter() { return dvdControl_ ? dvdControl_->ReplayChapter(kFlush, nullptr) : E_FAIL; }
HRESULT CDVD::Resume() { return dvdControl_ ? dvdControl_->Resume(kFlush, nullptr) : E_FAIL; }
HRESULT CDVD::ReturnFromSubmenu() { return dvdControl_ ? dvdControl_->ReturnFromSubmenu(kFlush, nullptr) : E_FAIL; }

HRESULT CDVD::ShowMenu(int menu) {
  return dvdControl_ ? dvdControl_->ShowMenu(static_cast<DVD_MENU_ID>(menu), kFlush, nullptr) : E_FAIL;
}

// The navigator takes points in the picture's own pixels; the picture sits
// in the video window at the renderer's destination rectangle.
bool CDVD::ToPicturePoint(POINT windowPoint, POINT* picturePoint) {
  long nativeWidth = 0, nativeHeight = 0;
  if (FAILED(GetNativeVideoSize(&nativeWidth, &nativeHeight)) || nativeWidth <= 0 || nativeHeight <= 0) return false;
  long left = 0, top = 0, width = 0, height = 0;
  if (!basicVideo_ || FAILED(basicVideo_->GetDestinationPosition(&left, &top, &width, &height)) || width <= 0 ||
      height <= 0)
    return false;
  // The renderer's window fills the video window from its origin
  // (SetVideoWindowPosition), so its picture's place is the video window's.
  const long x = windowPoint.x - left;
  const long y = windowPoint.y - top;
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  picturePoint->x = static_cast<LONG>(x * nativeWidth / width);
  picturePoint->y = static_cast<LONG>(y * nativeHeight / height);
  return true;
}

HRESULT CDVD::SelectAtPosition(POINT point) {
  POINT picture{};
  if (!dvdControl_) return E_FAIL;
  if (!ToPicturePoint(point, &picture)) return VFW_E_DVD_NO_BUTTON;
  return dvdControl_->SelectAtPosition(picture);
}

HRESULT CDVD::ActivateAtPosition(POINT point) {
  POINT picture{};
  if (!dvdControl_) return E_FAIL;
  if (!ToPicturePoint(point, &picture)) return VFW_E_DVD_NO_BUTTON;
  return dvdControl_->ActivateAtPosition(picture);
}

HRESULT CDVD::GetButtonAtPosition(POINT point, ULONG* button) {
  POINT picture{};
  if (button) *button = 0;
  if (!dvdInfo_ || !button) return E_FAIL;
  if (!ToPicturePoint(point, &picture)) return VFW_E_DVD_NO_BUTTON;
  return dvdInfo_->GetButtonAtPosition(picture, button);
}

HRESULT CDVD::SelectRelativeButton(int direction) {
  return dvdControl_ ? dvdControl_->SelectRelativeButton(static_cast<DVD_RELATIVE_BUTTON>(direction)) : E_FAIL;
}

HRESULT CDVD::ActivateButton() { return dvdControl_ ? dvdControl_->ActivateButton() : E_FAIL; }

HRESULT CDVD::SetSubpictureState(bool on) {
  return dvdControl_ ? dvdControl_->SetSubpictureState(on ? TRUE : FALSE, kFlush, nullptr) : E_FAIL;
}

void CDVD::GetCurrentAngle() {
  ULONG available = 0, current = 0;
  if (dvdInfo_ && SUCCEEDED(dvdInfo_->GetCurrentAngle(&available, &current)) && current > 0)
    currentAngle_ = static_cast<int>(current);
}

HRESULT CDVD::GetCurrentUOPS(ULONG* uops) {
  if (!uops) return E_POINTER;
  *uops = 0;
  return dvdInfo_ ? dvdInfo_->GetCurrentUOPS(uops) : E_FAIL;
}
