#include "framework/Window.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <vector>

namespace {

constexpr UINT kCmdStop = 200;
constexpr UINT kCmdPlay = 201;
constexpr UINT kRecentFirst = 58000;
constexpr UINT kRecentLast = 58005;

class BaseWindow : public fw::Window {
 public:
  std::vector<std::string> calls;
  LRESULT OnSize(WPARAM, LPARAM) {
    calls.push_back("base size");
    return 1;
  }
  void OnStop() { calls.push_back("base stop"); }
  void OnPlay() { calls.push_back("base play"); }

  FW_DECLARE_MESSAGE_MAP()
};

FW_BEGIN_MESSAGE_MAP(BaseWindow, fw::Window)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
  FW_ON_COMMAND(kCmdStop, OnStop)
  FW_ON_COMMAND(kCmdPlay, OnPlay)
FW_END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
 public:
  void OnStopDerived() { calls.push_back("derived stop"); }
  void OnRecent(UINT id) { calls.push_back("recent " + std::to_string(id)); }
  void OnEditChange() { calls.push_back("edit change"); }
  LRESULT OnListClick(NMHDR* header) {
    calls.push_back("list click " + std::to_string(header->idFrom));
    return 7;
  }
  LRESULT OnTimer(WPARAM id, LPARAM) {
    calls.push_back("timer " + std::to_string(id));
    return 0;
  }

  FW_DECLARE_MESSAGE_MAP()
};

FW_BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
  FW_ON_COMMAND(kCmdStop, OnStopDerived)
  FW_ON_COMMAND_RANGE(kRecentFirst, kRecentLast, OnRecent)
  FW_ON_CONTROL(EN_CHANGE, 300, OnEditChange)
  FW_ON_NOTIFY(NM_CLICK, 400, OnListClick)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
FW_END_MESSAGE_MAP()

LRESULT Send(fw::Window& w, UINT message, WPARAM wp, LPARAM lp, bool* handled = nullptr) {
  LRESULT result = -1;
  const bool h = w.Dispatch(message, wp, lp, &result);
  if (handled) *handled = h;
  return result;
}

}  // namespace

TEST(MessageMap, DerivedEntryWinsAndBaseEntriesStillReached) {
  DerivedWindow w;
  Send(w, WM_COMMAND, MAKEWPARAM(kCmdStop, 0), 0);
  Send(w, WM_COMMAND, MAKEWPARAM(kCmdPlay, 1), 0);  // accelerator
  EXPECT_EQ(Send(w, WM_SIZE, 0, 0), 1);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"derived stop", "base play", "base size"}));
}

TEST(MessageMap, CommandRangeDeliversTheId) {
  DerivedWindow w;
  Send(w, WM_COMMAND, kRecentFirst, 0);
  Send(w, WM_COMMAND, kRecentLast, 0);
  bool handled = true;
  Send(w, WM_COMMAND, kRecentLast + 1, 0, &handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"recent 58000", "recent 58005"}));
}

TEST(MessageMap, ControlNotificationsMatchCodeAndId) {
  DerivedWindow w;
  bool handled = true;
  Send(w, WM_COMMAND, MAKEWPARAM(300, EN_KILLFOCUS), 1, &handled);
  EXPECT_FALSE(handled);
  // A control's notification code other than 0/1 is not a command.
  Send(w, WM_COMMAND, MAKEWPARAM(kCmdStop, EN_CHANGE), 1, &handled);
  EXPECT_FALSE(handled);
  Send(w, WM_COMMAND, MAKEWPARAM(300, EN_CHANGE), 1);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"edit change"}));
}

TEST(MessageMap, NotifyPassesHeaderAndReturnsResult) {
  DerivedWindow w;
  NMHDR header{};
  header.idFrom = 400;
  header.code = NM_CLICK;
  EXPECT_EQ(Send(w, WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header)), 7);
  header.idFrom = 401;
  bool handled = true;
  Send(w, WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&header), &handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"list click 400"}));
}

TEST(MessageMap, UnmappedMessageIsNotHandled) {
  DerivedWindow w;
  bool handled = true;
  Send(w, WM_PAINT, 0, 0, &handled);
  EXPECT_FALSE(handled);
  Send(w, WM_TIMER, 104, 0);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"timer 104"}));
}
