// Opening media in the player window, in this process: playlists from names,
// playing entries past the ones that fail, the same-name audio track, the
// program folder rule, the recent menu, dropped folders, the neighbour file
// and a storm of opening, seeking and closing.
#include "app/ProductName.h"
#include "framework/Menu.h"
#include "framework/WideString.h"
#include "media/VideoFile.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"

#include <gtest/gtest.h>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

}  // namespace

TEST(Opening, WildcardKeepsFileSystemOrderAndSeveralNamesAreSorted) {
  TempFolder folder(L"zv_open_wildcard");
  for (const wchar_t* name : {L"b.avi", L"C.avi", L"a.avi"}) folder.Copy(L"v.avi", name);
  const std::vector<std::wstring> fileSystem = zvtest::FileSystemOrder(folder.Path() + L"*.avi");
  ASSERT_EQ(fileSystem.size(), 3u);

  std::vector<std::wstring> fromWildcard, fromNames;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(folder.Path() + L"*.avi");
    fromWildcard = zvtest::Entries(player);
    EXPECT_EQ(player.Playlist().CurrentPosition(), 1);
    EXPECT_NE(player.CurrentMedia(), nullptr);
    player.CreatePlaylistMultiple({folder.Path() + L"b.avi", folder.Path() + L"C.avi", folder.Path() + L"a.avi"});
    fromNames = zvtest::Entries(player);
  });
  EXPECT_EQ(fromWildcard, fileSystem);
  // Ordinal order of the code units: the upper-case name comes first.
  EXPECT_EQ(fromNames, (std::vector<std::wstring>{folder.Path() + L"C.avi", folder.Path() + L"a.avi",
                                                  folder.Path() + L"b.avi"}));
}

TEST(Opening, NameMatchingNothingLeavesThePlaylistAsItWas) {
  std::vector<std::wstring> entries;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(zvtest::MediaPath(L"v.avi"));
    player.CreatePlaylistSingle(zvtest::MediaPath(L"nothing-here-*.avi"));
    entries = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{zvtest::MediaPath(L"v.avi")});
}

TEST(Opening, AddressBecomesTheOnlyEntry) {
  zvtest::MessageBoxWatcher boxes;
  std::vector<std::wstring> entries;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(L"http://127.0.0.1:9/none.avi");
    entries = zvtest::Entries(player);
    EXPECT_EQ(player.CurrentMedia(), nullptr);
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{L"http://127.0.0.1:9/none.avi"});
}

TEST(Opening, SameNameMp3PlaysAsTheVideosAudioWithTheItemChecked) {
  TempFolder folder(L"zv_open_samename");
  const std::wstring video = folder.Copy(L"v.avi", L"x.avi");
  folder.Copy(L"tone.mp3", L"x.mp3");
  bool external = false, checkedMain = false, checkedContext = false, checkedAfterClose = true;
  RunPlayer([&](ScriptedPlayer& player) {
    ASSERT_TRUE(player.OpenMediaFile(video));
    external = player.FileMedia()->HasExternalAudio();
    checkedMain = fw::IsItemChecked(player.MainMenu(), IDM_AUDIO_AUDIOTRACKOEFFNEN);
    checkedContext = fw::IsItemChecked(player.ContextMenu(), IDM_AUDIO_AUDIOTRACKOEFFNEN);
    // The command takes the track away again.
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_AUDIO_AUDIOTRACKOEFFNEN, 0);
    EXPECT_FALSE(player.FileMedia()->HasExternalAudio());
    EXPECT_FALSE(player.IsCommandChecked(IDM_AUDIO_AUDIOTRACKOEFFNEN));
    player.OpenAudioTrack(folder.Path() + L"x.mp3");
    player.CloseMedia(true);
    checkedAfterClose = player.IsCommandChecked(IDM_AUDIO_AUDIOTRACKOEFFNEN);
  });
  EXPECT_TRUE(external);
  EXPECT_TRUE(checkedMain);
  EXPECT_TRUE(checkedContext);
  EXPECT_FALSE(checkedAfterClose);
}

