// The receiving side of the single-instance hand-over and the playlist
// window's requests on the same message.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/HandOverItems.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "playlist/CPlaylist.h"

#include <iterator>

using zv::kPlaylistChanged;
using zv::kPlaylistMouseActivity;
using zv::kPlaylistPlayCurrent;

LRESULT CZentravueDlg::OnHandOver(WPARAM wParam, LPARAM lParam) {
  // The code travels as a 32-bit number; a 32-bit sender's -1 arrives
  // without its upper bits. Anything else outside the table is ignored.
  if (wParam > 0xFFFFFFFFu && wParam != static_cast<WPARAM>(-1)) return 0;
  const int32_t code = static_cast<int32_t>(static_cast<uint32_t>(wParam));
  if (code == zv::kHandOverEnd) {
    if (lParam == 0) ApplyHandOver();
    return 0;
  }
  if (code >= kPlaylistPlayCurrent && code <= kPlaylistChanged) {
    OnPlaylistRequest(code, lParam);
    return 0;
  }
  if (zv::FindHandOverText(code)) {
    ReceiveHandOverText(code, static_cast<ATOM>(lParam));
    return 0;
  }
  if (const zv::HandOverFlag* item = zv::FindHandOverFlag(code)) cmdLine_->*item->flag = lParam != 0;
  return 0;
}

void CZentravueDlg::ReceiveHandOverText(int code, ATOM atom) {
  wchar_t buffer[zv::kMaxAtomChars + 1] = {};
  const UINT length = atom ? GlobalGetAtomNameW(atom, buffer, static_cast<int>(std::size(buffer))) : 0;
  if (length > 0) GlobalDeleteAtom(atom);
  const std::wstring text(buffer, length);
  if (code == zv::kHandOverMediaName) {
    handedOverEntry_ = text.empty() ? -1 : playlist_->AddEntry(fw::ToU16(text));
    RefreshPlaylistCommands();
    return;
  }
  const zv::HandOverText* item = zv::FindHandOverText(code);
  (cmdLine_->*item->set)(fw::ToU16(text));
}

void CZentravueDlg::ApplyHandOver() {
  // Compact view follows the window-mode commands; the rest as at start-up.
  ApplyCompactOptions(false);
  ApplyCommandLineOptions();
  // When the shell starts one instance per selected file, the first file
  // plays and the following ones arrive within the double-click time: they
  // are only appended.
  const ULONGLONG now = GetTickCount64();
  const bool withinDoubleClick = now - lastHandOverTime_ <= GetDoubleClickTime();
  if (!withinDoubleClick && handedOverEntry_ > 0) {
    playedEntries_.push_back(handedOverEntry_);
    PlayEntry(handedOverEntry_);
  }
  ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  lastHandOverTime_ = GetTickCount64();
  ++handOversApplied_;
}

void CZentravueDlg::OnPlaylistRequest(int code, LPARAM value) {
  switch (code) {
    case kPlaylistPlayCurrent:
      PlayForPlaylistWindow();
      break;
    case kPlaylistMouseActivity:
      if (currentMedia_) CMedia::SetLastMouseMove(GetTickCount64());
      break;
    case kPlaylistChanged:
      RefreshPlaylistCommands(value != 0);
      break;
    default:
      break;
  }
}
