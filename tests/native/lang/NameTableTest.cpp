#include "lang/NameTable.h"

#include <gtest/gtest.h>

#include "lang/LanguageTable.h"

namespace {

const char kHeader[] =
    "//{{NO_DEPENDENCIES}}\r\n"
    "// Resource header\r\n"
    "//\r\n"
    "#define IDR_LNG_GERMAN                  248\r\n"
    "#define IDR_LNG_ENGLISH                 250\r\n"
    "#define IDR_SHIELD\t\t\t300\r\n"
    "#define IDM_DATEI_OEFFNEN               32771\r\n"
    "#define IDM_OLD_NAME                    32771\r\n"
    "  #define   IDC_PADDED   1001   \r\n"
    "\r\n"
    "#ifdef APSTUDIO_INVOKED\r\n"
    "#define _APS_NEXT_RESOURCE_VALUE        333\r\n"
    "#define IDR_LNG_GERMAN                  249\r\n"
    "#endif\r\n";

}  // namespace

TEST(NameTable, NamesAndNumbersOfDefineLines) {
  zv::NameTable table;
  table.Parse(kHeader);
  EXPECT_EQ(table.NumberOf(u"IDR_LNG_ENGLISH"), 250);
  EXPECT_EQ(table.NumberOf(u"idr_lng_english"), 250);
  EXPECT_EQ(table.NumberOf(u"IDC_PADDED"), 1001);
  EXPECT_EQ(table.NumberOf(u"_APS_NEXT_RESOURCE_VALUE"), 333);
  EXPECT_EQ(table.NumberOf(u"IDR_LNG_KLINGON"), -1);
  EXPECT_EQ(table.NameOf(250), u"IDR_LNG_ENGLISH");
  EXPECT_EQ(table.NameOf(12345), u"");
}

TEST(NameTable, LaterLinesWin) {
  zv::NameTable table;
  table.Parse(kHeader);
  EXPECT_EQ(table.NumberOf(u"IDR_LNG_GERMAN"), 249);
  EXPECT_EQ(table.NameOf(32771), u"IDM_OLD_NAME");
  EXPECT_EQ(table.NameOf(248), u"IDR_LNG_GERMAN");
}

TEST(NameTable, TabSeparatedLineHasNoName) {
  zv::NameTable table;
  table.Parse(kHeader);
  EXPECT_EQ(table.NumberOf(u"IDR_SHIELD"), -1);
  EXPECT_EQ(table.NameOf(300), u"");
  bool found = false;
  for (const auto& entry : table.Entries())
    if (entry.name.empty() && entry.number == 0) found = true;
  EXPECT_TRUE(found);
}

TEST(NameTable, ParsingAgainReplacesTheTable) {
  zv::NameTable table;
  table.Parse(kHeader);
  table.Parse("#define IDD_ONLY 5\n");
  EXPECT_EQ(table.NumberOf(u"IDR_LNG_ENGLISH"), -1);
  EXPECT_EQ(table.NumberOf(u"IDD_ONLY"), 5);
  EXPECT_EQ(table.Entries().size(), 1u);
}

TEST(NameTable, LanguageTableAnswersThroughItsNameTable) {
  LanguageTable language;
  language.LoadNameTable(kHeader);
  EXPECT_EQ(language.NumberOfName(u"IDM_DATEI_OEFFNEN"), 32771);
  EXPECT_EQ(language.NameOfNumber(250), u"IDR_LNG_ENGLISH");
}
