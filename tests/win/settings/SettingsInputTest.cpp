// The settings dialog driven by real input, keyboard alone and mouse alone:
// the keys and clicks go through the system's input queue from a driver
// thread while the dialog runs its own loop on the test's thread.
#include "res/resource.h"
#include "settings/SettingsDialog.h"
#include "tests/win/settings/SettingsTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr DWORD kWait = 15000;

// Runs the dialog modally while the driver works; the driver gets the
// dialog window once it is painted and must end it.
class InputRun {
 public:
  InputRun(CSettingsDialog& dialog, std::function<void(HWND)> driver)
      : dialog_(dialog), driver_(std::move(driver)) {}

  INT_PTR Run() {
    const DWORD thread = GetCurrentThreadId();
    std::thread worker([this, thread] {
      HWND dialog = nullptr;
      const bool up = zvtest::PollFor(
          [&] {
            dialog = zvtest::FindSettingsDialog(thread);
            return dialog && zvtest::CurrentPageOf(dialog) && !GetUpdateRect(dialog, nullptr, FALSE);
          },
          kWait);
      if (!up) {
        failures.push_back("the dialog did not come up");
        return;
      }
      SetForegroundWindow(dialog);
      driver_(dialog);
      // Whatever the driver left open ends here.
      if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const INT_PTR result = dialog_.DoModal();
    worker.join();
    return result;
  }

  std::vector<std::string> failures;

 private:
  CSettingsDialog& dialog_;
  std::function<void(HWND)> driver_;
};

std::wstring Title(HWND dialog) { return zvtest::TextOf(GetDlgItem(dialog, IDC_TXT_CATEGORY)); }

// Presses a key and waits until the condition holds.
bool KeyUntil(WORD key, const std::function<bool()>& condition, bool shift = false) {
  zvtest::PressKey(key, shift);
  return zvtest::PollFor(condition, kWait);
}

class SettingsInput : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    english_ = zvtest::BuiltInLanguage(zvtest::kEnglish);
  }
  void TearDown() override { CoUninitialize(); }
  std::unique_ptr<LanguageTable> english_;
};

}  // namespace

