// The stream menus' ids, the stream table and its limit, the preferred audio
// stream, and the two media dialogs' numbers.
#include "app/MediaUnits.h"
#include "media/DurationText.h"
#include "player/StreamMenuModel.h"

#include <gtest/gtest.h>

#include <map>

using namespace zv::streams;

namespace {

// Filters with `streams[f - 1]` streams each; stream w of filter f is named
// "f.w", is audio when w is even and text otherwise, has group w / 3 and is
// enabled when w is 0. Counts every info request.
struct FakeFilters {
  std::vector<int> streams;
  int infoRequests = 0;

  FilterSource Source() {
    FilterSource source;
    source.filterName = [](int f) { return u"Filter " + std::u16string(1, static_cast<char16_t>(u'0' + f)); };
    source.streamCount = [this](int f) { return streams[static_cast<size_t>(f - 1)]; };
    source.info = [this](int f, int w, StreamInfo* info) {
      ++infoRequests;
      if (w >= streams[static_cast<size_t>(f - 1)]) return false;
      info->name = std::u16string(1, static_cast<char16_t>(u'0' + f)) + u"." + std::u16string(1, static_cast<char16_t>(u'a' + w % 26));
      info->group = w / 3;
      info->major = w % 2 == 0 ? MajorType::Audio : MajorType::Text;
      info->enabled = w == 0;
      return true;
    };
    return source;
  }
};

}  // namespace

TEST(StreamMenuModel, FilterStreamsGoToTheirPopupTheAudioAndSubtitleMenusAndTheTable) {
  FakeFilters fake{{4, 1}};
  const FilterMenuPlan plan = PlanFilterMenus(2, fake.Source());
  EXPECT_EQ(plan.popups, (std::vector<std::u16string>{u"Filter 1", u"Filter 2"}));
  ASSERT_EQ(plan.table.size(), 5u);
  EXPECT_EQ(plan.table[3], TableEntry(3, 1));
  EXPECT_EQ(plan.table[4], TableEntry(0, 2));
  EXPECT_EQ(EntryStream(plan.table[3]), 3);
  EXPECT_EQ(EntryFilter(plan.table[3]), 1);

  // Filter 1: a, (audio), b (text), c (audio), separator (group 0 -> 1), d (text).
  std::vector<std::pair<Target, uint32_t>> order;
  for (const PlannedItem& item : plan.items) order.emplace_back(item.target, item.separator ? 0 : item.id);
  const std::vector<std::pair<Target, uint32_t>> expected = {
      {Target::FilterPopup, 60000}, {Target::AudioMenu, 65000},    {Target::FilterPopup, 60001},
      {Target::SubtitleMenu, 66001}, {Target::FilterPopup, 60002}, {Target::AudioMenu, 65002},
      {Target::FilterPopup, 0},      {Target::FilterPopup, 60003}, {Target::SubtitleMenu, 66003},
      {Target::FilterPopup, 60004},  {Target::AudioMenu, 65004}};
  EXPECT_EQ(order, expected);
  EXPECT_TRUE(plan.items[0].checked);
  EXPECT_FALSE(plan.items[2].checked);
  EXPECT_EQ(plan.items[9].popup, 1);
  EXPECT_EQ(plan.items[9].text, u"2.a");
}

TEST(StreamMenuModel, TableStopsAtAThousandEntriesAndLaterStreamsAreNotAskedFor) {
  FakeFilters fake{{700, 700}};
  const FilterMenuPlan plan = PlanFilterMenus(2, fake.Source());
  ASSERT_EQ(plan.table.size(), kTableLimit);
  EXPECT_EQ(plan.table.back(), TableEntry(299, 2));
  std::map<Target, uint32_t> highest;
  for (const PlannedItem& item : plan.items) highest[item.target] = std::max(highest[item.target], item.id);
  EXPECT_EQ(highest[Target::FilterPopup], kTableFirst + 999);
  EXPECT_EQ(highest[Target::AudioMenu], kAudioEntryFirst + 998);      // entry 998: stream 298 of filter 2
  EXPECT_EQ(highest[Target::SubtitleMenu], kSubtitleEntryFirst + 999);  // entry 999: stream 299
  // Both pop-ups exist; the second holds only 300 streams.
  EXPECT_EQ(plan.popups.size(), 2u);
  // Two first-stream group reads and at most one request per table entry.
  EXPECT_LE(fake.infoRequests, 2 + 1000);
}

