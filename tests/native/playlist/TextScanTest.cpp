#include "playlist/TextScan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Characters that share bits with the searched ones: the four-character
// steps must neither miss nor invent a hit.
const char16_t kAlphabet[] = {u'a', u'<', u'>', u'\r', u'\n', u'\t', 0x0B, 0x0D00, 0x800D, 0x803C,
                              0x3C00, 0xFFFF, 0x000A + 0x8000, u'&', 0};

std::u16string TextFromSeed(unsigned seed, size_t length) {
  std::u16string text;
  for (size_t i = 0; i < length; ++i) {
    seed = seed * 1103515245u + 12345u;
    text += kAlphabet[(seed >> 16) % (sizeof kAlphabet / sizeof kAlphabet[0])];
  }
  return text;
}

size_t ReferenceLineBreak(std::u16string_view text, size_t from) {
  return text.find_first_of(u"\r\n", from);
}

}  // namespace

TEST(TextScan, FindsTheSameCharacterAsAPlainSearchAtEveryOffset) {
  for (unsigned seed = 1; seed < 200; ++seed) {
    const std::u16string text = TextFromSeed(seed, seed % 37);
    for (size_t from = 0; from <= text.size(); ++from) {
      for (char16_t c : {u'<', u'>', u'&', char16_t(0x803C)})
        ASSERT_EQ(zv::FindChar16(text, c, from), text.find(c, from)) << seed << " " << from;
      ASSERT_EQ(zv::FindLineBreak(text, from), ReferenceLineBreak(text, from)) << seed << " " << from;
    }
  }
}

TEST(TextScan, SkipsLookalikesOfLineBreaks) {
  std::u16string text(64, u'\t');
  text += u"\x800D\x800A\x0D0D\x0A0A";
  EXPECT_EQ(zv::FindLineBreak(text, 0), std::u16string_view::npos);
  text += u'\n';
  EXPECT_EQ(zv::FindLineBreak(text, 0), text.size() - 1);
}
