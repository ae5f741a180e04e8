// Document files on the disk of the Wine prefix: encodings written and read
// back, the system's ANSI code page, and the system's error texts.
#include "playlist/XmlDocument.h"
#include "playlist/XmlFiles.h"

#include <gtest/gtest.h>

#include "framework/WideString.h"
#include "tests/win/playlist/PlaylistTestSupport.h"

using zvtest::FileBytes;
using zvtest::PutFile;
using zvtest::TempFolder;

namespace {

std::u16string U16(const std::wstring& path) { return fw::ToU16(path); }

bool Contains(const std::u16string& log, std::u16string_view part) { return log.find(part) != std::u16string::npos; }

}  // namespace

TEST(XmlFiles, DocumentWrittenInItsEncodingReadsBackFromDisk) {
  TempFolder folder;
  CXmlFiles files;
  zv::XmlDocument doc;
  const std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-16BE\"?>\r\n<list><m>\u00E4 \u20AC \U0001F600</m></list>";
  doc.SetDocument(text);
  ASSERT_TRUE(doc.WriteFile(U16(folder / L"be.xml"), files));
  EXPECT_TRUE(Contains(doc.ResultLog(), u"<write encoding=\"UTF-16BE\""));
  EXPECT_EQ(FileBytes(folder / L"be.xml").substr(0, 4), std::string("\xFE\xFF\0<", 4));
  zv::XmlDocument back;
  ASSERT_TRUE(back.ReadFile(U16(folder / L"be.xml"), files));
  EXPECT_EQ(back.Document(), text);
  EXPECT_TRUE(Contains(back.ResultLog(), u"<read encoding=\"UTF-16BE\""));
  ASSERT_TRUE(back.FindElement(u"list"));
  ASSERT_TRUE(back.FindChildElement(u"m"));
  EXPECT_EQ(back.ChildData(), u"\u00E4 \u20AC \U0001F600");
}

TEST(XmlFiles, BytesThatAreNotUtf8AreReadInTheSystemCodePage) {
  TempFolder folder;
  CXmlFiles files;
  const std::u16string page = files.AnsiCodePage().Name();
  EXPECT_EQ(page, fw::ToU16(L"windows-" + std::to_wstring(GetACP())));
  // "ä" in every western code page; the system converts, not a table of ours.
  PutFile(folder / L"ansi.xml", "<a>\xE4</a>");
  wchar_t expected[4] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xE4", 1, expected, 4), 1);
  zv::XmlDocument doc;
  ASSERT_TRUE(doc.ReadFile(U16(folder / L"ansi.xml"), files));
  EXPECT_EQ(doc.Document(), u"<a>" + std::u16string(1, static_cast<char16_t>(expected[0])) + u"</a>");
  EXPECT_TRUE(Contains(doc.ResultLog(), u"<utf8_detection encoding=\"" + page + u"\" offset=\"3\"/>"));

  // Written back in the code page, a character outside it is counted lost.
  doc.SetDocument(u"<a>\u00E4\u0416</a>");
  ASSERT_TRUE(doc.WriteFile(U16(folder / L"out.xml"), files, page));
  EXPECT_EQ(FileBytes(folder / L"out.xml"), "<a>\xE4?</a>");
  EXPECT_TRUE(Contains(doc.ResultLog(), u"<conversion_loss encoding=\"" + page + u"\" count=\"1\"/>"));
}

TEST(XmlFiles, FailuresCarryTheSystemsMessage) {
  TempFolder folder;
  CXmlFiles files;
  zv::XmlDocument doc;
  EXPECT_FALSE(doc.ReadFile(U16(folder / L"missing.xml"), files));
  const std::u16string& log = doc.ResultLog();
  ASSERT_EQ(log.rfind(u"<file_error type=\"read\" msg=\"", 0), 0u) << std::string(log.begin(), log.end());
  EXPECT_FALSE(Contains(log, u"msg=\"\"")) << "the system has a text for it";
  EXPECT_FALSE(Contains(log, u"msg=\"error ")) << "the system has a text for it";
  doc.SetDocument(u"<a/>");
  EXPECT_FALSE(doc.WriteFile(U16(folder / L"no folder\\a.xml"), files));
  EXPECT_EQ(doc.ResultLog().rfind(u"<file_error type=\"write\" msg=\"", 0), 0u);
}
