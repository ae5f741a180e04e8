// Opening media: from the command line, the Open dialog, dropped files and
// folders, the recent-media menu; playlists made from names; playing an
// entry; the external audio track; closing; saving a copy; resume positions.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/RecentMedia.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/VideoFile.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

void CZentravueDlg::OpenCommandLineMedia() {
  const std::wstring name = fw::ToWide(cmdLine_->MediaName());
  if (name.empty()) return;
  CreatePlaylistSingle(name);
}

void CZentravueDlg::CreatePlaylistSingle(const std::wstring& name) {
  playlist_->Clear();
  playlist_->AddEntry(fw::ToU16(name));
  playlist_->SetCurrentByPosition(1);
  RefreshPlaylistCommands(true);
}

void CZentravueDlg::CreatePlaylistMultiple(std::vector<std::wstring>) {}

void CZentravueDlg::PlayEntry(int entry) {
  const int count = playlist_->Count();
  if (entry > count) entry = 1;
  if (entry == 0) entry = playlist_->CurrentPosition();
  if (entry <= 0) return;
  playlist_->SetCurrentByPosition(entry);
  OpenMediaFile(fw::ToWide(playlist_->EntryPath(entry)));
  if (!currentMedia_) IdleLayout();
}

// The core of opening a file: the media object, the position bar, the media
// commands, the layout and playback.
bool CZentravueDlg::OpenMediaFile(const std::wstring& name) {
  if (name.empty()) return false;
  UpdateTitle();
  ClearStatusPanes();
  CloseMedia(false);

  fullName_ = name;
  fileName_ = fw::ToWide(zv::NamePartOf(fw::ToU16(name)));
  titleSuffix_ = L" - " + fileName_;

  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::CreateMediaFile");
  ownedFileMedia_ = std::make_unique<VideoFile>(debugDlg_.get(), language_, hwnd_, fw::ResourceInstance(), name,
                                                borderColour_, settings_, titleBase_ + titleSuffix_, bigIcon_,
                                                VideoAreaRect(), ClientRect());
  fileMedia_ = ownedFileMedia_.get();
  currentMedia_ = fileMedia_;
  graph_ = fileMedia_;
  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::MediaFileCreated");
  if (!fileMedia_->IsRendered()) {
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::FilterGraphError");
    CloseMedia(true);
    return false;
  }
  currentMedia_->SetVolume(settings_->Volume);
  currentMedia_->SetBalance(settings_->Balance);
  const bool hasVideo = currentMedia_->HasVideo();

  markStart_ = 0;
  markEnd_ = currentMedia_->GetDuration();
  EnableWindow(positionBar_.hwnd(), TRUE);
  positionBar_.SetRange(0, markEnd_);
  positionBar_.SetPageSize(1000);
  if (loop_) ShowMarkSelection();
  EnableMediaCommands(true, hasVideo);

  if (hasVideo) {
    LayoutForVideo();
  } else {
    LayoutForAudioOnly();
  }
  playState_ = kPlayStopped;
  UpdateTitle();
  if (recent_->Add(fw::ToU16(fileName_), fw::ToU16(fullName_))) BuildRecentMenu();

  if (settings_->StartMediaAutomatically) {
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::Play");
    Play();
  } else {
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::PlayPause");
    Play();
    Pause();
  }
  ApplyCommandLineOptions();
  RestartClockTimer();
  return true;
}

void CZentravueDlg::OpenDiscOrFolder(std::wstring) {}
bool CZentravueDlg::OpenAudioTrack(const std::wstring&) { return false; }

void CZentravueDlg::CloseMedia(bool restoreWindow) {
  if (!fileMedia_) return;
  KillTimer(hwnd_, ID_Clock_Timer);
  if (restoreWindow) IdleLayout();
  StoreResumePosition();
  currentMedia_ = nullptr;
  fileMedia_ = nullptr;
  graph_ = nullptr;
  ownedFileMedia_.reset();
  playState_ = kPlayStopped;
  EnableMediaCommands(false, false);
  ClearStatusPanes();
  if (restoreWindow) UpdateTitle();
}

void CZentravueDlg::NeighbourFile(int) {}
void CZentravueDlg::OnOpenDialog() {}
void CZentravueDlg::OnDropFiles(HDROP drop) { DragFinish(drop); }
void CZentravueDlg::OnAudioTrackCommand() {}
void CZentravueDlg::OnSaveCopy() {}
void CZentravueDlg::OnRecentMedia(UINT) {}
void CZentravueDlg::StoreResumePosition() {}
void CZentravueDlg::JumpToResumePosition() {}
