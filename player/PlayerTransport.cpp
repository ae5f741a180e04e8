// Transport commands of the player window: play, pause, stop, jumps, marks
// and loop, playback rate, volume and mute, the position and volume bars,
// the clock timer, the title and the playlist navigation.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/MediaUnits.h"
#include "app/Settings.h"
#include "app/ZentravueApp.h"
#include "framework/WideString.h"
#include "media/DirectShow.h"
#include "media/VideoFile.h"
#include "player/TransportRules.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

#include <shobjidl.h>

#include <cstdlib>

namespace {

// Shuffle draws from the C runtime's generator (seeded at initialisation),
// fifteen bits at a time whatever the runtime's RAND_MAX.
int Random15() { return std::rand() & 0x7FFF; }

}  // namespace

// ---- Play state ----

void CZentravueDlg::Play() {
  if (!currentMedia_) return;
  PowerManagementForPlayback(true);
  SetPlayState(kPlayPlaying);
  UpdateTitle();
  if (settings_->StartFullscreen) EnterFullscreen();
  // Ctrl held: the playback delay countdown first (Ctrl counts once).
  if (controlKeyDown_ && settings_->PlaybackDelay > 0) {
    controlKeyDown_ = false;
    RunPlaybackDelay();
    // The countdown's loop dispatches messages; the media may be gone.
    if (!currentMedia_) return;
  }
  currentMedia_->Play();
  currentMedia_->SetRate(1.0);
  SetTaskbarState(TBPF_NORMAL);
}

void CZentravueDlg::Pause() {
  if (!currentMedia_) return;
  PowerManagementForPlayback(false);
  SetPlayState(kPlayPaused);
  UpdateTitle();
  currentMedia_->Pause();
  SetTaskbarState(TBPF_PAUSED);
}

void CZentravueDlg::SetPlayState(PlayState state) {
  playState_ = state;
  toolBar_.SetButtonChecked(IDTBB_PLAY, state == kPlayPlaying);
  toolBar_.SetButtonChecked(IDTBB_PAUSE, state == kPlayPaused);
}

void CZentravueDlg::PlayPauseToggle() {
  if (!currentMedia_) return;
  if (playState_ == kPlayPlaying) {
    Pause();
  } else {
    Play();
  }
}

// The graph is never stopped here: the media stays paused at its start (or
// at the mark start), which shows the frame and keeps seeking cheap.
void CZentravueDlg::Stop(bool rewindToMarkStart) {
  if (!currentMedia_) return;
  PowerManagementForPlayback(false);
  if (fileMedia_ && currentMedia_->GetPosition() != 0) {
    StoreResumePosition();
    EnableCommand(IDM_WIEDERGABE_SPRINGELETZTESTELLE, true);
    toolBar_.SetButtonState(IDTBB_JUMPLASTPOSITION, true);
  }
  if (rewindToMarkStart) {
    currentMedia_->SetPosition(markStart_);
    return;
  }
  currentMedia_->SetPosition(0);
  currentMedia_->Pause();
  SetPlayState(kPlayStopped);
  UpdateTitle();
  SetTaskbarState(TBPF_NOPROGRESS);
}

void CZentravueDlg::SetTaskbarState(int flags) {
  if (taskbar_) taskbar_->SetProgressState(hwnd_, static_cast<TBPFLAG>(flags));
}

