#include "framework/CommandLineSplit.h"

#include <gtest/gtest.h>

using Args = std::vector<std::u16string>;

TEST(CommandLineSplit, SplitsLikeTheShell) {
  EXPECT_EQ(fw::SplitCommandLine(u"player.exe"), (Args{u"player.exe"}));
  EXPECT_EQ(fw::SplitCommandLine(u""), (Args{u""}));
  EXPECT_EQ(fw::SplitCommandLine(u"\"C:\\Program Files\\p.exe\" a  \tb "), (Args{u"C:\\Program Files\\p.exe", u"a", u"b"}));
  // The program keeps its backslashes before a quote.
  EXPECT_EQ(fw::SplitCommandLine(u"C:\\dir\\p.exe x"), (Args{u"C:\\dir\\p.exe", u"x"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p \"two words.avi\" /volume:50"), (Args{u"p", u"two words.avi", u"/volume:50"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p a\"b c\"d"), (Args{u"p", u"ab cd"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p \"\""), (Args{u"p", u""}));
  // Backslashes: literal unless they come before a quote.
  EXPECT_EQ(fw::SplitCommandLine(u"p C:\\a\\b\\"), (Args{u"p", u"C:\\a\\b\\"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p \"C:\\a b\\\\\" x"), (Args{u"p", u"C:\\a b\\", u"x"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p a\\\"b"), (Args{u"p", u"a\"b"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p a\\\\\\\"b"), (Args{u"p", u"a\\\"b"}));
  // Two quotes inside quotes give one and end the quoting.
  EXPECT_EQ(fw::SplitCommandLine(u"p \"a\"\"b\" c"), (Args{u"p", u"a\"b c"}));
  EXPECT_EQ(fw::SplitCommandLine(u"p \"a\"\"b c"), (Args{u"p", u"a\"b", u"c"}));
  // An open quote runs to the end.
  EXPECT_EQ(fw::SplitCommandLine(u"p \"open end"), (Args{u"p", u"open end"}));
}
