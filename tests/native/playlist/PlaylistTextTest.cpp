#include "playlist/PlaylistText.h"

#include <gtest/gtest.h>

#include <string>

using zv::DecodePlaylistBytes;

namespace {
std::u16string Decode(const std::string& bytes) {
  return DecodePlaylistBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}
}  // namespace

TEST(PlaylistText, Utf8WithoutMarkDecodes) {
  EXPECT_EQ(Decode("\xC3\xA4"), u"\u00E4");
  EXPECT_EQ(Decode("a\xF0\x9F\x8E\xB5z"), u"a\U0001F3B5z");
  EXPECT_EQ(Decode("\xEF\xBB\xBF\xE2\x82\xAC"), u"\u20AC");
}

TEST(PlaylistText, InterruptedSequenceIsDropped) {
  EXPECT_EQ(Decode("\xE4" "abc"), u"abc");
  EXPECT_EQ(Decode("\xE2\x82" "x"), u"x");
  EXPECT_EQ(Decode("\xE2\x82\xC3\xA4"), u"\u00E4");  // a new lead byte abandons the old one
  EXPECT_EQ(Decode("ab\xE2"), u"ab");
}

TEST(PlaylistText, BytesThatStartNothingAreLatin1) {
  EXPECT_EQ(Decode("\xFF"), u"\u00FF");
  EXPECT_EQ(Decode("\xC0\xC1\xF5"), u"\u00C0\u00C1\u00F5");
  EXPECT_EQ(Decode("\xE2\x82\xFF"), u"\u00E2\u0082\u00FF");  // the pending bytes come first
}

TEST(PlaylistText, StrayContinuationBytesAreDropped) {
  EXPECT_EQ(Decode("a\x80\xBF" "b"), u"ab");
  EXPECT_EQ(Decode("\xC3\xA4\xA4"), u"\u00E4");
}

TEST(PlaylistText, SequencesForNoCharacterBecomeReplacement) {
  EXPECT_EQ(Decode("\xE0\x80\x80"), u"\uFFFD");      // overlong
  EXPECT_EQ(Decode("\xED\xA0\x80"), u"\uFFFD");      // surrogate
  EXPECT_EQ(Decode("\xF4\x90\x80\x80"), u"\uFFFD");  // above U+10FFFF
}

TEST(PlaylistText, Utf16MarksAndOddLength) {
  EXPECT_EQ(Decode(std::string("\xFF\xFE" "a\0\xE4\0", 6)), u"a\u00E4");
  EXPECT_EQ(Decode(std::string("\xFE\xFF\0a\0\xE4", 6)), u"a\u00E4");
  EXPECT_EQ(Decode(std::string("\xFF\xFE" "a\0b", 5)), u"a");
  EXPECT_EQ(Decode(std::string("\xFF\xFE\x3C\xD8\xB5\xDF", 6)), u"\U0001F3B5");
  EXPECT_EQ(Decode("\xFF\xFE"), u"");
}

TEST(PlaylistText, TextEndsAtZero) {
  EXPECT_EQ(Decode(std::string("ab\0cd", 5)), u"ab");
  EXPECT_EQ(Decode(std::string("\xFF\xFE" "a\0\0\0b\0", 8)), u"a");
}

TEST(PlaylistText, EncodesUtf16LeWithMark) {
  std::vector<uint8_t> bytes = zv::EncodeUtf16LeWithMark(u"a\u00E4\U0001F3B5");
  std::vector<uint8_t> expected = {0xFF, 0xFE, 'a', 0, 0xE4, 0, 0x3C, 0xD8, 0xB5, 0xDF};
  EXPECT_EQ(bytes, expected);
}