TEST_F(SettingsInput, KeyboardAloneSwitchesPagesTabsThroughEveryControlAndEnterIsOk) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  const DWORD thread = GetCurrentThreadId();
  std::vector<std::wstring> titles;
  std::vector<int> generalOrder, playbackOrder;
  bool focusStartsInTree = false, lastControlScrolledIntoView = false;
  InputRun run(dialog, [&](HWND window) {
    HWND tree = GetDlgItem(window, IDC_TREE_SETTINGS);
    auto focusId = [&] { return GetDlgCtrlID(zvtest::FocusOf(thread)); };
    focusStartsInTree = zvtest::FocusOf(thread) == tree;
    // Down through every node and back up: each page node switches the page.
    titles.push_back(Title(window));
    for (int i = 0; i < 11; ++i) {
      const std::wstring before = Title(window);
      HTREEITEM selected = TreeView_GetSelection(tree);
      if (!KeyUntil(VK_DOWN, [&] { return TreeView_GetSelection(tree) != selected; })) {
        run.failures.push_back("down arrow did not move");
        return;
      }
      zvtest::PollFor([&] { return Title(window) != before; }, 200);
      titles.push_back(Title(window));
    }
    for (int i = 0; i < 11; ++i) {
      HTREEITEM selected = TreeView_GetSelection(tree);
      KeyUntil(VK_UP, [&] { return TreeView_GetSelection(tree) != selected; });
    }
    if (!zvtest::PollFor([&] { return Title(window) == L" General"; }, kWait)) run.failures.push_back("not back on General");

    // Tab from the tree through the General page, OK and Cancel, back to the tree.
    for (int i = 0; i < 14; ++i) {
      const int before = focusId();
      KeyUntil(VK_TAB, [&] { return focusId() != before; });
      generalOrder.push_back(focusId());
      if (focusId() == IDC_GENERAL_DEVICE_DISPLAY_STARTUP) {
        HWND control = zvtest::FocusOf(thread);
        HWND page = GetParent(control);
        lastControlScrolledIntoView = zvtest::PollFor(
            [&] {
              RECT r{}, client{};
              GetWindowRect(control, &r);
              MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
              GetClientRect(page, &client);
              return r.top >= 0 && r.bottom <= client.bottom;
            },
            2000);
      }
    }
    // Shift+Tab goes back.
    KeyUntil(VK_TAB, [&] { return focusId() == IDC_BUTTON_ABBRECHEN; }, true);
    KeyUntil(VK_TAB, [&] { return focusId() == IDC_TREE_SETTINGS; });

    // To the Playback page, into it, tick the first box and type a delay.
    for (int i = 0; i < 7; ++i) {
      HTREEITEM selected = TreeView_GetSelection(tree);
      KeyUntil(VK_DOWN, [&] { return TreeView_GetSelection(tree) != selected; });
    }
    zvtest::PollFor([&] { return Title(window) == L" Playback"; }, kWait);
    for (int i = 0; i < 5; ++i) {
      const int before = focusId();
      KeyUntil(VK_TAB, [&] { return focusId() != before; });
      playbackOrder.push_back(focusId());
      if (focusId() == IDC_PLAYBACK_FULLSCREEN) zvtest::PressKey(VK_SPACE);
      if (focusId() == IDC_PLAYBACK_PLAYBACKDELAY) {
        zvtest::PressKey('7');
        zvtest::PollFor([&] { return zvtest::TextOf(zvtest::FocusOf(thread)) == L"7"; }, kWait);
      }
    }
    // Enter in an edit is OK.
    zvtest::PressKey(VK_RETURN);
    zvtest::PollFor([&] { return !IsWindow(window); }, kWait);
  });
  EXPECT_EQ(run.Run(), IDOK);
  for (const std::string& failure : run.failures) ADD_FAILURE() << failure;

  EXPECT_TRUE(focusStartsInTree);
  EXPECT_EQ(titles, (std::vector<std::wstring>{L" General", L" Video", L" Language", L" Language",
                                               L" File Associations - Video", L" File Associations - Audio",
                                               L" File Associations - Playlists", L" Playback", L" DVD", L" DVD",
                                               L" Dreambox", L" VDR"}));
  EXPECT_EQ(generalOrder,
            (std::vector<int>{IDC_GENERAL_INSTANCE, IDC_GENERAL_POWER, IDC_TOOLBARPOS, IDC_PROCESSPRIORITY,
                              IDC_GENERAL_SNAPSHOTDIR, IDC_GENERAL_SELECTDIR, IDC_GENERAL_SNAPSHOTFILETYPE,
                              IDC_GENERAL_KEEP_WINDOW_SIZE, IDC_GENERAL_KEEP_WINDOW_POS, IDC_GENERAL_CENTER_WINDOW,
                              IDC_GENERAL_DEVICE_DISPLAY_STARTUP, IDC_BUTTON_OK, IDC_BUTTON_ABBRECHEN,
                              IDC_TREE_SETTINGS}));
  EXPECT_TRUE(lastControlScrolledIntoView) << "the General page scrolls to the focused control";
  EXPECT_EQ(playbackOrder, (std::vector<int>{IDC_PLAYBACK_FULLSCREEN, IDC_PLAYBACK_AUTOSTARTVIDEO,
                                             IDC_PLAYBACK_JUMPTOLASTPOS, IDC_PLAYBACK_PLAYBACKDELAY,
                                             IDC_PLAYBACK_EDIT_JUMPINGRANGE}));
  EXPECT_EQ(player.StartFullscreen, 1);
  EXPECT_EQ(player.PlaybackDelay, 7);
  EXPECT_EQ(player.PlaybackChanged, 1);
}

TEST_F(SettingsInput, EscapeCancelsEverything) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  const DWORD thread = GetCurrentThreadId();
  InputRun run(dialog, [&](HWND window) {
    KeyUntil(VK_TAB, [&] { return GetDlgCtrlID(zvtest::FocusOf(thread)) == IDC_GENERAL_INSTANCE; });
    zvtest::PressKey(VK_SPACE);
    zvtest::PollFor([&] { return dialog.WorkingCopy().SingleInstanceMode == 0; }, kWait);
    zvtest::PressKey(VK_ESCAPE);
    zvtest::PollFor([&] { return !IsWindow(window); }, kWait);
  });
  EXPECT_EQ(run.Run(), IDCANCEL);
  for (const std::string& failure : run.failures) ADD_FAILURE() << failure;
  EXPECT_EQ(player.SingleInstanceMode, 1);
  EXPECT_EQ(player.GeneralChanged, 0);
}

