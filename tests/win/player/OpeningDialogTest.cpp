// The Open dialog of the player window, answered by a thread that types the
// names as a user would: several files become a sorted playlist; cancel
// changes nothing.
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"

#include <gtest/gtest.h>

using zvtest::FileDialogAnswer;
using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;

TEST(OpenDialog, SeveralChosenFilesBecomeASortedPlaylist) {
  TempFolder folder(L"zv_open_dialog");
  folder.Copy(L"v.avi", L"b.avi");
  folder.Copy(L"v.mkv", L"a.mkv");
  folder.Copy(L"v.ogg", L"C.ogg");
  std::vector<std::wstring> entries;
  bool answered = false;
  RunPlayer([&](ScriptedPlayer& player) {
    // The dialog starts in the current folder; the names are typed as the
    // dialog lists several files: quoted, without their folder.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.Path().c_str());
    FileDialogAnswer answer(L"\"b.avi\" \"a.mkv\" \"C.ogg\"");
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_OEFFNEN, 0);
    SetCurrentDirectoryW(previous);
    answered = answer.Answered();
    entries = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
  EXPECT_TRUE(answered);
  EXPECT_EQ(entries, (std::vector<std::wstring>{folder.Path() + L"C.ogg", folder.Path() + L"a.mkv",
                                                folder.Path() + L"b.avi"}));
}

TEST(OpenDialog, CancelChangesNothing) {
  std::vector<std::wstring> before, after;
  bool answered = false;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(zvtest::MediaPath(L"v.avi"));
    before = zvtest::Entries(player);
    FileDialogAnswer answer(L"");
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_OEFFNEN, 0);
    answered = answer.Answered();
    after = zvtest::Entries(player);
  });
  EXPECT_TRUE(answered);
  EXPECT_EQ(after, before);
}
