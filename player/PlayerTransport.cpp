// Transport commands of the player window: play, pause, stop, jumps, marks
// and loop, playback rate, volume and mute, the position and volume bars,
// the clock timer, the title and the playlist navigation.
#include "player/ZentravueDlg.h"

#include "app/MediaUnits.h"
#include "framework/WideString.h"
#include "media/DirectShow.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

void CZentravueDlg::Play() {
  if (!currentMedia_) return;
  playState_ = kPlayPlaying;
  UpdateTitle();
  currentMedia_->Play();
  currentMedia_->SetRate(1.0);
}
void CZentravueDlg::Pause() {
  if (!currentMedia_) return;
  playState_ = kPlayPaused;
  UpdateTitle();
  currentMedia_->Pause();
}
void CZentravueDlg::PlayPauseToggle() {
  if (!currentMedia_) return;
  if (playState_ == kPlayPlaying) {
    Pause();
  } else {
    Play();
  }
}
void CZentravueDlg::Stop(bool rewindToMarkStart) {
  if (!currentMedia_) return;
  if (rewindToMarkStart) {
    currentMedia_->SetPosition(markStart_);
    return;
  }
  currentMedia_->SetPosition(0);
  currentMedia_->Pause();
  playState_ = kPlayStopped;
  UpdateTitle();
}
void CZentravueDlg::Jump(int) {}
void CZentravueDlg::JumpToMarkEnd() {}
void CZentravueDlg::JumpToMarkStart() {}
void CZentravueDlg::SetMarkStart() {}
void CZentravueDlg::SetMarkEnd() {}
void CZentravueDlg::MarkAll() {}
void CZentravueDlg::ToggleLoop() {}
void CZentravueDlg::SetLoop(bool) {}
void CZentravueDlg::Faster() {}
void CZentravueDlg::Slower() {}
void CZentravueDlg::SlowBackwards() {}
void CZentravueDlg::FastBackwards() {}
void CZentravueDlg::NormalRate() {}
void CZentravueDlg::Quieter() {}
void CZentravueDlg::Louder() {}
void CZentravueDlg::ToggleMute() {}
void CZentravueDlg::ApplyVolume() {}
void CZentravueDlg::OnPositionBarScroll(int) {}
void CZentravueDlg::OnVolumeBarScroll(int) {}
void CZentravueDlg::OnClockTimer() {
  if (!currentMedia_) return;
  const int position = currentMedia_->GetPosition();
  positionBar_.SetPos(position);
  SetStatusText(0, fw::ToWide(zv::FormatTime(position)));
}
void CZentravueDlg::RestartClockTimer() {
  KillTimer(hwnd_, ID_Clock_Timer);
  SetTimer(hwnd_, ID_Clock_Timer, 250, nullptr);
}
void CZentravueDlg::UpdateTitle() {
  if (!currentMedia_) {
    SetText(titleBase_);
    return;
  }
  static const wchar_t* const kStates[] = {L" - STOP", L" - PAUSE", L" - PLAY"};
  SetText(titleBase_ + titleSuffix_ + kStates[playState_]);
}
void CZentravueDlg::PreviousTitle() {}
void CZentravueDlg::NextTitle() {}
void CZentravueDlg::FirstTitle() {}
void CZentravueDlg::LastTitle() {}
void CZentravueDlg::ToggleShuffle() {}
void CZentravueDlg::RefreshPlaylistCommands(bool play) {
  if (play) PlayEntry(0);
}
void CZentravueDlg::SetRateOrFallback(double, double) {}
void CZentravueDlg::PowerManagementForPlayback(bool) {}
void CZentravueDlg::ShowMarkSelection() {}