// Keeps the screen on while a video plays. Where the system offers the
// association registration service it also has execution states; older
// systems only know the screen saver and the monitor's power parameters.
// The parameters are changed for this session only and given back as they
// were found, so a crash cannot leave the user's profile changed.
void CZentravueDlg::PowerManagementForPlayback(bool playing) {
  if (playing) {
    if (powerSuppressed_ || !settings_->DeactivatePowerManagement || !currentMedia_ ||
        !currentMedia_->HasVideo())
      return;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &savedScreenSaver_, 0);
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    auto* app = dynamic_cast<CZentravueApp*>(fw::App::Current());
    executionStateSet_ = app && app->AssociationRegistration();
    if (executionStateSet_) {
      SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
    } else {
      SystemParametersInfoW(SPI_GETLOWPOWERACTIVE, 0, &savedLowPower_, 0);
      SystemParametersInfoW(SPI_GETPOWEROFFACTIVE, 0, &savedPowerOff_, 0);
      SystemParametersInfoW(SPI_SETLOWPOWERACTIVE, FALSE, nullptr, 0);
      SystemParametersInfoW(SPI_SETPOWEROFFACTIVE, FALSE, nullptr, 0);
    }
    powerSuppressed_ = true;
    return;
  }
  if (!powerSuppressed_) return;
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(savedScreenSaver_), nullptr, 0);
  if (executionStateSet_) {
    SetThreadExecutionState(ES_CONTINUOUS);
  } else {
    SystemParametersInfoW(SPI_SETLOWPOWERACTIVE, static_cast<UINT>(savedLowPower_), nullptr, 0);
    SystemParametersInfoW(SPI_SETPOWEROFFACTIVE, static_cast<UINT>(savedPowerOff_), nullptr, 0);
  }
  powerSuppressed_ = false;
  executionStateSet_ = false;
}

// ---- Jumps, marks and loop ----

void CZentravueDlg::Jump(int direction) {
  if (!currentMedia_) return;
  const int range = settings_->JumpingRange;
  zv::JumpTarget target = zv::JumpFrom(currentMedia_->GetPosition(), direction, range);
  if (target.beforeStart && playlist_->Count() > 0 && playlist_->CurrentPosition() > 1) {
    PreviousTitle();
    if (!currentMedia_) return;
    target.position = zv::JumpIntoPreviousEnd(currentMedia_->GetDuration(), range);
  }
  currentMedia_->SetPosition(target.position);
}

void CZentravueDlg::JumpToMarkEnd() {
  if (!currentMedia_) return;
  if (nextEndJump_ == 3) {
    nextEndJump_ = 2;
    currentMedia_->SetPosition(markEnd_);
    if (loop_ && playState_ == kPlayPlaying) EndOfMedia(true);
    return;
  }
  nextEndJump_ = 3;
  currentMedia_->SetPosition(currentMedia_->GetDuration());
}

void CZentravueDlg::JumpToMarkStart() {
  if (!currentMedia_) return;
  if (nextStartJump_ == 1) {
    nextStartJump_ = 0;
    currentMedia_->SetPosition(markStart_);
    return;
  }
  nextStartJump_ = 1;
  currentMedia_->SetPosition(0);
}

void CZentravueDlg::SetMarkStart() {
  if (!currentMedia_) return;
  const int position = positionBar_.GetPos();
  if (position > markEnd_) return;
  markStart_ = position;
  SetLoop(true);
  ShowMarkSelection();
}

void CZentravueDlg::SetMarkEnd() {
  if (!currentMedia_) return;
  const int position = positionBar_.GetPos();
  if (position < markStart_) return;
  markEnd_ = position;
  SetLoop(true);
  ShowMarkSelection();
  currentMedia_->SetPosition(markStart_);
}

void CZentravueDlg::MarkAll() {
  if (!currentMedia_) return;
  SetLoop(true);
  markStart_ = 0;
  markEnd_ = currentMedia_->GetDuration();
  ShowMarkSelection();
}

// Works without media too: the loop then applies to what is opened next.
void CZentravueDlg::ToggleLoop() {
  if (loop_) {
    SetLoop(false);
    positionBar_.ClearSelection();
    return;
  }
  SetLoop(true);
  ShowMarkSelection();
}

// The button shows the state and offers the opposite as its tooltip.
void CZentravueDlg::SetLoop(bool on) {
  loop_ = on;
  CheckCommand(IDM_WIEDERGABE_ENDLOSSCHLEIFE, on);
  const char16_t* picture = on ? u"Loop" : u"NoLoop";
  const char16_t* action = on ? u"NoLoop" : u"Loop";
  toolBar_.SetButtonPicture(IDTBB_LOOP, buttons_.ImageIndexOf(picture), fw::ToWide(buttons_.TooltipOf(action)));
}

