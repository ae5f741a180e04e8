// The playlist window as the player window sees it: created hidden at
// initialisation, shown and hidden on request, and the playlist commands of
// the player's menu that it shares (open, save, save as).
#include "player/ZentravueDlg.h"

#include "playlist/CPlaylist.h"
#include "playlist/PlaylistDlg.h"

void CZentravueDlg::CreatePlaylistWindow() {
  if (playlistDlg_) return;
  playlistDlg_ = std::make_unique<CPlaylistDlg>(playlist_.get(), settings_, language_, hwnd_);
  if (!playlistDlg_->CreateModeless()) playlistDlg_.reset();
}

void CZentravueDlg::ShowPlaylistWindow() {
  CreatePlaylistWindow();
  if (!playlistDlg_) return;
  HWND window = playlistDlg_->hwnd();
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
}

void CZentravueDlg::HidePlaylistWindow() {
  if (playlistDlg_ && playlistDlg_->hwnd()) ShowWindow(playlistDlg_->hwnd(), SW_HIDE);
}

void CZentravueDlg::OnOpenPlaylistCommand() {
  CreatePlaylistWindow();
  if (playlistDlg_) playlistDlg_->OpenPlaylistFile();
}

void CZentravueDlg::OnSavePlaylistCommand() {
  CreatePlaylistWindow();
  if (!playlistDlg_) return;
  if (playlist_->FileName().empty())
    playlistDlg_->SavePlaylistAs();
  else
    playlistDlg_->SavePlaylist();
}

void CZentravueDlg::OnSavePlaylistAsCommand() {
  CreatePlaylistWindow();
  if (playlistDlg_) playlistDlg_->SavePlaylistAs();
}

void CZentravueDlg::PlayForPlaylistWindow() {
  if (playlistPlayRunning_) {
    playlistPlayPending_ = true;
    return;
  }
  playlistPlayRunning_ = true;
  do {
    playlistPlayPending_ = false;
    PlayEntry(0);
  } while (playlistPlayPending_);
  playlistPlayRunning_ = false;
}
