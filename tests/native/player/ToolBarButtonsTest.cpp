// The toolbar button table and the toolbar's slot list.
#include "player/ToolBarButtons.h"
#include "player/ToolBarSlots.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

namespace {

TEST(ToolBarButtons, BuiltInTableHasTheTwentySixRecordsInOrder) {
  const CToolBarButtons table = CToolBarButtons::BuiltIn();
  ASSERT_EQ(table.Count(), 26u);
  const struct {
    const char16_t* name;
    int image;
  } expected[] = {{u"PrevTrackChapter", 0}, {u"FastRewind", 1},  {u"Play", 2},
                  {u"Pause", 3},            {u"FastForward", 4}, {u"NextTrackChapter", 5},
                  {u"Open", 6},             {u"Screenshot", 29}, {u"Stop", 8},
                  {u"Loop", 9},             {u"NoLoop", 10},     {u"PreviousFrame", 11},
                  {u"NextFrame", 12},       {u"NoShutdown", 13}, {u"NoMute", 14},
                  {u"Mute", 15},            {u"Clipping", 16},   {u"NotOnTop", 17},
                  {u"JumpLastPosition", 20}, {u"OnTop", 26},     {u"FillScreen", 27},
                  {u"Shutdown", 28},        {u"Quit", 31},       {u"RootMenu", 32},
                  {u"Resume", 33},          {u"Playlist", 24}};
  for (size_t i = 0; i < table.Count(); ++i) {
    EXPECT_EQ(table.At(i).name, expected[i].name) << i;
    EXPECT_EQ(table.At(i).imageIndex, expected[i].image) << i;
  }
}

TEST(ToolBarButtons, BuiltInTooltipsAreTheGermanTexts) {
  const CToolBarButtons table = CToolBarButtons::BuiltIn();
  EXPECT_EQ(table.TooltipOf(u"FastRewind"), u"Schnelles Zur\u00fcckspulen");
  EXPECT_EQ(table.TooltipOf(u"Open"), u"\u00d6ffnen...");
  EXPECT_EQ(table.TooltipOf(u"NextFrame"), u"N\u00e4chster Frame");
  EXPECT_EQ(table.TooltipOf(u"Stop"), u"Stopp");
  EXPECT_EQ(table.TooltipOf(u"NotOnTop"), u"\"Immer oben\" ausschalten");
  EXPECT_EQ(table.TooltipOf(u"OnTop"), u"\"Immer oben\" einschalten");
  EXPECT_EQ(table.TooltipOf(u"Clipping"), u"Bildschirm komplett ausf\u00fcllen");
  EXPECT_EQ(table.TooltipOf(u"FillScreen"), u"Bildschirm f\u00fcllen ohne Video abzuschneiden");
  EXPECT_EQ(table.TooltipOf(u"JumpLastPosition"), u"Springe zur zuletzt abgespielten Stelle");
  EXPECT_EQ(table.TooltipOf(u"PrevTrackChapter"), u"Prev. track/chapter");
  EXPECT_EQ(table.TooltipOf(u"Resume"), u"Resume");
}

TEST(ToolBarButtons, NameLookupIsCaseSensitive) {
  const CToolBarButtons table = CToolBarButtons::BuiltIn();
  EXPECT_EQ(table.ImageIndexOf(u"Playlist"), 24);
  EXPECT_EQ(table.ImageIndexOf(u"playlist"), 0);
  EXPECT_EQ(table.TooltipOf(u"playlist"), u"");
  EXPECT_EQ(table.ImageIndexOf(u"Vollbild"), 0);
  EXPECT_EQ(table.TooltipOf(u""), u"");
}

TEST(ToolBarButtons, LookupsTakeTheFirstMatch) {
  CToolBarButtons table;
  ASSERT_TRUE(table.Add(u"Twice", u"first", 3));
  ASSERT_TRUE(table.Add(u"Twice", u"second", 4));
  ASSERT_TRUE(table.Add(u"Other", u"third", 3));
  EXPECT_EQ(table.ImageIndexOf(u"Twice"), 3);
  EXPECT_EQ(table.TooltipOf(u"Twice"), u"first");
  EXPECT_EQ(table.TooltipOfImage(3), u"first");
  ASSERT_TRUE(table.SetTooltip(u"Twice", u"changed"));
  EXPECT_EQ(table.At(0).tooltip, u"changed");
  EXPECT_EQ(table.At(1).tooltip, u"second");
}

TEST(ToolBarButtons, SetTooltipChangesOnlyAnExactName) {
  CToolBarButtons table = CToolBarButtons::BuiltIn();
  EXPECT_FALSE(table.SetTooltip(u"loop", u"x"));
  EXPECT_FALSE(table.SetTooltip(u"Vollbild", u"Fullscreen"));
  EXPECT_EQ(table.TooltipOf(u"Loop"), u"Endlosschleife einschalten");
  ASSERT_TRUE(table.SetTooltip(u"Loop", u"Loop On"));
  EXPECT_EQ(table.TooltipOf(u"Loop"), u"Loop On");
  EXPECT_EQ(table.TooltipOfImage(9), u"Loop On");
  EXPECT_EQ(table.TooltipOfImage(7), u"");
}

TEST(ToolBarButtons, TableHoldsAtMostOneHundredRecords) {
  CToolBarButtons table;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(table.Add(u"b", u"t", i));
  EXPECT_FALSE(table.Add(u"overflow", u"t", 100));
  EXPECT_EQ(table.Count(), 100u);
  EXPECT_EQ(table.ImageIndexOf(u"overflow"), 0);
}

TEST(ToolBarSlots, TwentyTwoSlotsWithSeparatorsAndInitialStates) {
  using zv::kToolBarSlots;
  std::set<size_t> separators;
  for (size_t i = 0; i < zv::kToolBarSlotCount; ++i) {
    if (kToolBarSlots[i].IsSeparator()) {
      separators.insert(i);
      EXPECT_EQ(kToolBarSlots[i].command, IDTBB_SEP);
    }
  }
  EXPECT_EQ(separators, (std::set<size_t>{1, 9, 14, 19}));
  const int enabled[] = {IDTBB_OPEN, IDTBB_LOOP, IDTBB_ONTOP, IDTBB_SHUTDOWN, IDTBB_QUIT, IDTBB_PLAYLIST};
  for (const auto& slot : kToolBarSlots) {
    if (slot.IsSeparator()) continue;
    const bool expected = std::find(std::begin(enabled), std::end(enabled), slot.command) != std::end(enabled);
    EXPECT_EQ(slot.enabled, expected) << slot.command;
  }
  EXPECT_EQ(kToolBarSlots[0].command, IDTBB_OPEN);
  EXPECT_EQ(kToolBarSlots[21].command, IDTBB_PLAYLIST);
}

TEST(ToolBarSlots, TwoStateButtonsShowStateAndOfferTheAction) {
  const CToolBarButtons table = CToolBarButtons::BuiltIn();
  const auto& loop = zv::kToolBarSlots[12];
  ASSERT_EQ(loop.command, IDTBB_LOOP);
  // The data value is the image of the record that gave the tooltip.
  EXPECT_EQ(table.ImageIndexOf(loop.tooltipName), 9);
  EXPECT_EQ(table.ImageIndexOf(loop.pictureName), 10);
  const auto& onTop = zv::kToolBarSlots[16];
  ASSERT_EQ(onTop.command, IDTBB_ONTOP);
  EXPECT_EQ(table.ImageIndexOf(onTop.pictureName), 17);
  EXPECT_EQ(table.ImageIndexOf(onTop.tooltipName), 26);
  const auto& shutdown = zv::kToolBarSlots[17];
  ASSERT_EQ(shutdown.command, IDTBB_SHUTDOWN);
  EXPECT_EQ(table.ImageIndexOf(shutdown.pictureName), 13);
  EXPECT_EQ(table.ImageIndexOf(shutdown.tooltipName), 28);
  EXPECT_EQ(table.ImageIndexOf(zv::kToolBarSlots[15].pictureName), 27);
}

}  // namespace