void CZentravueDlg::ShowMarkSelection() { positionBar_.SetSelection(markStart_, markEnd_); }

// ---- Rate ----

void CZentravueDlg::SetRateOrFallback(double rate, double fallback) {
  if (!currentMedia_) return;
  if (FAILED(currentMedia_->SetRate(rate))) currentMedia_->SetRate(fallback);
}

void CZentravueDlg::Faster() {
  if (!currentMedia_) return;
  const double rate = zv::FasterRate(currentMedia_->GetRate());
  SetRateOrFallback(rate, 1.0);
  TraceStep(debugDlg_.get(), fw::Format(L"Playback rate: %f", rate));
}

void CZentravueDlg::Slower() { SetRateOrFallback(0.5, 1.0); }
void CZentravueDlg::SlowBackwards() { SetRateOrFallback(-0.5, 1.0); }

void CZentravueDlg::FastBackwards() {
  if (!currentMedia_) return;
  SetRateOrFallback(zv::FastBackwardsRate(currentMedia_->GetRate()), -1.0);
}

void CZentravueDlg::NormalRate() { SetRateOrFallback(1.0, 1.0); }

// ---- Volume ----

void CZentravueDlg::Quieter() {
  const zv::VolumeChange change = zv::QuieterVolume(settings_->Volume, volumeBeforeMute_, controlKeyDown_);
  settings_->Volume = change.volume;
  volumeBeforeMute_ = change.volumeBeforeMute;
  ApplyVolume();
}

void CZentravueDlg::Louder() {
  const zv::VolumeChange change = zv::LouderVolume(settings_->Volume, volumeBeforeMute_, controlKeyDown_);
  settings_->Volume = change.volume;
  volumeBeforeMute_ = change.volumeBeforeMute;
  ApplyVolume();
}

void CZentravueDlg::ToggleMute() {
  const zv::VolumeChange change = zv::ToggledMute(settings_->Volume, volumeBeforeMute_);
  settings_->Volume = change.volume;
  volumeBeforeMute_ = change.volumeBeforeMute;
  ApplyVolume();
}

void CZentravueDlg::ApplyVolume() {
  const int volume = settings_->Volume;
  volumeBar_.SetPos(zv::PercentFromVolume(volume));
  const bool muted = volume == zv::kVolumeSilent;
  CheckCommand(IDM_AUDIO_STUMM, muted);
  EnableCommand(IDM_AUDIO_LEISER, !muted);
  EnableCommand(IDM_AUDIO_LAUTER, muted || volume < 0);
  ShowMuteState();
  if (currentMedia_) currentMedia_->SetVolume(volume);
}

void CZentravueDlg::ShowMuteState() {
  const bool muted = settings_->Volume == zv::kVolumeSilent;
  muteButton_.SetImageIndex(buttons_.ImageIndexOf(muted ? u"Mute" : u"NoMute"));
  muteButton_.SetTooltipText(fw::ToWide(buttons_.TooltipOf(muted ? u"NoMute" : u"Mute")));
}

void CZentravueDlg::OnVolumeBarScroll(int code) {
  if (code != TB_PAGEUP && code != TB_PAGEDOWN && code != TB_THUMBPOSITION && code != TB_THUMBTRACK) return;
  settings_->Volume = zv::VolumeFromPercent(volumeBar_.GetPos());
  ApplyVolume();
}

// ---- Position bar and clock ----

