// How the download reaches a byte a reader waits for.
#include "streaming/FetchPlan.h"

#include <gtest/gtest.h>

using zv::net::DownloadState;
using zv::net::FetchStep;
using zv::net::PlanFetch;

namespace {

DownloadState State(uint64_t position, bool connected, bool seekable, bool live, std::optional<uint64_t> length) {
  DownloadState s;
  s.position = position;
  s.connected = connected;
  s.seekable = seekable;
  s.live = live;
  s.length = length;
  return s;
}

constexpr uint64_t kSkip = 1000;

}  // namespace

TEST(FetchPlan, WithRangesNearBytesAreWaitedForAndOthersAskedFor) {
  const auto s = State(5000, true, true, false, 100000);
  EXPECT_EQ(PlanFetch(s, 5000, kSkip), FetchStep::kKeepReading);
  EXPECT_EQ(PlanFetch(s, 6000, kSkip), FetchStep::kKeepReading);
  EXPECT_EQ(PlanFetch(s, 6001, kSkip), FetchStep::kReconnect);
  EXPECT_EQ(PlanFetch(s, 4999, kSkip), FetchStep::kReconnect);
  EXPECT_EQ(PlanFetch(State(5000, false, true, false, 100000), 5000, kSkip), FetchStep::kReconnect);
  EXPECT_EQ(PlanFetch(s, 100000, kSkip), FetchStep::kEnd);
}

TEST(FetchPlan, WithoutRangesLaterBytesAreReadOnToAndEarlierOnesStartOver) {
  const auto s = State(5000, true, false, false, 100000);
  EXPECT_EQ(PlanFetch(s, 90000, kSkip), FetchStep::kKeepReading);
  EXPECT_EQ(PlanFetch(s, 100, kSkip), FetchStep::kRestart);
  // A connection lost in the middle: from the start again.
  EXPECT_EQ(PlanFetch(State(5000, false, false, false, 100000), 5000, kSkip), FetchStep::kRestart);
}

TEST(FetchPlan, ALiveStreamHasOnlyItsPresent) {
  const auto s = State(5000, true, false, true, std::nullopt);
  EXPECT_EQ(PlanFetch(s, 5500, kSkip), FetchStep::kKeepReading);
  EXPECT_EQ(PlanFetch(s, 100, kSkip), FetchStep::kRefuse);
  EXPECT_EQ(PlanFetch(s, uint64_t{1} << 40, kSkip), FetchStep::kRefuse);
  EXPECT_EQ(PlanFetch(State(5000, false, false, true, std::nullopt), 5000, kSkip), FetchStep::kRefuse);
  // Once it ended, its end is known.
  EXPECT_EQ(PlanFetch(State(5000, false, false, true, 5000), 5000, kSkip), FetchStep::kEnd);
}