TEST(StreamMenuModel, CommandIdsDecodeToTheirStreamsAndIdsPastTheTableDoNothing) {
  const std::vector<uint32_t> table = {TableEntry(0, 1), TableEntry(1, 1), TableEntry(0, 2)};
  StreamCommand c = DecodeStreamCommand(60001, table);
  EXPECT_EQ(c.choice, Choice::TableStream);
  EXPECT_EQ(c.index, 1);
  EXPECT_EQ(c.kind, 1);
  c = DecodeStreamCommand(65002, table);
  EXPECT_EQ(c.choice, Choice::TableStream);
  EXPECT_EQ(c.kind, 2);
  EXPECT_EQ(DecodeStreamCommand(66001, table).index, 1);
  EXPECT_EQ(DecodeStreamCommand(65003, table).choice, Choice::None);  // past the table
  EXPECT_EQ(DecodeStreamCommand(66999, table).choice, Choice::None);
  // Beyond the table, 60000.. are chapters.
  c = DecodeStreamCommand(60003, table);
  EXPECT_EQ(c.choice, Choice::Chapter);
  EXPECT_EQ(c.index, 3);
  EXPECT_EQ(DecodeStreamCommand(60599, {}).choice, Choice::Chapter);
  EXPECT_EQ(DecodeStreamCommand(60600, {}).choice, Choice::None);
  c = DecodeStreamCommand(61002, {});
  EXPECT_EQ(c.choice, Choice::Audio);
  EXPECT_EQ(c.index, 2);
  EXPECT_EQ(c.kind, kKindAudio);
  EXPECT_EQ(DecodeStreamCommand(61999, {}).choice, Choice::SubtitleOff);
  EXPECT_EQ(DecodeStreamCommand(62599, {}).choice, Choice::Subtitle);
  EXPECT_EQ(DecodeStreamCommand(63000, {}).choice, Choice::Angle);
  EXPECT_EQ(DecodeStreamCommand(63600, {}).choice, Choice::None);
  EXPECT_EQ(DecodeStreamCommand(64000, {}).choice, Choice::None);  // the disc menu's drives
  EXPECT_EQ(DecodeStreamCommand(59000, {}).choice, Choice::None);
}

TEST(StreamMenuModel, PreferredAudioIsTheFirstEnglishItemElseTheSecond) {
  EXPECT_EQ(PreferredAudioItem({u"German", u"English"}), 1);
  EXPECT_EQ(PreferredAudioItem({u"Audio - ENG", u"English"}), 0);
  EXPECT_EQ(PreferredAudioItem({u"Stream 01", u"Stream 02", u"Track EN"}), 2);
  EXPECT_EQ(PreferredAudioItem({u"German", u"French"}), 1);
  EXPECT_EQ(PreferredAudioItem({u"German"}), -1);
  EXPECT_EQ(PreferredAudioItem({}), -1);
  EXPECT_EQ(PreferredAudioItem({u"english"}), -1);  // codes and names match as written
}

TEST(StreamMenuModel, DvdOperationsForbidTheirLists) {
  EXPECT_EQ(ForbiddingOperation(kKindChapter), 0x2u);
  EXPECT_EQ(ForbiddingOperation(kKindAudio), 0x100000u);
  EXPECT_EQ(ForbiddingOperation(kKindSubtitle), 0x200000u);
  EXPECT_EQ(ForbiddingOperation(kKindAngle), 0x400000u);
  EXPECT_EQ(ForbiddingOperation(kKindFilters), 0u);
  for (long code : {258L, 260L, 261L, 262L}) EXPECT_TRUE(RebuildsStreamMenus(code)) << code;
  for (long code : {1L, 257L, 259L, 263L}) EXPECT_FALSE(RebuildsStreamMenus(code)) << code;
}

TEST(MediaDialogs, VolumeSliderMapsBothWaysAtTheEdges) {
  EXPECT_EQ(zv::PercentFromVolume(0), 100);
  EXPECT_EQ(zv::PercentFromVolume(-10000), 0);
  EXPECT_EQ(zv::PercentFromVolume(-2000), 1);
  EXPECT_EQ(zv::VolumeFromPercent(100), 0);
  EXPECT_EQ(zv::VolumeFromPercent(0), -10000);
  EXPECT_EQ(zv::VolumeFromPercent(50), -301);
  EXPECT_EQ(zv::VolumeFromPercent(1), -1999);
  // A stored -2000 opens at 1 and OK without moving stores -1999.
  EXPECT_EQ(zv::VolumeFromPercent(zv::PercentFromVolume(-2000)), -1999);
}

TEST(MediaDialogs, DurationShowsHoursMinutesSecondsAndZeroMilliseconds) {
  EXPECT_EQ(zv::FormatDurationWithMilliseconds(372345), u"01:02:03,000");  // 1 h 2 min 3.45 s
  EXPECT_EQ(zv::FormatDurationWithMilliseconds(0), u"00:00:00,000");
  EXPECT_EQ(zv::FormatDurationWithMilliseconds(-5), u"00:00:00,000");
  EXPECT_EQ(zv::FormatDurationWithMilliseconds(36000000), u"100:00:00,000");
}
