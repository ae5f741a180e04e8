#include "settings/SettingsForm.h"

#include "app/Settings.h"

#include <gtest/gtest.h>

namespace sf = zv::settingsform;

TEST(SettingsForm, TypedDelayIsNeverNegativeAndRangeNeverBelowOne) {
  EXPECT_EQ(sf::PlaybackDelayFromText(u"-3"), 0);
  EXPECT_EQ(sf::PlaybackDelayFromText(u"7"), 7);
  EXPECT_EQ(sf::PlaybackDelayFromText(u"12abc"), 12);
  EXPECT_EQ(sf::PlaybackDelayFromText(u"abc"), 0);
  EXPECT_EQ(sf::PlaybackDelayFromText(u""), 0);
  EXPECT_EQ(sf::JumpingRangeFromText(u"0"), 1);
  EXPECT_EQ(sf::JumpingRangeFromText(u"-20"), 1);
  EXPECT_EQ(sf::JumpingRangeFromText(u"x"), 1);
  EXPECT_EQ(sf::JumpingRangeFromText(u" 25"), 25);
  // Digits beyond the 32-bit range saturate instead of wrapping.
  EXPECT_EQ(sf::PlaybackDelayFromText(u"99999999999"), INT32_MAX);
  EXPECT_EQ(sf::JumpingRangeFromText(u"-99999999999"), 1);
  EXPECT_EQ(sf::ValidPlaybackDelay(-1), 0);
  EXPECT_EQ(sf::ValidJumpingRange(0), 1);
  EXPECT_EQ(sf::ValidJumpingRange(30), 30);
}

TEST(SettingsForm, ListIndexesOutsideTheListShowWhatAnEmptySelectionStores) {
  EXPECT_EQ(sf::ToolBarPosIndex(1), 1);
  EXPECT_EQ(sf::ToolBarPosIndex(5), 0);
  EXPECT_EQ(sf::ToolBarPosIndex(-1), 0);
  EXPECT_EQ(sf::PriorityIndex(5), 5);
  EXPECT_EQ(sf::PriorityIndex(6), 1);
  EXPECT_EQ(sf::PriorityIndex(-7), 1);
  EXPECT_EQ(sf::CheckValue(7), 1);
  EXPECT_EQ(sf::CheckValue(0), 0);
}

TEST(SettingsForm, FirstEntryBeginningWithFindsRendererOrFallsBackToTheFirst) {
  const std::vector<std::u16string> renderers = {u"Default video renderer", u"Video Renderer",
                                                 u"Video Mixing Renderer 7", u"Video Mixing Renderer 9",
                                                 u"Enhanced Video Renderer"};
  EXPECT_EQ(sf::FirstEntryBeginningWith(renderers, u"Video Mixing Renderer 9"), 3u);
  EXPECT_EQ(sf::FirstEntryBeginningWith(renderers, u"Current"), 0u);
  EXPECT_EQ(sf::FirstEntryBeginningWith(renderers, u"Video"), 1u);
  EXPECT_EQ(sf::FirstEntryBeginningWith(renderers, u"video renderer"), 0u) << "case counts";
  EXPECT_EQ(sf::FirstEntryBeginningWith({}, u"x"), 0u);
}

TEST(SettingsForm, ResolutionsKeepTheCurrentModesDepthFlagsAndRateOnceEachAndNoPortrait) {
  const sf::DisplayMode current{1280, 1024, 32, 0, 60};
  const std::vector<sf::DisplayMode> modes = {
      {640, 480, 32, 0, 60},  {640, 480, 16, 0, 60},   {800, 600, 32, 0, 75},  {800, 600, 32, 0, 60},
      {600, 800, 32, 0, 60},  {1024, 768, 32, 2, 60},  {1024, 768, 32, 0, 60}, {640, 480, 32, 0, 60},
      {1280, 1024, 32, 0, 60}, {1024, 1024, 32, 0, 60}};
  EXPECT_EQ(sf::ResolutionEntries(current, modes),
            (std::vector<std::u16string>{u"640 x 480", u"800 x 600", u"1024 x 768", u"1280 x 1024",
                                         u"1024 x 1024"}));
  // An entry that begins with a text counts as that text.
  const std::vector<sf::DisplayMode> prefix = {{1280, 1024, 32, 0, 60}, {1280, 102, 32, 0, 60},
                                               {128, 10, 32, 0, 60}};
  EXPECT_EQ(sf::ResolutionEntries(current, prefix), (std::vector<std::u16string>{u"1280 x 1024", u"128 x 10"}));
  EXPECT_TRUE(sf::ResolutionEntries(current, {}).empty());
}

TEST(SettingsForm, MonitorRowsAndTitles) {
  EXPECT_EQ(sf::MonitorEntryText(u"\\\\.\\DISPLAY1", true), u"\\\\.\\DISPLAY1 (primary) ");
  EXPECT_EQ(sf::MonitorEntryText(u"\\\\.\\DISPLAY2", false), u"\\\\.\\DISPLAY2 ");
  EXPECT_EQ(sf::PageTitle(u"General", nullptr), u" General");
  const std::u16string assocs = u"File Associations";
  EXPECT_EQ(sf::PageTitle(u"Audio", &assocs), u" File Associations - Audio");
}

TEST(SettingsForm, ScrollingGoesToTheEndsAndFollowsTheThumb) {
  const sf::ScrollRange r = sf::ScrollRangeFor(400, 300);
  EXPECT_EQ(r.range, 100);
  EXPECT_EQ(r.page, 10);
  EXPECT_EQ(sf::ScrollRangeFor(200, 300).range, 0);
  using R = sf::ScrollRequest;
  EXPECT_EQ(sf::ScrollTarget(R::LineDown, 0, 100, 0), 100);
  EXPECT_EQ(sf::ScrollTarget(R::PageDown, 40, 100, 0), 100);
  EXPECT_EQ(sf::ScrollTarget(R::LineUp, 100, 100, 0), 0);
  EXPECT_EQ(sf::ScrollTarget(R::PageUp, 50, 100, 0), 0);
  EXPECT_EQ(sf::ScrollTarget(R::Thumb, 0, 100, 37), 37);
  EXPECT_EQ(sf::ScrollTarget(R::Thumb, 0, 100, 170), 100);
  EXPECT_EQ(sf::ScrollTarget(R::Other, 37, 100, 0), 37);
}

TEST(SettingsForm, OkKeepsWhatThePlayerChangedWhileTheDialogWasOpen) {
  CSettings live(0);
  CSettings copy(0);
  copy = live;
  // The dialog edits its own fields ...
  copy.JumpingRange = 30;
  copy.VideoRenderer = u"Video Renderer";
  copy.GeneralChanged = 1;
  // ... while the player changes its running values.
  live.Volume = -2500;
  live.AlwaysOnTop = 1;
  live.WindowPosX = 77;
  live.PlaylistWindowRect = {1, 2, 3, 4};
  live.PlaylistDirTree = u"C:\\Music";
  sf::KeepRuntimeValues(live, copy);
  EXPECT_EQ(copy.Volume, -2500);
  EXPECT_EQ(copy.AlwaysOnTop, 1);
  EXPECT_EQ(copy.WindowPosX, 77);
  EXPECT_EQ(copy.PlaylistWindowRect.right, 3);
  EXPECT_EQ(copy.PlaylistDirTree, u"C:\\Music");
  EXPECT_EQ(copy.JumpingRange, 30);
  EXPECT_EQ(copy.VideoRenderer, u"Video Renderer");
  EXPECT_EQ(copy.GeneralChanged, 1);
}
