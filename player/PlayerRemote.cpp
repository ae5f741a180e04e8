// The remote-control message: commands and queries of other programs, which
// find the window by its class. Answers are texts in the global atom table;
// the asker reads and deletes the atom.
#include "player/ZentravueDlg.h"

#include "app/MediaUnits.h"
#include "app/PrivateMessages.h"
#include "app/Settings.h"
#include "app/VersionText.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "player/RemoteCodes.h"
#include "playlist/ProgramBuildText.h"

namespace {

using zv::remote::CodeKind;

// Commands that close or replace the media.
bool ChangesMedia(WPARAM code) {
  return code == zv::remote::kCloseMedia || code == zv::remote::kPreviousTrack ||
         code == zv::remote::kNextTrack;
}

LRESULT AtomAnswer(const std::u16string& text) {
  if (text.empty() || text.size() > zv::remote::kMaxAnswerChars) return 0;
  return GlobalAddAtomW(fw::ToWide(text).c_str());
}

}  // namespace

LRESULT CZentravueDlg::OnRemoteControl(WPARAM code, LPARAM value) {
  const CodeKind kind = zv::remote::KindOf(code);
  if (kind == CodeKind::Other) return DefWindowProcW(hwnd_, kMsgRemoteControl, code, value);
  if (!RemoteAnswersNow(code)) return 0;
  if (kind == CodeKind::Query) return AnswerRemoteQuery(code);
  // A command sent by another program may arrive while this thread waits
  // inside an opening (a graph being built dispatches sent messages): what
  // closes or replaces the media runs from the message loop instead.
  if (InSendMessage() && ChangesMedia(code)) {
    PostMessageW(hwnd_, kMsgRemoteControl, code, 0);
    return 0;
  }
  RunRemoteCommand(code);
  return 0;
}

// The one place that decides whether a remote-control message is served now
// or answered with 0.
// - A query is answered only when its sender waits for the answer (or has a
//   callback for it): the answer of a posted query would stay in the atom
//   table for ever. Queries only read, so they are answered inside modal
//   loops too.
// - A command acts only when no modal loop of the window runs (dialog,
//   message box, menu), which it could re-enter.
bool CZentravueDlg::RemoteAnswersNow(WPARAM code) const {
  if (!hwnd_) return false;
  if (zv::remote::KindOf(code) == CodeKind::Query) {
    const DWORD sender = InSendMessageEx(nullptr);
    return (sender & (ISMEX_SEND | ISMEX_CALLBACK)) != 0;
  }
  return IsWindowEnabled(hwnd_) && !inMenuLoop_ && !inEndDialog_;
}

LRESULT CZentravueDlg::AnswerRemoteQuery(WPARAM code) {
  namespace remote = zv::remote;
  if (code == remote::kVolumePercent) return AtomAnswer(remote::IntegerText(zv::PercentFromVolume(settings_->Volume)));
  if (!currentMedia_) return 0;
  long width = 0;
  long height = 0;
  switch (code) {
    case remote::kTitleWithoutExtension:
      return AtomAnswer(remote::WithoutExtension(fw::ToU16(fileName_)));
    case remote::kFileName:
      return AtomAnswer(fw::ToU16(fileName_));
    case remote::kPosition:
      return AtomAnswer(zv::FormatTime(currentMedia_->GetPosition()));
    case remote::kDuration:
      return AtomAnswer(zv::FormatTime(currentMedia_->GetDuration()));
    case remote::kDisplayedWidth:
    case remote::kDisplayedHeight:
      currentMedia_->GetDestinationSize(&width, &height);
      return AtomAnswer(remote::IntegerText(code == remote::kDisplayedWidth ? width : height));
    case remote::kNativeWidth:
    case remote::kNativeHeight:
      if (FAILED(currentMedia_->GetNativeVideoSize(&width, &height))) width = height = 0;
      return AtomAnswer(remote::IntegerText(code == remote::kNativeWidth ? width : height));
    case remote::kVersion:
      return AtomAnswer(zv::VersionTextFromProductVersion(ProgramProductVersion()));
    case remote::kFrameRate:
      return currentMedia_->HasVideo() ? AtomAnswer(remote::FrameRateText(currentMedia_->GetFrameRate())) : 0;
    case remote::kPositionRatio:
      return AtomAnswer(remote::PositionRatioText(currentMedia_->GetPosition(), currentMedia_->GetDuration()));
    default:
      return 0;
  }
}

void CZentravueDlg::RunRemoteCommand(WPARAM code) {
  namespace remote = zv::remote;
  switch (code) {
    case remote::kPause:
      Pause();
      break;
    case remote::kPlay:
      Play();
      break;
    case remote::kPlayPause:
      PlayPauseToggle();
      break;
    case remote::kStop:
      Stop();
      break;
    case remote::kJumpForward:
      Jump(1);
      break;
    case remote::kJumpBackward:
      Jump(-1);
      break;
    case remote::kCloseMedia:
      CloseMedia(true);
      break;
    case remote::kQuit:
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case remote::kShowPlaylist:
      ShowPlaylistWindow();
      break;
    case remote::kHidePlaylist:
      HidePlaylistWindow();
      break;
    case remote::kPreviousTrack:
      OnPrevTrackChapter();
      break;
    case remote::kNextTrack:
      OnNextTrackChapter();
      break;
    default:
      break;
  }
}