// While the thumb moves the media only pauses; the clock timer seeks once
// the thumb rests, and the end of the drag seeks and restores the state.
void CZentravueDlg::OnPositionBarScroll(int code) {
  if (!currentMedia_) return;
  if (code != TB_PAGEUP && code != TB_PAGEDOWN && code != TB_THUMBPOSITION && code != TB_THUMBTRACK) return;
  SetFocus(hwnd_);
  lastDragTime_ = GetTickCount64();
  if (!dragging_) lastDragSeek_ = -1;
  dragging_ = true;
  currentMedia_->Pause();
  if (code == TB_THUMBTRACK) return;
  dragging_ = false;
  currentMedia_->SetPosition(positionBar_.GetPos());
  if (playState_ == kPlayPaused) currentMedia_->Pause();
  if (playState_ == kPlayPlaying) currentMedia_->Play();
}

void CZentravueDlg::OnClockTimer() {
  if (!currentMedia_) return;
  int position = 0;
  if (dragging_) {
    position = positionBar_.GetPos();
    if (GetTickCount64() - lastDragTime_ > 500 && position != lastDragSeek_) {
      currentMedia_->SetPosition(position);
      currentMedia_->Pause();
      lastDragSeek_ = position;
    }
  } else {
    position = currentMedia_->GetPosition();
    positionBar_.SetPos(position);
  }
  SetStatusText(0, fw::ToWide(zv::FormatTime(position)));
  if (taskbar_) {
    const int duration = currentMedia_->GetDuration();
    if (duration > 0 && position >= 0)
      taskbar_->SetProgressValue(hwnd_, static_cast<ULONGLONG>(position), static_cast<ULONGLONG>(duration));
  }
  SetStatusText(6, currentMedia_->HasVideo() ? fw::Format(L"%.2f fps", currentMedia_->GetFrameRate())
                                              : std::wstring());
  if (loop_ && playState_ == kPlayPlaying && !dragging_ &&
      zv::PassedMarkEnd(position, markEnd_, positionBar_.RangeMax()))
    currentMedia_->SetPosition(markStart_);
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
  const int state = playState_ >= kPlayStopped && playState_ <= kPlayPlaying ? playState_ : kPlayStopped;
  SetText(titleBase_ + titleSuffix_ + kStates[state]);
}

// ---- Playlist navigation ----

void CZentravueDlg::PreviousTitle() {
  if (!playlist_->HasSeveral()) {
    NeighbourFile(-1);
    return;
  }
  PlayEntry(playlist_->PreviousPosition(settings_->PlaylistShuffle != 0, Random15));
}

void CZentravueDlg::NextTitle() {
  if (!playlist_->HasSeveral()) {
    NeighbourFile(1);
    return;
  }
  PlayEntry(playlist_->NextPosition(settings_->PlaylistShuffle != 0, Random15));
}

void CZentravueDlg::FirstTitle() {
  if (playlist_->Count() > 0) PlayEntry(1);
}

void CZentravueDlg::LastTitle() {
  if (playlist_->Count() > 0) PlayEntry(playlist_->Count());
}

void CZentravueDlg::ToggleShuffle() {
  settings_->PlaylistShuffle = settings_->PlaylistShuffle ? 0 : 1;
  CheckCommand(IDM_PLAYLIST_SHUFFLE, settings_->PlaylistShuffle != 0);
}

void CZentravueDlg::RefreshPlaylistCommands(bool play) {
  playlist_->RefreshView();
  EnableCommand(IDM_PLAYLIST_SPEICHERN, !playlist_->FileName().empty());
  const bool entries = playlist_->Count() > 0;
  toolBar_.SetButtonState(IDTBB_PREVTRACKCHAPTER, entries);
  toolBar_.SetButtonState(IDTBB_NEXTTRACKCHAPTER, entries);
  for (UINT id : {IDM_PLAYLIST_SPEICHERNUNTER, IDM_PLAYLIST_ERSTERTITEL, IDM_PLAYLIST_LETZTERTITEL,
                  IDM_PLAYLIST_VORHERIGERTITEL, IDM_PLAYLIST_NAECHSTERTITEL})
    EnableCommand(id, entries);
  if (play) PlayEntry(0);
}
