#include "playlist/Playlist.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

using zv::Playlist;

namespace {

void Fill(Playlist& list, int n) {
  for (int i = 1; i <= n; ++i) list.AddEntry(std::u16string(1, static_cast<char16_t>(u'0' + i)));
}

std::u16string Order(const Playlist& list) {
  std::u16string out;
  for (const zv::PlaylistEntry& e : list.Entries()) out += e.path;
  return out;
}

void Mark(Playlist& list, std::initializer_list<int> positions) {
  for (int p : positions) list.MarkEntry(list.EntryAt(p)->id, 1);
}

}  // namespace

TEST(PlaylistModel, AddReturnsPositionAndIgnoresEmptyPath) {
  Playlist list;
  EXPECT_EQ(list.AddEntry(u""), -1);
  EXPECT_EQ(list.AddEntry(u"a"), 1);
  EXPECT_EQ(list.AddEntry(u"b"), 2);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(list.HasSeveral());
  EXPECT_EQ(list.EntryPath(2), u"b");
  EXPECT_EQ(list.EntryPath(0), u"");
  EXPECT_EQ(list.EntryPath(3), u"");
  EXPECT_EQ(list.CurrentPosition(), 0);
}

TEST(PlaylistModel, CurrentByPositionAndId) {
  Playlist list;
  Fill(list, 3);
  list.SetCurrentByPosition(2);
  EXPECT_EQ(list.CurrentPosition(), 2);
  list.SetCurrentById(list.EntryAt(3)->id);
  EXPECT_EQ(list.CurrentPosition(), 3);
  list.SetCurrentByPosition(9);
  EXPECT_EQ(list.CurrentPosition(), 0);
  list.SetCurrentByPosition(1);
  list.RemoveEntry(list.EntryAt(1)->id);
  EXPECT_EQ(list.CurrentPosition(), 0);
  EXPECT_EQ(Order(list), u"23");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.HasSeveral());
}

TEST(PlaylistModel, IdsStayUniqueOnBigListsAndFast) {
  Playlist list;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100000; ++i) list.AddEntry(u"x");
  auto elapsed = std::chrono::steady_clock::now() - start;
  std::set<int> ids;
  for (const zv::PlaylistEntry& e : list.Entries()) ids.insert(e.id);
  EXPECT_EQ(ids.size(), 100000u);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 5);
}

TEST(PlaylistModel, MoveMarkedTowardsStart) {
  Playlist list;
  Fill(list, 4);
  Mark(list, {2, 3});
  EXPECT_TRUE(list.MoveMarkedEntries(-1));
  EXPECT_EQ(Order(list), u"2314");
  Playlist blocked;
  Fill(blocked, 4);
  Mark(blocked, {1, 3});
  EXPECT_FALSE(blocked.MoveMarkedEntries(-1));
  EXPECT_EQ(Order(blocked), u"1234");
}

TEST(PlaylistModel, MoveMarkedTowardsEnd) {
  Playlist list;
  Fill(list, 4);
  Mark(list, {2, 3});
  EXPECT_TRUE(list.MoveMarkedEntries(1));
  EXPECT_EQ(Order(list), u"1423");
  Playlist tail;
  Fill(tail, 4);
  Mark(tail, {3, 4});
  EXPECT_TRUE(tail.MoveMarkedEntries(1));
  EXPECT_EQ(Order(tail), u"1243");
  EXPECT_EQ(tail.EntryAt(tail.Count())->path, u"3");
}

TEST(PlaylistModel, RemoveMarkedKeepsOrder) {
  Playlist list;
  Fill(list, 5);
  Mark(list, {1, 3, 5});
  EXPECT_EQ(list.RemoveMarkedEntries(), 3);
  EXPECT_EQ(Order(list), u"24");
  EXPECT_EQ(list.EntryAt(list.Count())->path, u"4");
  EXPECT_EQ(list.AddEntry(u"6"), 3);
  EXPECT_EQ(Order(list), u"246");
}

TEST(PlaylistModel, NextAndPreviousPositions) {
  Playlist list;
  Fill(list, 3);
  list.SetCurrentByPosition(3);
  EXPECT_EQ(list.NextPosition(false, nullptr), 4);
  list.SetCurrentByPosition(1);
  EXPECT_EQ(list.PreviousPosition(false, nullptr), 0);
  int draws = 0;
  // 0 gives position 1 (the current one, drawn again), 20000 gives 2.
  auto random = [&] { return draws++ == 0 ? 0 : 20000; };
  EXPECT_EQ(list.NextPosition(true, random), 2);
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(list.NextPosition(true, [] { return 0; }), 2);  // a stuck source still ends
}

TEST(PlaylistModel, PlayPositionWrapsAndSkipsFailures) {
  Playlist list;
  Fill(list, 4);
  std::u16string tried;
  auto openOnly4 = [&](const std::u16string& p) { tried += p; return p == u"4"; };
  EXPECT_TRUE(list.PlayPosition(2, openOnly4));
  EXPECT_EQ(tried, u"234");
  EXPECT_EQ(list.CurrentPosition(), 4);
  tried.clear();
  EXPECT_TRUE(list.PlayPosition(5, openOnly4));  // above the count: from 1
  EXPECT_EQ(tried, u"1234");
  tried.clear();
  EXPECT_TRUE(list.PlayPosition(0, openOnly4));  // the current entry
  EXPECT_EQ(tried, u"4");
  tried.clear();
  EXPECT_FALSE(list.PlayPosition(1, [&](const std::u16string& p) { tried += p; return false; }));
  EXPECT_EQ(tried, u"1234");
}

TEST(PlaylistModel, MarksByPositionRangeAndAll) {
  Playlist list;
  Fill(list, 5);
  list.MarkPosition(2, 1);
  list.MarkPosition(9, 1);  // out of range: nothing
  list.MarkRange(0, 1, 1);  // clipped to 1..1
  list.MarkRange(4, 7, 1);  // clipped to 4..5
  std::u16string marked;
  for (const zv::PlaylistEntry& e : list.Entries()) marked += e.marked ? u'x' : u'.';
  EXPECT_EQ(marked, u"xx.xx");
  list.MarkAll(0);
  EXPECT_EQ(list.RemoveMarkedEntries(), 0);
  list.MarkEntry(list.EntryAt(3)->id, 1);
  EXPECT_EQ(list.RemoveMarkedEntries(), 1);
  EXPECT_EQ(Order(list), u"1245");
}

TEST(PlaylistModel, IdsFollowTheirEntriesThroughEdits) {
  Playlist list;
  Fill(list, 6);
  const int idOf4 = list.EntryAt(4)->id;
  list.SetCurrentById(idOf4);
  Mark(list, {4});
  ASSERT_TRUE(list.MoveMarkedEntries(-1));
  ASSERT_TRUE(list.MoveMarkedEntries(-1));
  EXPECT_EQ(Order(list), u"142356");
  EXPECT_EQ(list.CurrentPosition(), 2);
  EXPECT_EQ(list.PositionOfId(idOf4), 2);
  // Found from either side of where the last search ended.
  EXPECT_EQ(list.PositionOfId(list.EntryAt(6)->id), 6);
  EXPECT_EQ(list.PositionOfId(list.EntryAt(1)->id), 1);
  EXPECT_EQ(list.PositionOfId(-5), 0);
  EXPECT_EQ(list.EntryById(idOf4)->path, u"4");
  // Deleting the current entry leaves none.
  EXPECT_EQ(list.RemoveMarkedEntries(), 1);
  EXPECT_EQ(list.CurrentPosition(), 0);
  EXPECT_EQ(list.EntryById(idOf4), nullptr);
}
