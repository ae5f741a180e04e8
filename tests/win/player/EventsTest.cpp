// The end of media in the player window, driven by the real graph's events:
// a playlist runs through and waits on entry 1; a single file stops at its
// start with its resume position kept.
#include "app/ProductName.h"
#include "framework/WideString.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"

#include <gtest/gtest.h>

#include <set>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;

TEST(EndOfMedia, PlaylistOfThreeWithoutLoopEndsStoppedAtTheStartOfEntryOne) {
  std::set<int> seen;
  bool reachedThird = false, waitedOnFirst = false, open = false;
  int position = -1;
  std::wstring title;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistMultiple(
        {zvtest::MediaPath(L"v.avi"), zvtest::MediaPath(L"v.mkv"), zvtest::MediaPath(L"v.ogg")});
    reachedThird = zvtest::WaitFor(
        [&] {
          seen.insert(player.Playlist().CurrentPosition());
          return player.Playlist().CurrentPosition() == 3;
        },
        20000);
    waitedOnFirst = zvtest::WaitFor(
        [&] { return player.Playlist().CurrentPosition() == 1 && player.GetPlayState() == kPlayStopped; }, 20000);
    open = player.CurrentMedia() != nullptr;
    if (open) position = player.CurrentMedia()->GetPosition();
    title = player.GetText();
  });
  EXPECT_TRUE(reachedThird);
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3}));
  EXPECT_TRUE(waitedOnFirst);
  EXPECT_TRUE(open);
  EXPECT_LE(position, 5);
  EXPECT_EQ(title, zv::AppName() + L" BETA - v.avi - STOP");
}

TEST(EndOfMedia, SingleFileStopsAtItsStartAndKeepsItsEndAsResumePosition) {
  TempFolder folder(L"zv_events_single");
  const std::wstring video = folder.Copy(L"v.mkv", L"ending.mkv");
  bool stopped = false;
  int position = -1;
  std::wstring title;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(video);
    ASSERT_EQ(player.GetPlayState(), kPlayPlaying);
    stopped = zvtest::WaitFor([&] { return player.GetPlayState() == kPlayStopped; }, 15000);
    if (player.CurrentMedia()) position = player.CurrentMedia()->GetPosition();
    title = player.GetText();
  });
  EXPECT_TRUE(stopped);
  EXPECT_LE(position, 5);
  EXPECT_EQ(title, zv::AppName() + L" BETA - ending.mkv - STOP");
  // The end position: about two seconds.
  const std::wstring stored = zvtest::ProgramRegistryString(L"Videos", L"ending.mkv");
  EXPECT_TRUE(stored == L"2.00" || stored.substr(0, 2) == L"1.") << std::string(stored.begin(), stored.end());
}

TEST(EndOfMedia, SingleFileWithMoreMediaInItsFolderGoesOnToTheNextFile) {
  TempFolder folder(L"zv_events_folder");
  const std::wstring first = folder.Copy(L"v.avi", L"first.avi");
  const std::wstring second = folder.Copy(L"v.mkv", L"second.mkv");
  bool movedOn = false;
  RunPlayer([&](ScriptedPlayer& player) {
    auto settings = &player.Settings();
    settings->PlaylistShuffle = 1;
    player.CreatePlaylistSingle(first);
    movedOn = zvtest::WaitFor(
        [&] { return player.Playlist().Count() == 1 && fw::ToWide(player.Playlist().EntryPath(1)) == second; },
        15000);
    settings->PlaylistShuffle = 0;
  });
  // With shuffle on, a playlist of one moves on to the folder's next file.
  EXPECT_TRUE(movedOn);
}
