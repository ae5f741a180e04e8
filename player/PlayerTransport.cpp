// Transport commands of the player window: play, pause, stop, jumps, marks
// and loop, playback rate, volume and mute, the position and volume bars,
// the clock timer, the title and the playlist navigation.
#include "player/ZentravueDlg.h"

void CZentravueDlg::Play() {}
void CZentravueDlg::Pause() {}
void CZentravueDlg::PlayPauseToggle() {}
void CZentravueDlg::Stop(bool) {}
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
void CZentravueDlg::OnClockTimer() {}
void CZentravueDlg::RestartClockTimer() {}
void CZentravueDlg::UpdateTitle() { SetText(titleBase_); }
void CZentravueDlg::PreviousTitle() {}
void CZentravueDlg::NextTitle() {}
void CZentravueDlg::FirstTitle() {}
void CZentravueDlg::LastTitle() {}
void CZentravueDlg::ToggleShuffle() {}
void CZentravueDlg::RefreshPlaylistCommands(bool) {}
void CZentravueDlg::SetRateOrFallback(double, double) {}
void CZentravueDlg::PowerManagementForPlayback(bool) {}
void CZentravueDlg::ShowMarkSelection() {}
