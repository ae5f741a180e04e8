#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lang/LanguageKeywords.h"
#include "lang/TextDecoding.h"

namespace {

std::string Utf16Le(const std::u16string& text, bool mark = true) {
  std::string bytes = mark ? std::string("\xFF\xFE") : std::string();
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string Utf16Be(const std::u16string& text) {
  std::string bytes = "\xFE\xFF";
  for (char16_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

LanguageTable Loaded(const std::string& bytes) {
  LanguageTable table;
  EXPECT_TRUE(table.LoadFile(u"test.lng", bytes));
  return table;
}

}  // namespace

TEST(LanguageTable, KeyAndValueLoseOnlyTheBlanksAtTheLineEnds) {
  LanguageTable table = Loaded("[Code]\r\n   SECONDS=Seconds   \r\nKEY = value\r\n");
  EXPECT_EQ(table.Message(u"SECONDS"), u"Seconds");
  EXPECT_EQ(table.Message(u"KEY "), u" value");
  EXPECT_EQ(table.Message(u"KEY"), u"");
}

TEST(LanguageTable, SectionNameDropsTheLastCharacterWhateverItIs) {
  LanguageTable table = Loaded("[Code\nA=1\n[File]x\nB=2\n");
  EXPECT_EQ(table.Text(u"Cod", u"A"), u"1");
  EXPECT_EQ(table.Text(u"Code", u"A"), u"");
  EXPECT_EQ(table.Text(u"File]", u"B"), u"2");
}

TEST(LanguageTable, EqualsSignAtTheStartBelongsToTheKey) {
  LanguageTable table = Loaded("[S]\n=alone\n=x=y\nnovalue\n");
  EXPECT_EQ(table.Text(u"S", u"=x"), u"y");
  EXPECT_EQ(table.Text(u"S", u""), u"");
  EXPECT_EQ(table.Text(u"S", u"=alone"), u"");
  EXPECT_EQ(table.Text(u"S", u"novalue"), u"");
}

TEST(LanguageTable, LookupIgnoresCase) {
  LanguageTable table = Loaded("[Code]\nSECONDS=Seconds\n[\xC3\x9C" "bersicht]\n\xC3\x84nderung=ok\n");
  EXPECT_EQ(table.Text(u"code", u"seconds"), u"Seconds");
  EXPECT_EQ(table.Message(u"Seconds"), u"Seconds");
  EXPECT_EQ(table.Text(u"\u00fcbersicht", u"\u00e4NDERUNG"), u"ok");
}

TEST(LanguageTable, LaterDefinitionWinsAlsoAcrossSectionsOfTheSameName) {
  LanguageTable table = Loaded("[Code]\nA=1\nB=1\n[Other]\nA=x\n[CODE]\nA=2\n[code]\nb=3\n");
  EXPECT_EQ(table.Message(u"A"), u"2");
  EXPECT_EQ(table.Message(u"B"), u"3");
  EXPECT_EQ(table.Text(u"Other", u"A"), u"x");
}

TEST(LanguageTable, EntriesKeepTheKeysSpellingAndOfferTheFirstOrTheLastValue) {
  // Menus and toolbar apply entries newest first, so the earliest line wins there.
  LanguageTable table = Loaded("[ToolBar]\nPlay=first\nStop=S\\tT\n[toolbar]\nPLAY=second\nplay=third\n");
  std::map<std::u16string, std::u16string> first, last;
  table.ForEachEntry(u"TOOLBAR", true, [&](const std::u16string& k, const std::u16string& v) { first[k] = v; });
  table.ForEachEntry(u"ToolBar", false, [&](const std::u16string& k, const std::u16string& v) { last[k] = v; });
  EXPECT_EQ(first, (std::map<std::u16string, std::u16string>{{u"play", u"first"}, {u"Stop", u"S\tT"}}));
  EXPECT_EQ(last, (std::map<std::u16string, std::u16string>{{u"play", u"third"}, {u"Stop", u"S\tT"}}));
  EXPECT_EQ(table.Text(u"ToolBar", u"Play"), u"third");
  int visits = 0;
  table.ForEachEntry(u"Missing", true, [&](const std::u16string&, const std::u16string&) { ++visits; });
  EXPECT_EQ(visits, 0);
}

TEST(LanguageTable, LastLineNeedsNoLineEnd) {
  LanguageTable table = Loaded("[Code]\r\nA=1\r\r\n\n\rB=2");
  EXPECT_EQ(table.Message(u"A"), u"1");
  EXPECT_EQ(table.Message(u"B"), u"2");
}

TEST(LanguageTable, CommentsAndLinesBeforeTheFirstSectionAreIgnored) {
  LanguageTable table = Loaded("A=0\n# Zentravue v1.3.0.0 Language File\n[Code]\n  #B=1\nC=#2\n");
  EXPECT_EQ(table.Message(u"A"), u"");
  EXPECT_EQ(table.Message(u"#B"), u"");
  EXPECT_EQ(table.Message(u"C"), u"#2");
}

TEST(LanguageTable, EscapesAreResolvedOnLookup) {
  LanguageTable table = Loaded("[MainMenu]\nOPEN=&Open...\\tINS\nMSG=Line\\nNext\\x\\\\t\nEND=a\\\n");
  EXPECT_EQ(table.Text(u"MainMenu", u"OPEN"), u"&Open...\tINS");
  EXPECT_EQ(table.Text(u"MainMenu", u"MSG"), u"Line\nNext\\x\\\t");
  EXPECT_EQ(table.Text(u"MainMenu", u"END"), u"a\\");
  EXPECT_EQ(zv::ResolveEscapes(u"A\\tB"), u"A\tB");
  EXPECT_EQ(zv::ResolveEscapes(u"A\\rB"), u"A\\rB");
}

TEST(LanguageTable, Utf16FilesParseLikeTheirUtf8Twin) {
  const std::u16string text = u"[File]\r\nLanguage=Fran\u00e7ais\r\n[Code]\r\nYES=\u65e5\u672c\r\n";
  const std::string utf8 = "\xEF\xBB\xBF[File]\r\nLanguage=Fran\xC3\xA7" "ais\r\n[Code]\r\nYES=\xE6\x97\xA5\xE6\x9C\xAC\r\n";
  for (const std::string& bytes : {utf8, Utf16Le(text), Utf16Be(text), utf8.substr(3)}) {
    LanguageTable table = Loaded(bytes);
    EXPECT_EQ(table.Text(u"File", u"Language"), u"Fran\u00e7ais");
    EXPECT_EQ(table.Message(u"YES"), u"\u65e5\u672c");
  }
}

TEST(LanguageTable, StrayBytesDecodeAsLatin1) {
  LanguageTable table = Loaded("[Code]\nA=Gr\xFC\xDF" "e\nB=\xC3" "x\nC=\xE2\x82\n");
  EXPECT_EQ(table.Message(u"A"), u"Gr\u00fc\u00dfe");
  EXPECT_EQ(table.Message(u"B"), u"\u00c3x");
  EXPECT_EQ(table.Message(u"C"), u"\u00e2\u0082");
}

TEST(LanguageTable, TextEndsAtTheFirstNul) {
  LanguageTable table = Loaded(std::string("[Code]\nA=1\0\nB=2\n", 17));
  EXPECT_EQ(table.Message(u"A"), u"1");
  EXPECT_EQ(table.Message(u"B"), u"");
}

TEST(LanguageTable, LoadingASecondLanguageRemovesTheFirst) {
  LanguageTable table;
  ASSERT_TRUE(table.LoadBuiltIn(248, "[Code]\nA=Deutsch\nONLY=da\n"));
  EXPECT_EQ(table.LoadedSource(), LanguageTable::kBuiltIn);
  EXPECT_EQ(table.ResourceId(), 248);
  ASSERT_TRUE(table.LoadFile(u"mine.lng", "[Code]\nA=English\n"));
  EXPECT_EQ(table.Message(u"A"), u"English");
  EXPECT_EQ(table.Message(u"ONLY"), u"");
  EXPECT_EQ(table.LoadedSource(), LanguageTable::kFile);
  EXPECT_EQ(table.FileName(), u"mine.lng");
}

TEST(LanguageTable, FailedLoadKeepsThePreviousLanguage) {
  LanguageTable table;
  EXPECT_FALSE(table.LoadBuiltIn(250, ""));
  EXPECT_EQ(table.LoadedSource(), LanguageTable::kNothing);
  ASSERT_TRUE(table.LoadBuiltIn(250, "[Code]\nA=1\n"));
  EXPECT_FALSE(table.LoadFile(u"junk.lng", "\x01\x02 no sections here\n"));
  EXPECT_EQ(table.Message(u"A"), u"1");
  EXPECT_EQ(table.LoadedSource(), LanguageTable::kBuiltIn);
  EXPECT_TRUE(table.FileName().empty());
}

TEST(LanguageTable, MissingSectionOrKeyGivesEmptyText) {
  LanguageTable table = Loaded("[Code]\nA=1\n");
  EXPECT_EQ(table.Text(u"Nope", u"A"), u"");
  EXPECT_EQ(table.Text(u"Code", u"Nope"), u"");
  EXPECT_TRUE(table.HasSection(u"CODE"));
  EXPECT_FALSE(table.HasSection(u"File"));
}

TEST(TextDecoding, SequencesAndMarks) {
  EXPECT_EQ(zv::DecodeLanguageText("\xF0\x9F\x8E\xAC"), u"\U0001F3AC");
  EXPECT_EQ(zv::DecodeLanguageText("\xE0\x80\x80!"), u"\uFFFD!");    // overlong
  EXPECT_EQ(zv::DecodeLanguageText("\xED\xA0\x80"), u"\uFFFD");      // surrogate
  EXPECT_EQ(zv::DecodeLanguageText("\xC0\xAF"), u"\u00c0\u00af");    // C0 starts nothing
  EXPECT_EQ(zv::DecodeLanguageText("\xC3\xC3\xA4"), u"\u00c3\u00e4"); // interrupted by a lead
  EXPECT_EQ(zv::DecodeLanguageText("\xF0\x9F"), u"\u00f0\u009f");     // unfinished at the end
  EXPECT_EQ(zv::DecodeLanguageText(std::string("\xFF\xFE" "A\x00" "B", 5)), u"A");    // odd last byte dropped
  EXPECT_EQ(zv::DecodeLanguageText(std::string("\xFE\xFF\x00" "A", 4)), u"A");
  EXPECT_EQ(zv::DecodeLanguageText("\xEF\xBB\xBF"), u"");
}

TEST(LanguageKeywords, KeywordsAreExactLowerCase) {
  EXPECT_EQ(zv::LanguageResourceOfKeyword(u"deutsch"), u"IDR_LNG_GERMAN");
  EXPECT_EQ(zv::LanguageResourceOfKeyword(u"portbr"), u"IDR_LNG_PORTBR");
  EXPECT_EQ(zv::LanguageResourceOfKeyword(u"srpski"), u"IDR_LNG_SRPSKI");
  EXPECT_EQ(zv::LanguageResourceOfKeyword(u"Deutsch"), u"");
  EXPECT_EQ(zv::LanguageResourceOfKeyword(u"german"), u"");
}
