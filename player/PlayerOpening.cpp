// Opening media: from the command line, the Open dialog, dropped files and
// folders, the recent-media menu; playlists made from names; playing an
// entry; the external audio track; closing; saving a copy; resume positions.
#include "player/ZentravueDlg.h"

#include "media/VideoFile.h"

void CZentravueDlg::OpenCommandLineMedia() {}
void CZentravueDlg::CreatePlaylistSingle(const std::wstring&) {}
void CZentravueDlg::CreatePlaylistMultiple(std::vector<std::wstring>) {}
void CZentravueDlg::PlayEntry(int) {}
bool CZentravueDlg::OpenMediaFile(const std::wstring&) { return false; }
void CZentravueDlg::OpenDiscOrFolder(std::wstring) {}
bool CZentravueDlg::OpenAudioTrack(const std::wstring&) { return false; }
void CZentravueDlg::CloseMedia(bool) {
  currentMedia_ = nullptr;
  fileMedia_ = nullptr;
  graph_ = nullptr;
  ownedFileMedia_.reset();
}
void CZentravueDlg::NeighbourFile(int) {}
void CZentravueDlg::OnOpenDialog() {}
void CZentravueDlg::OnDropFiles(HDROP drop) { DragFinish(drop); }
void CZentravueDlg::OnAudioTrackCommand() {}
void CZentravueDlg::OnSaveCopy() {}
void CZentravueDlg::OnRecentMedia(UINT) {}
void CZentravueDlg::StoreResumePosition() {}
void CZentravueDlg::JumpToResumePosition() {}
