#include "player/PlayerBusy.h"

#include "app/PrivateMessages.h"
#include "player/ZentravueDlg.h"

bool PlayerBusyState::Leave() {
  if (depth_ > 0) --depth_;
  return depth_ == 0 && !kept_.empty();
}

bool PlayerBusyState::IsPostedWork(UINT message) {
  switch (message) {
    case kMsgHandOver:
    case kMsgTrayIcon:
    case kMsgGraphEvent:
    case WM_TIMER:
    case WM_DROPFILES:
    case WM_CLOSE:
      return true;
    default:
      return false;
  }
}

bool PlayerBusyState::IsRefused(UINT message) const {
  for (int i = 0; i < refusedCount_; ++i)
    if (refused_[i] == message) return true;
  return false;
}

void PlayerBusyState::AddRefusedMessage(UINT message) {
  if (message == 0 || IsRefused(message) || refusedCount_ >= static_cast<int>(std::size(refused_))) return;
  refused_[refusedCount_++] = message;
}

PlayerBusyState::Verdict PlayerBusyState::Judge(UINT message, WPARAM wParam, LPARAM lParam) {
  if (letThrough_) {
    letThrough_ = false;
    return Verdict::Handle;
  }
  if (IsBusy() && IsRefused(message)) return Verdict::Refused;
  // Menu commands are kept only while busy: the window's own code sends
  // commands to itself between busy times, and those must run at once.
  const bool keep = IsPostedWork(message) ? IsBusy() || !kept_.empty() : message == WM_COMMAND && IsBusy();
  if (!keep) return Verdict::Handle;
  // A periodic timer and the graph's "events are waiting" need one replay each.
  if (message == WM_TIMER || message == kMsgGraphEvent) {
    for (const Message& waiting : kept_)
      if (waiting.message == message && waiting.wParam == wParam) return Verdict::Kept;
  }
  kept_.push_back(Message{message, wParam, lParam});
  return Verdict::Kept;
}

bool PlayerBusyState::TakeNext(Message* next) {
  if (IsBusy() || kept_.empty()) return false;
  *next = kept_.front();
  kept_.pop_front();
  letThrough_ = true;
  return true;
}

// ---- The player window's side ----

CZentravueDlg::BusyScope::BusyScope(CZentravueDlg& player) : player_(player) { player_.busy_.Enter(); }

CZentravueDlg::BusyScope::~BusyScope() {
  if (player_.busy_.Leave() && player_.hwnd_) PostMessageW(player_.hwnd_, kMsgReplayKept, 0, 0);
}

void CZentravueDlg::RunCommand(UINT id) {
  UINT found = 0;
  if (const fw::MessageMapEntry* entry = fw::FindEntry(GetMessageMap(), WM_COMMAND, id, 0, &found))
    entry->call(this, found, id, 0);
}

// In arrival order; work that arrives during the replay queues behind it.
// A replayed message that makes the window busy again stops the replay; the
// end of that busy time starts the next one.
void CZentravueDlg::ReplayKeptMessages() {
  // What arrived while the window closed dies with it.
  if (busy_.Replaying() || windowClosing_) return;
  busy_.SetReplaying(true);
  PlayerBusyState::Message next{};
  while (hwnd_ && !windowClosing_ && busy_.TakeNext(&next)) {
    LRESULT ignored = 0;
    Dispatch(next.message, next.wParam, next.lParam, &ignored);
  }
  busy_.SetReplaying(false);
}