TEST_F(SettingsInput, MouseAloneChoosesAPageTicksABoxAndPressesOk) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  std::wstring titleAfterClick;
  InputRun run(dialog, [&](HWND window) {
    HWND tree = GetDlgItem(window, IDC_TREE_SETTINGS);
    RECT item{};
    *reinterpret_cast<HTREEITEM*>(&item) = dialog.TreeItem(CSettingsDialog::kDvd);
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&item), 2);
    zvtest::ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    zvtest::PollFor([&] { return Title(window) == L" DVD"; }, kWait);
    titleAfterClick = Title(window);
    HWND page = zvtest::CurrentPageOf(window);
    HWND box = GetDlgItem(page, IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT);
    RECT r{};
    GetWindowRect(box, &r);
    zvtest::ClickAt({r.left + 6, (r.top + r.bottom) / 2});
    zvtest::PollFor([&] { return dialog.WorkingCopy().EnableSubtitlesByDefault == 1; }, kWait);
    zvtest::ClickCentre(GetDlgItem(window, IDC_BUTTON_OK));
    zvtest::PollFor([&] { return !IsWindow(window); }, kWait);
  });
  EXPECT_EQ(run.Run(), IDOK);
  for (const std::string& failure : run.failures) ADD_FAILURE() << failure;
  EXPECT_EQ(titleAfterClick, L" DVD");
  EXPECT_EQ(player.EnableSubtitlesByDefault, 1);
  EXPECT_EQ(player.DvdChanged, 1);
}

TEST_F(SettingsInput, TabReachesEveryControlOfEveryPageInOrder) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  const DWORD thread = GetCurrentThreadId();
  std::vector<std::vector<int>> orders;
  InputRun run(dialog, [&](HWND window) {
    HWND tree = GetDlgItem(window, IDC_TREE_SETTINGS);
    auto focusId = [&] { return GetDlgCtrlID(zvtest::FocusOf(thread)); };
    for (int node = 1; node < CSettingsDialog::kNodeCount; ++node) {
      HTREEITEM selected = TreeView_GetSelection(tree);
      if (!KeyUntil(VK_DOWN, [&] { return TreeView_GetSelection(tree) != selected; })) {
        run.failures.push_back("down arrow did not move");
        return;
      }
      std::vector<int> order;
      for (int i = 0; i < 20 && focusId() != IDC_BUTTON_OK; ++i) {
        const int before = focusId();
        KeyUntil(VK_TAB, [&] { return focusId() != before; });
        if (focusId() != IDC_BUTTON_OK) order.push_back(focusId());
      }
      orders.push_back(order);
      KeyUntil(VK_TAB, [&] { return focusId() == IDC_BUTTON_ABBRECHEN; });
      KeyUntil(VK_TAB, [&] { return focusId() == IDC_TREE_SETTINGS; });
    }
    zvtest::PressKey(VK_ESCAPE);
    zvtest::PollFor([&] { return !IsWindow(window); }, kWait);
  });
  EXPECT_EQ(run.Run(), IDCANCEL);
  for (const std::string& failure : run.failures) ADD_FAILURE() << failure;
  const std::vector<int> video = {IDC_MONITOR, IDC_DISPLAYSETTINGS, IDC_VIDEO_RENDERER};
  const std::vector<int> language = {IDC_LANGUAGELIST};
  const std::vector<int> playback = {IDC_PLAYBACK_FULLSCREEN, IDC_PLAYBACK_AUTOSTARTVIDEO, IDC_PLAYBACK_JUMPTOLASTPOS,
                                     IDC_PLAYBACK_PLAYBACKDELAY, IDC_PLAYBACK_EDIT_JUMPINGRANGE};
  const std::vector<int> dvd = {IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT};
  const std::vector<int> fileAssocs = {IDC_LIST_FILEASSOCS, IDC_EDIT_NEWFILEASSOC, IDC_BUTTON_ADD,
                                       IDC_BUTTON_DELETE, IDC_BUTTON_ASSOCIATE_CATEGORY,
                                       IDC_BUTTON_UNASSOCIATE_CATEGORY, IDC_BUTTON_STANDARD_SETTINGS};
  const std::vector<int> none;
  // Nodes without a page of their own keep the page before them.
  EXPECT_EQ(orders, (std::vector<std::vector<int>>{video, language, language, fileAssocs, fileAssocs, fileAssocs, playback, dvd, dvd,
                                                   none, none}));
}
