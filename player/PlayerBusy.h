#pragma once
// The player window is busy while it opens or closes media or closes
// itself. That work runs loops that dispatch messages: the graph builder's
// wait dispatches sent messages, an error box or a dialog dispatches posted
// ones. Work that arrives meanwhile must not reach a half-built or
// half-destroyed media object:
//   - posted work (hand-overs and playlist requests, tray clicks, timers,
//     graph events, dropped files, menu commands, closing the window) is
//     kept and replayed in arrival order once the window is free again;
//   - questions and commands of other programs (remote control, and any
//     message a test program adds) are refused: they answer 0.
//
//   void CZentravueDlg::OpenSomething() {
//     BusyScope busy(*this);  // nests; the outermost scope ends the busy time
//     ...
//   }
//   if (IsBusy()) return 0;  // in a handler that must not run meanwhile
#include "framework/WinInclude.h"

#include <deque>
#include <iterator>

class PlayerBusyState {
 public:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  enum class Verdict {
    Handle,  // not affected: handle it now
    Kept,    // kept for the replay; answer 0
    Refused  // refused; answer 0
  };

  bool IsBusy() const { return depth_ > 0; }
  void Enter() { ++depth_; }
  // True when this ends the outermost busy time and messages wait for the
  // replay: the caller posts the replay message then.
  bool Leave();

  // Decides what happens to a message arriving at the window now. While a
  // replay is pending, posted work keeps queueing behind the kept messages
  // so that the order of arrival holds.
  Verdict Judge(UINT message, WPARAM wParam, LPARAM lParam);

  // The next kept message for the replay; false when there is none, or the
  // window became busy again (the next busy time ends with another replay).
  // The next message judged after it (the replayed one) is let through.
  bool TakeNext(Message* next);
  bool Replaying() const { return replaying_; }
  void SetReplaying(bool on) { replaying_ = on; }
  size_t KeptCount() const { return kept_.size(); }

  // Messages of this kind are refused while busy (questions from other
  // processes, whose answers would read a half-built object).
  void AddRefusedMessage(UINT message);

 private:
  static bool IsPostedWork(UINT message);
  bool IsRefused(UINT message) const;

  int depth_ = 0;
  bool replaying_ = false;
  bool letThrough_ = false;
  std::deque<Message> kept_;
  UINT refused_[8] = {};
  int refusedCount_ = 0;
};
