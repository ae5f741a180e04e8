#include "player/TransportRules.h"

#include "app/MediaUnits.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zv;

namespace {
std::vector<double> Presses(double (*command)(double), double from, int count) {
  std::vector<double> rates;
  double rate = from;
  for (int i = 0; i < count; ++i) rates.push_back(rate = command(rate));
  return rates;
}
}  // namespace

TEST(RateLadder, FasterRunsUpToThirtyTwoThenBackToNormal) {
  EXPECT_EQ(Presses(FasterRate, 1.0, 7), (std::vector<double>{1.5, 2, 4, 8, 16, 32, 1}));
}

TEST(RateLadder, FasterFromSlowOrBackwardsRates) {
  EXPECT_EQ(FasterRate(0.5), 0.5) << "any other rate is set again unchanged";
  EXPECT_EQ(FasterRate(-2.0), 1.0);
  EXPECT_EQ(FasterRate(0.0), 1.0);
  EXPECT_EQ(FasterRate(3.0), 6.0);
  EXPECT_EQ(FasterRate(40.0), 1.0) << "64 or more wraps to normal";
}

TEST(RateLadder, FastBackwardsRunsDownToMinusThirtyTwoThenBackToMinusOne) {
  EXPECT_EQ(Presses(FastBackwardsRate, 1.0, 7), (std::vector<double>{-1, -2, -4, -8, -16, -32, -1}));
  EXPECT_EQ(FastBackwardsRate(-0.5), -1.0);
  EXPECT_EQ(FastBackwardsRate(0.0), -1.0);
}

TEST(VolumeSteps, QuieterAtFivePercentMutesAndRemembersTheVolume) {
  const int32_t five = VolumeFromPercent(5);
  const VolumeChange change = QuieterVolume(five, 0, false);
  EXPECT_EQ(change.volume, kVolumeSilent);
  EXPECT_EQ(change.volumeBeforeMute, five);
}

TEST(VolumeSteps, QuieterWhenSilentKeepsTheRememberedVolume) {
  const VolumeChange change = QuieterVolume(kVolumeSilent, -301, false);
  EXPECT_EQ(change.volume, kVolumeSilent);
  EXPECT_EQ(change.volumeBeforeMute, -301);
}

TEST(VolumeSteps, ControlKeyStepsByOnePercent) {
  EXPECT_EQ(PercentFromVolume(QuieterVolume(VolumeFromPercent(50), 0, true).volume), 49);
  EXPECT_EQ(PercentFromVolume(LouderVolume(VolumeFromPercent(50), 0, true).volume), 51);
  EXPECT_EQ(PercentFromVolume(QuieterVolume(VolumeFromPercent(1), 0, true).volume), 0);
}

TEST(VolumeSteps, LouderAtNinetyFiveReachesFullVolume) {
  EXPECT_EQ(LouderVolume(VolumeFromPercent(95), -5, false).volume, kVolumeFull);
  EXPECT_EQ(LouderVolume(kVolumeFull, -5, false).volume, kVolumeFull);
  EXPECT_EQ(LouderVolume(kVolumeSilent, -5, false).volume, VolumeFromPercent(10));
}

TEST(VolumeSteps, EveryPercentSurvivesTheRoundTrip) {
  for (int32_t percent = 0; percent <= 100; ++percent)
    EXPECT_EQ(PercentFromVolume(VolumeFromPercent(percent)), percent);
}

TEST(Mute, MutingAtFullAndUnmutingRestoresFull) {
  const VolumeChange muted = ToggledMute(kVolumeFull, -2000);
  EXPECT_EQ(muted.volume, kVolumeSilent);
  EXPECT_EQ(muted.volumeBeforeMute, kVolumeFull);
  EXPECT_EQ(ToggledMute(muted.volume, muted.volumeBeforeMute).volume, kVolumeFull);
}

TEST(Mute, UnmutingWhenTheRememberedVolumeIsSilenceGivesFullVolume) {
  EXPECT_EQ(ToggledMute(kVolumeSilent, kVolumeSilent).volume, kVolumeFull);
}

TEST(Mute, MutingRemembersTheVolumeRoundedToAWholePercent) {
  const int32_t between = VolumeFromPercent(50) - 3;
  EXPECT_EQ(ToggledMute(between, 0).volumeBeforeMute, VolumeFromPercent(PercentFromVolume(between)));
  // Just above silence rounds to silence: that unmutes.
  EXPECT_EQ(ToggledMute(-9999, -301).volume, -301);
}

TEST(Jump, BelowZeroClampsAndSaysSo) {
  EXPECT_EQ(JumpFrom(300, -1, 10).position, 0);
  EXPECT_TRUE(JumpFrom(300, -1, 10).beforeStart);
  EXPECT_FALSE(JumpFrom(1000, -1, 10).beforeStart);
  EXPECT_EQ(JumpFrom(1000, -1, 10).position, 0);
  EXPECT_EQ(JumpFrom(300, 1, 10).position, 1300) << "no upper clamp";
  EXPECT_EQ(JumpFrom(2147483000, 1, 2147483).position, INT32_MAX) << "no overflow";
}

TEST(Jump, IntoThePreviousEntryStaysInsideItWhateverTheRange) {
  EXPECT_EQ(JumpIntoPreviousEnd(60000, 10), 59000);
  EXPECT_EQ(JumpIntoPreviousEnd(500, 10), 0) << "an entry shorter than the range starts at 0";
  // A range from a damaged setting: its hundredths do not fit 32 bits.
  EXPECT_EQ(JumpIntoPreviousEnd(360000, 30000000), 0);
  EXPECT_EQ(JumpIntoPreviousEnd(360000, INT32_MAX), 0);
  EXPECT_EQ(JumpIntoPreviousEnd(INT32_MAX, -30000000), INT32_MAX);
}

TEST(MarkLoop, LoopsOnlyJustAfterAMarkEndInsideTheMedia) {
  EXPECT_FALSE(PassedMarkEnd(499, 500, 1000));
  EXPECT_TRUE(PassedMarkEnd(500, 500, 1000));
  EXPECT_TRUE(PassedMarkEnd(550, 500, 1000));
  EXPECT_FALSE(PassedMarkEnd(551, 500, 1000)) << "a seek far past the mark is the user's";
  EXPECT_FALSE(PassedMarkEnd(1000, 1000, 1000)) << "the end of media loops itself";
}
