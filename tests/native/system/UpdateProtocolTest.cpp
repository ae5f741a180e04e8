#include "system/UpdateProtocol.h"

#include <gtest/gtest.h>

#include <string>

using zv::HistoryRow;
using zv::ParseHistory;
using zv::ParseVersionInfo;

TEST(UpdateVersion, TextHasPointsNoBlanksAndBeta) {
  EXPECT_EQ(zv::UpdateVersionText(u"1, 3, 1, 9"), u"1.3.1.9\u03B2");
  EXPECT_EQ(zv::UpdateVersionText(u""), u"\u03B2");
}

TEST(UpdateVersion, NumbersCompareAsDigitStringsWithoutPoints) {
  EXPECT_FALSE(zv::IsNewerVersion(u"1.3.1.9", u"1.3.1.9\u03B2"));
  EXPECT_TRUE(zv::IsNewerVersion(u"1.3.2.0", u"1.3.1.9\u03B2"));
  // 13100 against 1400: the digits decide, not the parts.
  EXPECT_TRUE(zv::IsNewerVersion(u"1.3.10.0", u"1.4.0.0"));
  EXPECT_FALSE(zv::IsNewerVersion(u"1.4.0.0", u"1.3.10.0"));
  // Leading zeros and trailing text do not count; no overflow on long numbers.
  EXPECT_FALSE(zv::IsNewerVersion(u"0001.3.1.9 beta", u"1.3.1.9"));
  EXPECT_TRUE(zv::IsNewerVersion(u"99999999999999999999999.1", u"99999999999999999999999.0"));
  EXPECT_FALSE(zv::IsNewerVersion(u"abc", u"0"));
  EXPECT_EQ(zv::VersionDigits(u"1.3.10.0"), u"13100");
}

TEST(UpdateVersionInfo, ReadsTwoLinesWithCarriageReturns) {
  const zv::VersionInfo info = ParseVersionInfo("1.3.2.0\r\nzentravue-1320.exe\r\n", true);
  ASSERT_TRUE(info.newestVersion);
  ASSERT_TRUE(info.downloadObject);
  EXPECT_EQ(*info.newestVersion, u"1.3.2.0");
  EXPECT_EQ(*info.downloadObject, u"zentravue-1320.exe");
}

TEST(UpdateVersionInfo, MissingAndDamagedLines) {
  EXPECT_FALSE(ParseVersionInfo("", true).newestVersion);
  // One line only: the version, but no download path.
  zv::VersionInfo one = ParseVersionInfo("1.3.2.0", true);
  EXPECT_TRUE(one.newestVersion);
  EXPECT_FALSE(one.downloadObject);
  // A line cut off by the read limit does not count.
  EXPECT_FALSE(ParseVersionInfo("1.3.2.0", false).newestVersion);
  EXPECT_FALSE(ParseVersionInfo("1.3.2.0\nzentravue.e", false).downloadObject);
  // Binary data and a first line that is no version.
  EXPECT_FALSE(ParseVersionInfo(std::string("1.3\0.2\n", 7), true).newestVersion);
  EXPECT_FALSE(ParseVersionInfo("\x89PNG\r\n\x1a\n", true).newestVersion);
  EXPECT_FALSE(ParseVersionInfo("<html>\n", true).newestVersion);
  // A line longer than the limit counts as missing.
  const std::string longLine(zv::kMaxVersionInfoLine + 1, '1');
  EXPECT_FALSE(ParseVersionInfo(longLine + "\nfile.exe\n", true).newestVersion);
}

TEST(UpdateVersionInfo, DownloadMustBeAPlainNameOnTheSameServer) {
  for (const char* bad : {"http://elsewhere.example/evil.exe", "/etc/passwd", "../up.exe", "a b.exe", "a\\b.exe",
                          "dir/../../x.exe"}) {
    EXPECT_FALSE(ParseVersionInfo(std::string("2.0\n") + bad + "\n", true).downloadObject) << bad;
  }
  EXPECT_TRUE(ParseVersionInfo("2.0\nbuilds/zentravue-2.0.exe\n", true).downloadObject);
  EXPECT_FALSE(zv::IsPlainObjectName(std::u16string(zv::kMaxObjectName + 1, u'a')));
}

