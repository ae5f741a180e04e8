#include "app/VersionText.h"

#include <gtest/gtest.h>

TEST(VersionText, CommasBecomePointsAndBlanksStay) {
  EXPECT_EQ(zv::VersionTextFromProductVersion(u"1, 3, 1, 9"), u"1. 3. 1. 9");
  EXPECT_EQ(zv::VersionTextFromProductVersion(u""), u"");
}
