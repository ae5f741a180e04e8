#include "app/CmdLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RegistryLanguageChoice.h"
#include "MemoryRegistry.h"

namespace {

struct RecordingSink : zv::LanguageChoiceSink {
  void StoreLanguageChoice(const std::u16string& resourceName) override {
    chosen.push_back(resourceName);
  }
  std::vector<std::u16string> chosen;
};

CCmdLineInfo Parse(const std::vector<std::u16string>& arguments,
                   zv::LanguageChoiceSink* sink = nullptr) {
  CCmdLineInfo info(sink);
  info.ParseArguments(arguments);
  return info;
}

}  // namespace

TEST(CmdLineInfo, SwitchesMatchWithoutRegardToCaseAndEitherSwitchCharacter) {
  CCmdLineInfo info = Parse({u"-play", u"/FullScreen", u"/NOLOOP", u"/?"});
  EXPECT_TRUE(info.Play);
  EXPECT_TRUE(info.Fullscreen);
  EXPECT_TRUE(info.NoLoop);
  EXPECT_TRUE(info.Help);
  EXPECT_FALSE(info.Pause);
  EXPECT_FALSE(info.Loop);
  EXPECT_FALSE(info.NoFullscreen);
  EXPECT_TRUE(info.MediaName().empty());
}

TEST(CmdLineInfo, EverySwitchSetsItsOwnFlag) {
  struct Case {
    const char16_t* word;
    bool CCmdLineInfo::*flag;
  };
  const Case cases[] = {
      {u"help", &CCmdLineInfo::Help},           {u"center", &CCmdLineInfo::Center},
      {u"debug", &CCmdLineInfo::Debug},         {u"play", &CCmdLineInfo::Play},
      {u"pause", &CCmdLineInfo::Pause},         {u"nosplash", &CCmdLineInfo::NoSplash},
      {u"loop", &CCmdLineInfo::Loop},           {u"noloop", &CCmdLineInfo::NoLoop},
      {u"mute", &CCmdLineInfo::Mute},           {u"nomute", &CCmdLineInfo::NoMute},
      {u"border", &CCmdLineInfo::Border},       {u"noborder", &CCmdLineInfo::NoBorder},
      {u"systray", &CCmdLineInfo::SysTray},     {u"hide", &CCmdLineInfo::Hide},
      {u"fullscreen", &CCmdLineInfo::Fullscreen}, {u"nofullscreen", &CCmdLineInfo::NoFullscreen},
      {u"compact", &CCmdLineInfo::Compact},     {u"nocompact", &CCmdLineInfo::NoCompact},
      {u"close", &CCmdLineInfo::Close},         {u"update_step_1", &CCmdLineInfo::UpdateStep1},
      {u"update_step_2", &CCmdLineInfo::UpdateStep2}, {u"uninstall", &CCmdLineInfo::Uninstall},
      {u"adminCreateFileAssoc", &CCmdLineInfo::AdminCreateFileAssoc},
      {u"adminDeleteFileAssoc", &CCmdLineInfo::AdminDeleteFileAssoc},
  };
  for (const Case& c : cases) {
    CCmdLineInfo info = Parse({std::u16string(u"/") + c.word});
    int set = 0;
    for (const Case& other : cases) set += (info.*other.flag) ? 1 : 0;
    EXPECT_TRUE(info.*c.flag) << std::string(c.word, c.word + std::char_traits<char16_t>::length(c.word));
    EXPECT_EQ(set, 1);
  }
}

TEST(CmdLineInfo, UnknownAndPrefixedSwitchesAreIgnored) {
  CCmdLineInfo info = Parse({u"/plays", u"/xplay", u"/bogus"});
  EXPECT_FALSE(info.Play);
  EXPECT_TRUE(info.MediaName().empty());
}

TEST(CmdLineInfo, OnlyTheFirstPlainArgumentIsTheMedia) {
  CCmdLineInfo info = Parse({u"first.avi", u"second.avi"});
  EXPECT_EQ(info.MediaName(), u"first.avi");
}

TEST(CmdLineInfo, StreamAddressIsTheMediaAlsoWhenWrittenAsSwitch) {
  EXPECT_EQ(Parse({u"http://host/live.asf"}).MediaName(), u"http://host/live.asf");
  EXPECT_EQ(Parse({u"/mms://host/Live"}).MediaName(), u"mms://host/Live");
  EXPECT_EQ(Parse({u"/HTTP://Host/x", u"file.avi"}).MediaName(), u"HTTP://Host/x");
  // A file named before the address stays the media.
  EXPECT_EQ(Parse({u"file.avi", u"/http://host/x"}).MediaName(), u"file.avi");
}