TEST(UpdateHistory, GroupsOfThreeAndAnUnfinishedLastGroup) {
  const std::vector<HistoryRow> rows = ParseHistory("1.3.2.0\r\nFix\r\nCrash on exit\r\n1.3.1.9\r\nNew\r\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].build, u"1.3.2.0");
  EXPECT_EQ(rows[0].type, u"Fix");
  EXPECT_EQ(rows[0].details, u"Crash on exit");
  EXPECT_EQ(rows[1].build, u"1.3.1.9");
  EXPECT_EQ(rows[1].type, u"New");
  EXPECT_EQ(rows[1].details, u"");
}

TEST(UpdateHistory, GarbageIsCleanedAndBounded) {
  std::string body = "a\x01\x02" "b\n\xC3\xA4\xFF\n";
  body += std::string(5000, 'x') + "\n";
  const std::vector<HistoryRow> rows = ParseHistory(body);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].build, u"ab");
  EXPECT_EQ(rows[0].type, u"\u00E4\u00FF");  // a stray byte is read as Latin-1
  EXPECT_EQ(rows[0].details.size(), zv::kMaxHistoryText);

  std::string many;
  for (int i = 0; i < 3 * 2000; ++i) many += "l\n";
  EXPECT_EQ(ParseHistory(many).size(), zv::kMaxHistoryRows);
}

TEST(UpdateServer, HostPortAndBasePath) {
  auto plain = zv::ParseServerAddress(u"update.example.org");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->host, u"update.example.org");
  EXPECT_EQ(plain->port, 80);
  EXPECT_EQ(plain->basePath, u"/");
  auto full = zv::ParseServerAddress(u" 127.0.0.1:8080/case/7\n");
  ASSERT_TRUE(full);
  EXPECT_EQ(full->host, u"127.0.0.1");
  EXPECT_EQ(full->port, 8080);
  EXPECT_EQ(full->basePath, u"/case/7/");
  for (const char16_t* bad : {u"", u":80", u"host:0", u"host:65536", u"host:8x", u"ho st", u"host/a b",
                              u"host/../x", u"user@host"}) {
    EXPECT_FALSE(zv::ParseServerAddress(bad));
  }
}

TEST(UpdateObjects, NamesOfTheExchange) {
  EXPECT_EQ(zv::VersionInfoObject(u"X64"), u"versioninfo_zentravueX64");
  EXPECT_EQ(zv::HistoryObject(u"English", u"1.3.0.0\u03B2"),
            u"zentravue_update_history.php?lang=English&version=1.3.0.0%CE%B2");
  EXPECT_EQ(zv::HistoryObject(u"a&b=c", u"1"), u"zentravue_update_history.php?lang=a%26b%3Dc&version=1");
  EXPECT_EQ(zv::SignatureObject(u"z.exe"), u"z.exe.sig");
}

TEST(UpdateMessages, PlaceholdersAreFilledInOrderAndNeverOverRead) {
  EXPECT_EQ(zv::FillPlaceholders(u"%i bytes of %i bytes", {u"10", u"20"}), u"10 bytes of 20 bytes");
  EXPECT_EQ(zv::FillPlaceholders(u"100%% %s %s %s %n", {u"a"}), u"100% a   %n");
  EXPECT_EQ(zv::NumberText(0), u"0");
  EXPECT_EQ(zv::NumberText(67108864), u"67108864");
}

TEST(UpdateMessages, FileErrorReasons) {
  EXPECT_EQ(zv::FileErrorReason(2), u"The file could not be located.");
  EXPECT_EQ(zv::FileErrorReason(11), u"SHARE.EXE was not loaded, or a shared region was locked.");
  EXPECT_EQ(zv::FileErrorReason(1), u"Unknown error occured.");
  EXPECT_EQ(zv::FileErrorReason(99), u"Unknown error occured.");
}
