#include "app/InstanceCandidate.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The choice as the search makes it: the processes in enumeration order
// (ascending ids), each replacing the candidate when it is earlier.
uint32_t FirstInstance(const std::vector<zv::RunningProcess>& processes) {
  zv::RunningProcess candidate = processes.front();
  for (const zv::RunningProcess& process : processes)
    if (zv::IsEarlierInstance(process, candidate)) candidate = process;
  return candidate.id;
}

}  // namespace

TEST(InstanceCandidate, TheEarliestCreatedWinsWhateverItsId) {
  // The second start got a reused, lower id: it is enumerated first.
  EXPECT_EQ(FirstInstance({{100, 2000}, {204, 1000}}), 204u);
  EXPECT_EQ(FirstInstance({{100, 1000}, {204, 2000}}), 100u);
  EXPECT_EQ(FirstInstance({{96, 3000}, {100, 1000}, {204, 2000}}), 100u);
  // Created at the same moment: the lower id.
  EXPECT_EQ(FirstInstance({{204, 1000}, {100, 1000}}), 100u);
}
