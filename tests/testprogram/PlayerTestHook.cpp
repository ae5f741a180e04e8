// The hook of the test program: installed before the application starts,
// it answers PlayerTestQuery questions from any process.
#include "tests/testprogram/PlayerTestHook.h"

#include "app/DebugDlg.h"
#include "app/HandOverItems.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "player/ZentravueDlg.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

#include <iterator>

// Reads the player window's state for the hook (a friend of the window).
class PlayerTestAccess {
 public:
  static LRESULT Answer(CZentravueDlg& player, WPARAM question, LPARAM argument);
};

namespace {

LRESULT TextAnswer(const std::wstring& text) {
  if (text.empty() || text.size() > zv::kMaxAtomChars) return 0;
  return GlobalAddAtomW(text.c_str());
}

// The text a tooltip control holds for a tool: what the user sees on hovering.
std::wstring ToolText(HWND tooltip, HWND owner, UINT_PTR id) {
  if (!tooltip) return {};
  wchar_t text[1024] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner;
  tool.uId = id;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

// The button's tool in its tooltip control (made now when the mouse has not
// made it yet; the mute button's is made with the text it keeps).
std::wstring ButtonToolText(CZentravueDlg& player, int command) {
  if (command == IDTBB_MUTE) {
    CImageButton& mute = player.MuteButton();
    if (!mute.Tooltip()) return mute.TooltipText();
    return ToolText(mute.Tooltip(), mute.hwnd(), reinterpret_cast<UINT_PTR>(mute.hwnd()));
  }
  CToolBar& bar = player.ToolBar();
  return ToolText(bar.Tooltip(), bar.hwnd(), static_cast<UINT_PTR>(command));
}

class QueryHook : public PlayerMessageHook {
 public:
  QueryHook() : message_(RegisterWindowMessageW(kPlayerTestQueryName)) { CZentravueDlg::InstallMessageHook(this); }
  UINT Message() const override { return message_; }
  LRESULT Answer(CZentravueDlg& player, WPARAM question, LPARAM argument) override {
    return PlayerTestAccess::Answer(player, question, argument);
  }

 private:
  UINT message_;
};

// Installed while the program loads, before the application object runs.
QueryHook g_hook;

}  // namespace

LRESULT PlayerTestAccess::Answer(CZentravueDlg& player, WPARAM question, LPARAM argument) {
  CPlaylist& playlist = *player.playlist_;
  const auto index = static_cast<size_t>(argument - 1);
  switch (static_cast<PlayerTestQuery>(question)) {
    case PlayerTestQuery::PlaylistCount:
      return playlist.Count();
    case PlayerTestQuery::PlaylistEntry:
      return argument >= 1 && argument <= playlist.Count()
                 ? TextAnswer(fw::ToWide(playlist.EntryPath(static_cast<int>(argument))))
                 : 0;
    case PlayerTestQuery::PlayedCount:
      return static_cast<LRESULT>(player.playedEntries_.size());
    case PlayerTestQuery::PlayedEntry:
      return argument >= 1 && index < player.playedEntries_.size() ? player.playedEntries_[index] : 0;
    case PlayerTestQuery::HandOversApplied:
      return player.handOversApplied_;
    case PlayerTestQuery::CommandLineFlag: {
      const zv::HandOverFlag* item = zv::FindHandOverFlag(static_cast<int32_t>(argument));
      return item && player.cmdLine_->*item->flag ? 1 : 0;
    }
    case PlayerTestQuery::CommandLineText: {
      const zv::HandOverText* item = zv::FindHandOverText(static_cast<int32_t>(argument));
      return item ? TextAnswer(fw::ToWide((player.cmdLine_->*item->get)())) : 0;
    }
    case PlayerTestQuery::TraceLogOpen:
      return player.debugDlg_ && player.debugDlg_->IsCreated() ? 1 : 0;
    case PlayerTestQuery::PlayState:
      return player.playState_;
    case PlayerTestQuery::MediaOpen:
      return player.currentMedia_ ? 1 : 0;
    case PlayerTestQuery::Position:
      return player.currentMedia_ ? player.currentMedia_->GetPosition() : -1;
    case PlayerTestQuery::CurrentEntry:
      return playlist.CurrentPosition();
    case PlayerTestQuery::Ping:
      return kPlayerTestPingAnswer;
    case PlayerTestQuery::PowerSuppressed:
      return player.powerSuppressed_ ? 1 : 0;
    case PlayerTestQuery::Title:
      return TextAnswer(player.GetText());
    case PlayerTestQuery::ToolTip:
      return TextAnswer(ButtonToolText(player, static_cast<int>(argument)));
    case PlayerTestQuery::ButtonImage:
      return argument == IDTBB_MUTE ? player.MuteButton().ImageIndex()
                                    : player.ToolBar().ButtonImage(static_cast<int>(argument));
  }
  return 0;
}