TEST(CmdLineInfo, ValueSwitchesKeepTheValueCaseAndTheLastOneWins) {
  CCmdLineInfo info = Parse({u"/VOLUME:50", u"/audio:C:\\Music\\Track.MP3", u"/size:0.5x",
                             u"/size:640X480", u"/wndpos:10,20,rightbottom", u"/bordercol:1,2,3",
                             u"/jumptopos:12.5"});
  EXPECT_EQ(info.Volume(), u"50");
  EXPECT_EQ(info.AudioFile(), u"C:\\Music\\Track.MP3");
  EXPECT_EQ(info.Size(), u"640X480");
  EXPECT_EQ(info.WindowPos(), u"10,20,rightbottom");
  EXPECT_EQ(info.BorderColour(), u"1,2,3");
  EXPECT_EQ(info.JumpToPos(), u"12.5");
}

TEST(CmdLineInfo, ValueIsWhatFollowsTheOptionLengthFromTheStart) {
  // The option may occur anywhere, but the value is cut at the option's length.
  CCmdLineInfo info = Parse({u"/xvolume:70"});
  EXPECT_EQ(info.Volume(), u":70");
}

TEST(CmdLineInfo, PlainValueSwitchAlsoBecomesTheMediaName) {
  // Every argument runs the hook; the framework then takes a plain one as media.
  CCmdLineInfo info = Parse({u"volume:30"});
  EXPECT_EQ(info.Volume(), u"30");
  EXPECT_EQ(info.MediaName(), u"volume:30");
}

TEST(CmdLineInfo, LanguageKeywordIsCaseSensitive) {
  RecordingSink sink;
  Parse({u"/LANGUAGE:deutsch", u"/language:English", u"/language:klingon"}, &sink);
  ASSERT_EQ(sink.chosen.size(), 1u);
  EXPECT_EQ(sink.chosen[0], u"IDR_LNG_GERMAN");
}

TEST(CmdLineInfo, LanguageChoiceIsWrittenToTheSettingsKey) {
  MemoryRegistry registry;
  const std::u16string root = zv::ProductKeyPath(u"");
  zv::RegistryLanguageChoice writer(registry, root);
  Parse({u"/language:japanese"}, &writer);
  const zv::RegValue* resource = registry.Get(root + u"\\Settings", u"LanguageResource");
  const zv::RegValue* type = registry.Get(root + u"\\Settings", u"LanguageType");
  ASSERT_NE(resource, nullptr);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(zv::DecodeString(*resource), u"IDR_LNG_JAPANESE");
  EXPECT_EQ(zv::DecodeDword(*type), 0u);
}

TEST(CmdLineInfo, UnknownLanguageWritesNothing) {
  MemoryRegistry registry;
  zv::RegistryLanguageChoice writer(registry, zv::ProductKeyPath(u""));
  Parse({u"/language:Deutsch"}, &writer);
  EXPECT_FALSE(registry.HasKey(zv::ProductKeyPath(u"") + u"\\Settings"));
}

TEST(CmdLineInfo, PlayAndPauseTogetherAreBothRecorded) {
  // Applying them later cancels both; the record keeps what was given.
  CCmdLineInfo info = Parse({u"/play", u"/pause"});
  EXPECT_TRUE(info.Play);
  EXPECT_TRUE(info.Pause);
}

TEST(CmdLineInfo, EmptyArgumentsAndBareSwitchCharactersDoNothing) {
  CCmdLineInfo info = Parse({u"", u"/", u"-"});
  EXPECT_TRUE(info.MediaName().empty());
  EXPECT_FALSE(info.Help);
}

TEST(CmdLineHelp, TextIsExactlyTheHelpScreen) {
  std::u16string text = zv::CommandLineHelpText();
  EXPECT_EQ(text.rfind(u".exe [<mediafile>] [<options>]\n\nOptions:\n/help,/?\t\tthis help screen\n", 0),
            0u);
  EXPECT_NE(text.find(u"\n/uninstall\t\tuninstall Zentravue :'(\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\n\t<realtiveTo> can be 'lefttop','righttop','leftbottom','rightbottom' or empty\n"),
            std::u16string::npos);
  EXPECT_NE(text.find(u"\n/bordercol:<red>,<green>,<blue>\tborder color around video\n\t\te.g. 0,0,0 for black or 255,255,255 for white\n"),
            std::u16string::npos);
  size_t lines = 1;
  for (char16_t c : text) lines += c == u'\n' ? 1 : 0;
  EXPECT_EQ(lines, 39u);
  const std::u16string last = u"\n/hide\t\tHide Zentravue in taskbar";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  EXPECT_EQ(text.find(u"debug"), std::u16string::npos);
}

TEST(CmdLineInfo, InstallerSwitchesForQuietUninstallAndAssociations) {
  CCmdLineInfo info;
  info.ParseArguments({u"/uninstall", u"/QUIET", u"/associate:14"});
  EXPECT_TRUE(info.Uninstall);
  EXPECT_TRUE(info.Quiet);
  EXPECT_EQ(info.AssociateCategories(), u"14");
  EXPECT_TRUE(info.MediaName().empty());
}
