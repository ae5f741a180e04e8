#pragma once
// The process-wide video window "ZentravueVideoWindow" and the state every
// media object shares: the window, the media object it serves, fullscreen,
// the cursor, the background brush, the fit mode and zoom factors.
#include "framework/Handle.h"
#include "framework/WinInclude.h"
#include "media/VideoPlacement.h"

#include <string>

class CMedia;

namespace zv {

constexpr wchar_t kVideoWindowClass[] = L"ZentravueVideoWindow";
constexpr UINT_PTR kMouseMoveTimer = 143;  // ID_MouseMove_Timer
constexpr UINT kCursorTimerPeriod = 250;
constexpr UINT kCursorTimerPeriodAfterOpen = 40;
constexpr ULONGLONG kCursorHideDelay = 1000;

struct VideoWindowState {
  HWND window = nullptr;
  CMedia* current = nullptr;
  bool fullscreen = false;
  bool cursorVisible = true;
  bool displayModeChanged = false;
  fw::GdiObject brush;
  int fitMode = kFitWhole;
  ZoomFactors factors;
  ULONGLONG lastMouseMove = 0;
};

VideoWindowState& SharedVideoState();

// Creates the window when there is none (first use, or after the previous
// one was destroyed together with its owner) under `media`'s owner, class
// registration included; otherwise only makes `media` the window's current
// media object.
void EnsureVideoWindow(CMedia* media);
// The window no longer serves `media` (when it did).
void DetachVideoWindow(CMedia* media);

void EnterFullscreen(CMedia* media);
void LeaveFullscreen(CMedia* media);

// The picture the renderer's window shows, held across a change of
// the window's size where the renderer draws only when its next frame
// comes (media/PlatformQuirks.h): Show() stretches it over the renderer's
// window at its new place, so the picture is there at once at the new size
// instead of black until that frame. Elsewhere both do nothing. A picture
// larger than `largest` (when given) is held at that size: the one it will
// be shown at no larger, reading less.
class HeldPicture {
 public:
  explicit HeldPicture(HWND videoWindow, SIZE largest = {});
  HeldPicture(const HeldPicture&) = delete;
  HeldPicture& operator=(const HeldPicture&) = delete;
  void Show() const;

 private:
  HWND videoWindow_ = nullptr;
  fw::GdiObject bitmap_;
  SIZE size_{};
};
// One tick of the cursor timer: hides the cursor over the video after a
// second without movement, shows it again otherwise.
void CursorTick();

// The display-mode change of fullscreen, replaceable so that tests can
// count changes and restorations without touching the real display.
class DisplayModeChanger {
 public:
  virtual ~DisplayModeChanger() = default;
  virtual LONG Change(const std::wstring& device, DWORD width, DWORD height);
  virtual LONG Restore();
};
// Null restores the real one.
void SetDisplayModeChanger(DisplayModeChanger* changer);

}  // namespace zv