TEST(Opening, RelativeNameMissingHereIsLookedUpInTheProgramFolder) {
  const std::wstring name = L"zv_open_relative_probe.avi";
  const std::wstring besideProgram = zv::ProgramFolder() + name;
  ASSERT_TRUE(CopyFileW(zvtest::MediaPath(L"v.avi").c_str(), besideProgram.c_str(), FALSE));
  TempFolder elsewhere(L"zv_open_relative_cwd");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(elsewhere.Path().c_str());
  std::wstring opened, title;
  RunPlayer([&](ScriptedPlayer& player) {
    ASSERT_TRUE(player.OpenMediaFile(name));
    opened = player.FileMedia()->GetFileName();
    title = player.GetText();
  });
  SetCurrentDirectoryW(previous);
  DeleteFileW(besideProgram.c_str());
  EXPECT_EQ(Lower(opened), Lower(besideProgram));
  EXPECT_EQ(title, zv::AppName() + L" BETA - " + name + L" - PLAY");
}

TEST(Opening, PlaylistWhoseFirstThreeEntriesAreMissingStartsWithTheFourth) {
  zvtest::MessageBoxWatcher boxes;
  int current = 0;
  bool open = false;
  RunPlayer([&](ScriptedPlayer& player) {
    for (const wchar_t* missing : {L"C:\\zv-missing\\1.avi", L"C:\\zv-missing\\2.avi", L"C:\\zv-missing\\3.avi"})
      player.Playlist().AddEntry(fw::ToU16(missing));
    player.Playlist().AddEntry(fw::ToU16(zvtest::MediaPath(L"v.avi")));
    player.PlayEntry(1);
    current = player.Playlist().CurrentPosition();
    open = player.CurrentMedia() != nullptr;
  });
  EXPECT_EQ(current, 4);
  EXPECT_TRUE(open);
  // One message box from the media object per entry that failed.
  EXPECT_TRUE(zvtest::WaitFor([&] { return boxes.Count() == 3; }, 5000)) << boxes.Count();
}

TEST(Opening, PlaylistWhoseEntriesAllFailLeavesTheIdleLayout) {
  zvtest::MessageBoxWatcher boxes;
  bool open = true, barEnabled = true, closeEnabled = true;
  std::wstring title;
  RunPlayer([&](ScriptedPlayer& player) {
    player.Playlist().AddEntry(u"C:\\zv-missing\\1.avi");
    player.Playlist().AddEntry(fw::ToU16(zvtest::MediaPath(L"random.avi")));
    player.PlayEntry(1);
    open = player.CurrentMedia() != nullptr;
    barEnabled = IsWindowEnabled(player.PositionBar().hwnd()) != FALSE;
    closeEnabled = player.IsCommandEnabled(IDM_DATEI_SCHLIESSEN);
    title = player.GetText();
  });
  EXPECT_FALSE(open);
  EXPECT_FALSE(barEnabled);
  EXPECT_FALSE(closeEnabled);
  EXPECT_EQ(title, zv::AppName() + L" BETA");
  EXPECT_TRUE(zvtest::WaitFor([&] { return boxes.Count() == 2; }, 5000)) << boxes.Count();
}

