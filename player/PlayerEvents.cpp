// Graph events of the open media and the end of media: looping, marks,
// playlist advance, the shutdown hook and "close".
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/DirectShow.h"
#include "player/StreamMenuModel.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

#include <cstdlib>

void CZentravueDlg::OnGraphEvents() {
  // Handling an event may replace the graph (the next entry opens) or end
  // the dialog; the loop always asks the graph of the moment.
  while (graph_ && !inEndDialog_) {
    long code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    if (graph_->GetEvent(&code, &param1, &param2) != S_OK) return;
    TraceStep(debugDlg_.get(), fw::Format(L"evcode::%i", static_cast<int>(code)));
    switch (code) {
      case EC_COMPLETE:
        EndOfMedia(false);
        break;
      case EC_FULLSCREEN_LOST:
        LeaveFullscreen();
        break;
      default:
        OnDvdGraphEvent(code, param1);
        break;
    }
    if (zv::streams::RebuildsStreamMenus(code)) BuildStreamMenus();
  }
}

void CZentravueDlg::EndOfMedia(bool looping) {
  const bool shuffle = settings_->PlaylistShuffle != 0;
  looping = looping || loop_ || (playlist_->HasSeveral() && shuffle);
  inEndOfMedia_ = true;
  RewindOrStopAtEnd(looping);

  const int current = playlist_->CurrentPosition();
  const int count = playlist_->Count();
  if (current < count || shuffle) {
    NextTitle();
    inEndOfMedia_ = false;
    return;
  }

  // The last entry (or the only media) has ended.
  if (count > 1) PlayEntry(1);
  RewindOrStopAtEnd(looping);
  RunShutdownHook();
  if (closeAfterPlayback_) {
    // Through the window's own closing, which gives back the power settings,
    // closes the media while their window exists and removes the tray icon.
    inEndOfMedia_ = false;
    inEndDialog_ = true;
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return;
  }
  if (loop_) Play();
  inEndOfMedia_ = false;
}

// A file's place is kept as its resume position before it is rewound or stopped.
void CZentravueDlg::RewindOrStopAtEnd(bool looping) {
  StoreResumePosition();
  Stop(looping);
}
