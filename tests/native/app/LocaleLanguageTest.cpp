#include "settings/LocaleLanguage.h"

#include <gtest/gtest.h>

// Language identifiers as the platform builds them: sub-language << 10 | primary.
constexpr uint16_t Id(unsigned primary, unsigned sub) { return static_cast<uint16_t>(sub << 10 | primary); }

TEST(LocaleLanguage, TheUsersLanguageIsPreselectedAndEnglishOtherwise) {
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x07, 0x01)), u"IDR_LNG_GERMAN");   // de-DE
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x07, 0x03)), u"IDR_LNG_GERMAN");   // de-AT
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x09, 0x02)), u"IDR_LNG_ENGLISH");  // en-GB
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x16, 0x02)), u"IDR_LNG_PORTBR");   // pt-PT has only Brazilian
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x1a, 0x01)), u"IDR_LNG_HRVATSKI"); // hr-HR
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x1a, 0x05)), u"IDR_LNG_BOSANSKI"); // bs-Latn-BA
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x1a, 0x0a)), u"IDR_LNG_SRPSKI");   // sr-Cyrl-RS
  EXPECT_EQ(zv::BuiltInLanguageForLocale(Id(0x04, 0x02)), u"IDR_LNG_ENGLISH");  // zh-CN: no translation
  EXPECT_EQ(zv::BuiltInLanguageForLocale(0), u"IDR_LNG_ENGLISH");
}