TEST(Opening, SixFilesLeaveTheLastFiveInTheRecentMenuNewestFirst) {
  const wchar_t* files[] = {L"v.avi", L"av.avi", L"v.mkv", L"av.mkv", L"v.ogg", L"av.ogg"};
  std::vector<zvtest::MenuItem> items;
  bool menuEnabled = false;
  RunPlayer([&](ScriptedPlayer& player) {
    for (const wchar_t* file : files) player.OpenMediaFile(zvtest::MediaPath(file));
    items = zvtest::ItemsOf(player.NamedPopup(IDM_DATEI_ZULETZTGEOEFFNET));
    HMENU fileMenu = fw::FindSubMenuHolding(player.MainMenu(), IDM_DATEI_OEFFNEN);
    for (int i = 0; fileMenu && i < GetMenuItemCount(fileMenu); ++i)
      if (GetSubMenu(fileMenu, i) == player.NamedPopup(IDM_DATEI_ZULETZTGEOEFFNET))
        menuEnabled = !(GetMenuState(fileMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
  });
  ASSERT_EQ(items.size(), 7u);
  const wchar_t* newestFirst[] = {L"av.ogg", L"v.ogg", L"av.mkv", L"v.mkv", L"av.avi"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(items[i].text, newestFirst[i]);
    EXPECT_EQ(items[i].id, static_cast<UINT>(ID_RECENT_FILE1 + i));
  }
  EXPECT_EQ(items[5].id, 0u);
  EXPECT_EQ(items[6].id, static_cast<UINT>(ID_RECENT_CLEAR));
  EXPECT_TRUE(menuEnabled);
  EXPECT_EQ(zvtest::ProgramRegistryString(L"VideoHistory", L"1_FullFilename"), zvtest::MediaPath(L"av.ogg"));
}

TEST(Opening, RecentEntryOpensItsFullNameAndAMissingSlotDoesNothing) {
  std::vector<std::wstring> entries, afterMissing;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OpenMediaFile(zvtest::MediaPath(L"v.mkv"));
    player.OpenMediaFile(zvtest::MediaPath(L"v.avi"));
    player.CloseMedia(true);
    SendMessageW(player.hwnd(), WM_COMMAND, ID_RECENT_FILE2, 0);
    entries = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
    SendMessageW(player.hwnd(), WM_COMMAND, ID_RECENT_CLEAR, 0);
    EXPECT_EQ(zvtest::ItemsOf(player.NamedPopup(IDM_DATEI_ZULETZTGEOEFFNET)).size(), 0u);
    SendMessageW(player.hwnd(), WM_COMMAND, ID_RECENT_FILE1, 0);
    afterMissing = zvtest::Entries(player);
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{zvtest::MediaPath(L"v.mkv")});
  EXPECT_EQ(afterMissing, entries);
}

TEST(Opening, NextFileOfTheFolderSkipsOtherFilesAndWraps) {
  TempFolder folder(L"zv_open_neighbour");
  folder.Copy(L"v.avi", L"one.avi");
  folder.Write(L"notes.txt", "not media");
  folder.Copy(L"v.mkv", L"two.mkv");
  std::vector<std::wstring> first, second, back;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(folder.Path() + L"one.avi");
    player.NeighbourFile(1);
    first = zvtest::Entries(player);
    // From either file the next one is the other: one of the two steps
    // wraps around the end of the listing.
    player.NeighbourFile(1);
    second = zvtest::Entries(player);
    player.NeighbourFile(-1);
    back = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
  EXPECT_EQ(first, std::vector<std::wstring>{folder.Path() + L"two.mkv"});
  EXPECT_EQ(second, std::vector<std::wstring>{folder.Path() + L"one.avi"});
  EXPECT_EQ(back, std::vector<std::wstring>{folder.Path() + L"two.mkv"});
}

TEST(Opening, DroppedFolderPlaysItsMediaSortedAndOneWithoutMediaChangesNothing) {
  TempFolder media(L"zv_open_drop_media");
  media.Copy(L"v.mkv", L"b.mkv");
  media.Copy(L"v.avi", L"a.avi");
  media.Write(L"readme.txt", "text");
  TempFolder empty(L"zv_open_drop_empty");
  empty.Write(L"readme.txt", "text");
  std::vector<std::wstring> fromFolder, afterEmpty, fromFiles;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OnDropFiles(zvtest::MakeDrop({media.Path().substr(0, media.Path().size() - 1)}));
    fromFolder = zvtest::Entries(player);
    player.OnDropFiles(zvtest::MakeDrop({empty.Path()}));
    afterEmpty = zvtest::Entries(player);
    player.OnDropFiles(zvtest::MakeDrop({media.Path() + L"b.mkv", media.Path() + L"a.avi"}));
    fromFiles = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
  const std::vector<std::wstring> sorted{media.Path() + L"a.avi", media.Path() + L"b.mkv"};
  EXPECT_EQ(fromFolder, sorted);
  EXPECT_EQ(afterEmpty, sorted);
  EXPECT_EQ(fromFiles, sorted);
}

TEST(Opening, VideoCdFolderPlaysItsDatFiles) {
  TempFolder disc(L"zv_open_vcd");
  CreateDirectoryW((disc.Path() + L"MPEGAV").c_str(), nullptr);
  disc.Copy(L"av.mpg", L"MPEGAV\\AVSEQ01.DAT");
  disc.Copy(L"v.avi", L"other.avi");
  std::vector<std::wstring> entries;
  RunPlayer([&](ScriptedPlayer& player) {
    player.OpenDiscOrFolder(disc.Path());
    entries = zvtest::Entries(player);
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{disc.Path() + L"MPEGAV\\AVSEQ01.DAT"});
}

TEST(Opening, ResumePositionIsStoredOnCloseAndEnablesTheJump) {
  TempFolder folder(L"zv_open_resume");
  // Every frame of the MJPEG clip is a key frame, so the seek lands exactly.
  const std::wstring video = folder.Copy(L"v.avi", L"resume.avi");
  bool enabledBefore = true, enabledAfter = false;
  int position = 0;
  RunPlayer([&](ScriptedPlayer& player) {
    ASSERT_TRUE(player.OpenMediaFile(video));
    enabledBefore = player.IsCommandEnabled(IDM_WIEDERGABE_SPRINGELETZTESTELLE);
    player.Pause();
    player.CurrentMedia()->SetPosition(150);
    player.CloseMedia(true);
    ASSERT_TRUE(player.OpenMediaFile(video));
    enabledAfter = player.IsCommandEnabled(IDM_WIEDERGABE_SPRINGELETZTESTELLE);
    // Back at the start first: a stop stores the place it stops at, and the
    // reopened file may already have played a fraction of a second.
    player.Pause();
    player.CurrentMedia()->SetPosition(0);
    player.Stop();
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_SPRINGELETZTESTELLE, 0);
    position = player.CurrentMedia()->GetPosition();
    EXPECT_EQ(player.GetPlayState(), kPlayStopped);
  });
  EXPECT_FALSE(enabledBefore);
  EXPECT_TRUE(enabledAfter);
  EXPECT_EQ(zvtest::ProgramRegistryString(L"Videos", L"resume.avi").substr(0, 2), L"1.");
  // Whole seconds: the jump goes to 1 s.
  EXPECT_NEAR(position, 100, 10);
}

TEST(Opening, StormOfOpeningSeekingAndClosingLeavesNoMediaAndNoCrash) {
  const wchar_t* files[] = {L"av.avi", L"v.mkv", L"av.ogg", L"a.avi", L"av.mkv"};
  bool openAtEnd = true;
  RunPlayer([&](ScriptedPlayer& player) {
    for (int round = 0; round < 15; ++round) {
      player.OpenMediaFile(zvtest::MediaPath(files[round % 5]));
      if (!player.CurrentMedia()) continue;
      player.CurrentMedia()->SetPosition((round * 37) % 190);
      if (round % 3 == 0) player.Pause();
      zvtest::WaitFor([] { return false; }, 30);
      player.CurrentMedia()->SetPosition((round * 53) % 190);
      if (round % 2 == 0) player.CloseMedia(true);
    }
    player.CloseMedia(true);
    openAtEnd = player.CurrentMedia() != nullptr;
  });
  EXPECT_FALSE(openAtEnd);
}
