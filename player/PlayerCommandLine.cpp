// The command-line options applied to the window: at start-up, after every
// successful opening and at the end of a hand-over. The values are read
// with the command line's own interpretations (CmdLineValues).
#include "player/ZentravueDlg.h"

#include "app/CmdLineValues.h"
#include "app/Settings.h"
#include "media/Media.h"

void CZentravueDlg::ApplyCommandLineOptions() {
  const CCmdLineInfo& options = *cmdLine_;

  // Loop and closing after playback.
  if (options.Loop && !options.NoLoop) SetLoop(true);
  if (options.NoLoop && !options.Loop) SetLoop(false);
  if (options.Close) closeAfterPlayback_ = true;

  // Size of the video area.
  if (currentMedia_ && !options.Size().empty()) {
    long nativeWidth = 0;
    long nativeHeight = 0;
    currentMedia_->GetNativeVideoSize(&nativeWidth, &nativeHeight);
    const std::optional<zv::VideoAreaSize> size =
        zv::InterpretSize(options.Size(), static_cast<int32_t>(nativeWidth), static_cast<int32_t>(nativeHeight));
    if (size) SizeWindowToVideoArea(size->width, size->height);
  }

  // Position: "center" wins over "wndpos:".
  if (options.Center || (settings_->CenterWindow && options.WindowPos().empty())) {
    CenterWindow();
  } else if (!options.WindowPos().empty()) {
    MoveToWindowPos(options.WindowPos());
  }

  // Frame.
  ApplyBorderOptions();

  // Fullscreen and the start position.
  if (currentMedia_) {
    if (options.Fullscreen && !options.NoFullscreen) EnterFullscreen();
    if (options.NoFullscreen) LeaveFullscreen();
    if (const std::optional<int32_t> position = zv::InterpretJumpToPos(options.JumpToPos()))
      currentMedia_->SetPosition(*position);
  }

  // Volume and border colour.
  if (!options.Volume().empty()) {
    settings_->Volume = zv::InterpretVolume(options.Volume());
    ApplyVolume();
  }
  if (const std::optional<uint32_t> colour = zv::InterpretBorderColour(options.BorderColour()))
    SetBorderColour(static_cast<COLORREF>(*colour));

  if (!currentMedia_) return;
  // Mute.
  if (currentMedia_->HasAudio()) {
    const bool silent = settings_->Volume == -10000;
    if (options.Mute && !options.NoMute && !silent) ToggleMute();
    if (options.NoMute && silent) ToggleMute();
  }
  // Play state.
  if (options.Play && !options.Pause && playState_ != kPlayPlaying) Play();
  if (options.Pause && !options.Play && playState_ != kPlayPaused) Pause();
}

// "border" makes the window resizable (only with media: the idle window has
// a fixed size) and "noborder" takes the frame away. Without either option
// nothing changes, so applying the options after opening the next entry
// does not disturb the window (a relayout would leave fullscreen).
void CZentravueDlg::ApplyBorderOptions() {
  const CCmdLineInfo& options = *cmdLine_;
  if (options.Border == options.NoBorder) return;
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (options.Border) {
    if (currentMedia_) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    exStyle |= WS_EX_DLGMODALFRAME;
  } else {
    style &= ~static_cast<LONG_PTR>(WS_THICKFRAME);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME);
  }
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RelayoutWindow();
}

// The numbers place the window's top-left corner, counted from the chosen
// corner of the primary display; the window's own size is not subtracted.
void CZentravueDlg::MoveToWindowPos(const std::u16string& value) {
  const std::optional<zv::WindowPosRequest> request = zv::ParseWindowPos(value);
  if (!request) return;
  const zv::ScreenPoint corner =
      zv::PlaceAtCorner(*request, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnVisibleMonitor();
}

void CZentravueDlg::SetBorderColour(COLORREF colour) {
  borderColour_ = colour;
  borderBrush_.Reset(CreateSolidBrush(colour));
  if (currentMedia_) currentMedia_->SetBackgroundColor(colour);
  InvalidateRect(hwnd_, nullptr, TRUE);
}
