#include "media/Media.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/VideoWindow.h"

CMedia::CMedia(HINSTANCE instance, HWND owner, CSettings* settings, const RECT& videoRect, std::wstring title,
               HICON icon)
    : instance_(instance),
      settings_(settings),
      owner_(owner),
      videoRect_(videoRect),
      title_(std::move(title)),
      icon_(icon) {}

CMedia::~CMedia() {
  if (settings_ && settings_->KeepWindowSize && lastWindowWidth_ != -1 && lastWindowHeight_ != -1) {
    settings_->WindowWidth = lastWindowWidth_;
    settings_->WindowHeight = lastWindowHeight_;
  }
  zv::DetachVideoWindow(this);
}

void CMedia::Trace(const std::wstring& line) const { TraceStep(log_, line); }

void CMedia::EnsureVideoWindow() { zv::EnsureVideoWindow(this); }

HBRUSH CMedia::SetBackgroundColor(COLORREF color) {
  zv::VideoWindowState& s = zv::SharedVideoState();
  s.brush.Reset(CreateSolidBrush(color));
  return static_cast<HBRUSH>(s.brush.get());
}

std::wstring CMedia::GetFileName() { return fileName_; }

double CMedia::GetRatio() {
  const double ratio = sourceHeight_ == 0 ? 0.0 : static_cast<double>(sourceWidth_) / sourceHeight_;
  Trace(fw::Format(L"CMedia_GetRatio::%f", ratio));
  return ratio;
}

void CMedia::SetFullscreen(bool on) {
  if (on)
    zv::EnterFullscreen(this);
  else
    zv::LeaveFullscreen(this);
}

void CMedia::GetSourceVideoSize(int* width, int* height) {
  if (width) *width = sourceWidth_;
  if (height) *height = sourceHeight_;
  Trace(fw::Format(L"CMedia_GetSourceVideoSize::%i*%i", sourceWidth_, sourceHeight_));
}

void CMedia::ShowPausedFrameAgain() {}

void CMedia::SetVideoWindowPosition(int width, int height) {
  const zv::VideoWindowState& s = zv::SharedVideoState();
  const bool ownerSized = !owner_ || (!IsZoomed(owner_) && !IsIconic(owner_));
  if (!s.fullscreen && s.window && IsWindowVisible(s.window) && ownerSized && !sizeMemoryOff_) {
    lastWindowWidth_ = width;
    lastWindowHeight_ = height;
  }
  Trace(fw::Format(L"CMedia_SetVideoWindowPosition::0,0;%i*%i", width, height));
}

void CMedia::RefreshSourceVideoSize() {
  sourceWidth_ = 0;
  sourceHeight_ = 0;
  long w = 0, h = 0, x = 0, y = 0;
  if (SUCCEEDED(GetNativeVideoSize(&w, &h))) {
    // Without a preferred ratio the native size is shown as it is.
    if (FAILED(GetPreferredAspectRatio(&x, &y))) x = y = 0;
    const zv::SourceSize size = zv::CorrectedSourceSize(w, h, x, y);
    sourceWidth_ = size.width;
    sourceHeight_ = size.height;
  }
  Trace(fw::Format(L"CMedia_RefreshSourceVideoSize::%i*%i", sourceWidth_, sourceHeight_));
}

zv::ZoomFactors CMedia::PlaceVideo(int width, int height) {
  zv::VideoWindowState& s = zv::SharedVideoState();
  if (!HasVideo()) return s.factors;
  if (width == -1 && height == -1) {
    RECT client{};
    if (s.window) GetClientRect(s.window, &client);
    width = client.right;
    height = client.bottom;
  }
  const double ratio = GetRatio();
  int sw = 0, sh = 0;
  GetSourceVideoSize(&sw, &sh);
  SetVideoWindowPosition(width, height);
  const bool keepAspect = settings_ && settings_->AspectRatio != 0;
  s.factors = zv::FitFactors(s.fitMode, keepAspect, width, height, sw, sh, ratio, s.factors);
  const zv::PictureRect picture = zv::CentredPicture(width, height, sw, sh, s.factors);
  SetBasicVideoDestinationPosition(picture.left, picture.top, picture.width, picture.height);
  return s.factors;
}

void CMedia::SetFitMode(int mode) {
  zv::SharedVideoState().fitMode = mode;
  PlaceVideo();
}

void CMedia::SetZoomFactors(double horizontal, double vertical) {
  zv::VideoWindowState& s = zv::SharedVideoState();
  s.factors = {zv::ClampZoomFactor(horizontal), zv::ClampZoomFactor(vertical)};
  s.fitMode = zv::kFitManualZoom;
  PlaceVideo();
}

int CMedia::GetFitMode() { return zv::SharedVideoState().fitMode; }
zv::ZoomFactors CMedia::GetZoomFactors() { return zv::SharedVideoState().factors; }

void CMedia::HideVideoWindow() {
  if (HWND w = VideoWindow()) ShowWindow(w, SW_HIDE);
}

void CMedia::SetVideoRect(const RECT& rect) { videoRect_ = rect; }

void CMedia::MoveVideoWindow() {
  HWND w = VideoWindow();
  if (!w || IsFullscreen()) return;
  MoveWindow(w, videoRect_.left, videoRect_.top, videoRect_.right - videoRect_.left,
             videoRect_.bottom - videoRect_.top, TRUE);
}

int CMedia::VideoWindowWidth() const {
  RECT r{};
  if (HWND w = VideoWindow()) GetWindowRect(w, &r);
  return r.right - r.left;
}

int CMedia::VideoWindowHeight() const {
  RECT r{};
  if (HWND w = VideoWindow()) GetWindowRect(w, &r);
  return r.bottom - r.top;
}

HWND CMedia::VideoWindow() { return zv::SharedVideoState().window; }
bool CMedia::IsFullscreen() { return zv::SharedVideoState().fullscreen; }
void CMedia::SetLastMouseMove(ULONGLONG tick) { zv::SharedVideoState().lastMouseMove = tick; }
