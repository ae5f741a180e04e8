#include "media/MediaErrorText.h"

#include <gtest/gtest.h>

namespace {

std::u16string NoLanguage(const std::u16string&) { return {}; }

}  // namespace

TEST(MediaErrorText, PlatformTextThatOnlyRepeatsTheCodeCountsAsNone) {
  EXPECT_TRUE(zv::IsBareResultText(u"", 0x80040218u));
  EXPECT_TRUE(zv::IsBareResultText(u"Error: 0x80040218", 0x80040218u));
  EXPECT_TRUE(zv::IsBareResultText(u"Error 80040218.", 0x80040218u));
  EXPECT_TRUE(zv::IsBareResultText(u"error: 0x8004022e\r\n", 0x8004022Eu));
  EXPECT_FALSE(zv::IsBareResultText(u"Error: 0x80040217", 0x80040218u)) << "another code is information";
  EXPECT_FALSE(zv::IsBareResultText(u"No combination of filters could be found.", 0x80040218u));
  EXPECT_FALSE(zv::IsBareResultText(u"Bad", 0x80040218u));
}

TEST(MediaErrorText, ReasonComesFromThePlatformThenTheTableThenTheSystemThenTheCode) {
  const auto german = [](const std::u16string& key) {
    return key == u"MEDIAERROR_CANNOT_RENDER" ? std::u16string(u"Kein Decoder") : std::u16string();
  };
  EXPECT_EQ(zv::MediaErrorReason(0x80040218u, german, u"Filters failed.", u"System"), u"Filters failed.");
  EXPECT_EQ(zv::MediaErrorReason(0x80040218u, german, u"Error: 0x80040218", u"System"), u"Kein Decoder");
  // A language without the key still gives words, never the code.
  EXPECT_EQ(zv::MediaErrorReason(0x8004022Eu, german, u"Error: 0x8004022e", u""),
            u"Opening the file took too long and was given up.");
  EXPECT_EQ(zv::MediaErrorReason(0x80070002u, NoLanguage, u"", u""), u"The file was not found.");
  EXPECT_EQ(zv::MediaErrorReason(0x80041234u, NoLanguage, u"Error: 0x80041234", u"Something broke.\r\n"),
            u"Something broke.");
  EXPECT_EQ(zv::MediaErrorReason(0x80041234u, NoLanguage, u"", u""), u"0x80041234");
  EXPECT_EQ(zv::MediaErrorReason(0x80040256u, NoLanguage, u"", u""), u"No audio device is available.");
}
