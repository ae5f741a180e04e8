// Document files: encodings found and written, and the events they log.
#include "playlist/XmlDocument.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using zv::XmlDocument;

namespace {

class MemoryXmlFiles : public zv::XmlFileSystem {
 public:
  std::map<std::u16string, std::vector<uint8_t>> files;
  size_t maxBytes = 0;

  ReadResult Read(const std::u16string& path, size_t limit, std::vector<uint8_t>& bytes,
                  std::u16string& error) override {
    maxBytes = limit;
    auto it = files.find(path);
    if (it == files.end()) {
      error = u"The system cannot find the file specified.";
      return ReadResult::Failed;
    }
    if (it->second.size() > limit) return ReadResult::TooLarge;
    bytes = it->second;
    return ReadResult::Ok;
  }
  bool Write(const std::u16string& path, const std::vector<uint8_t>& bytes, std::u16string& error) override {
    if (path.find(u"readonly") != std::u16string::npos) {
      error = u"Access is denied.";
      return false;
    }
    files[path] = bytes;
    return true;
  }
  const zv::XmlCodePage& AnsiCodePage() const override { return zv::Windows1252CodePage(); }
};

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

bool Logged(const XmlDocument& doc, std::u16string_view event) {
  return doc.ResultLog().find(u"<" + std::u16string(event) + u" ") != std::u16string::npos ||
         doc.ResultLog().find(u"<" + std::u16string(event) + u"/>") != std::u16string::npos;
}

// The text "<a>ä€😀</a>" in each encoding the reader knows.
const std::u16string kText = u"<a>\u00E4\u20AC\U0001F600</a>";

}  // namespace

TEST(XmlFile, EveryEncodingReadsToTheSameText) {
  MemoryXmlFiles files;
  const std::string utf8 = "<a>\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80</a>";
  files.files[u"plain8"] = Bytes(utf8);
  files.files[u"bom8"] = Bytes("\xEF\xBB\xBF" + utf8);
  std::vector<uint8_t> le = Bytes({0xFF, 0xFE}), be = Bytes({0xFE, 0xFF});
  std::vector<uint8_t> le32 = Bytes({0xFF, 0xFE, 0, 0}), be32 = Bytes({0, 0, 0xFE, 0xFF});
  for (char16_t c : kText) {
    le.insert(le.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
    be.insert(be.end(), {static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
  }
  for (uint32_t cp : {0x3Cu, 0x61u, 0x3Eu, 0xE4u, 0x20ACu, 0x1F600u, 0x3Cu, 0x2Fu, 0x61u, 0x3Eu}) {
    le32.insert(le32.end(), {uint8_t(cp), uint8_t(cp >> 8), uint8_t(cp >> 16), uint8_t(cp >> 24)});
    be32.insert(be32.end(), {uint8_t(cp >> 24), uint8_t(cp >> 16), uint8_t(cp >> 8), uint8_t(cp)});
  }
  files.files[u"le"] = le;
  files.files[u"be"] = be;
  files.files[u"le32"] = le32;
  files.files[u"be32"] = be32;
  // Without marks: recognised by the zero bytes around "<".
  files.files[u"le-nomark"] = std::vector<uint8_t>(le.begin() + 2, le.end());
  files.files[u"be-nomark"] = std::vector<uint8_t>(be.begin() + 2, be.end());
  files.files[u"le32-nomark"] = std::vector<uint8_t>(le32.begin() + 4, le32.end());
  files.files[u"be32-nomark"] = std::vector<uint8_t>(be32.begin() + 4, be32.end());
  struct Case {
    const char16_t* path;
    const char16_t* read;
  };
  for (Case c : {Case{u"plain8", u"<read encoding=\"UTF-8\" length=\"16\"/><utf8_detection encoding=\"UTF-8\"/>"},
                 Case{u"bom8", u"<read encoding=\"UTF-8\" length=\"19\"/><converted_from"},
                 Case{u"le", u"<read encoding=\"UTF-16LE\" length=\"24\"/>"},
                 Case{u"be", u"<read encoding=\"UTF-16BE\" length=\"24\"/><endian_swap encoding=\"UTF-16BE\"/>"},
                 Case{u"le32", u"<read encoding=\"UTF-32LE\" length=\"44\"/><converted_from"},
                 Case{u"be32", u"<read encoding=\"UTF-32BE\" length=\"44\"/><endian_swap"},
                 Case{u"le-nomark", u"<read encoding=\"UTF-16LE\""}, Case{u"be-nomark", u"<read encoding=\"UTF-16BE\""},
                 Case{u"le32-nomark", u"<read encoding=\"UTF-32LE\""},
                 Case{u"be32-nomark", u"<read encoding=\"UTF-32BE\""}}) {
    SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
    XmlDocument doc;
    ASSERT_TRUE(doc.ReadFile(c.path, files));
    EXPECT_EQ(doc.Document(), kText);
    EXPECT_EQ(doc.ResultLog().rfind(c.read, 0), 0u) << std::string(doc.ResultLog().begin(), doc.ResultLog().end());
    EXPECT_FALSE(Logged(doc, u"conversion_loss"));
    ASSERT_TRUE(doc.FindElement(u"a"));
  }
}

TEST(XmlFile, BytesThatAreNotUtf8AreReadInTheAnsiCodePage) {
  MemoryXmlFiles files;
  files.files[u"ansi"] = Bytes("<a>M\xFCller \x80 5</a>");
  XmlDocument doc;
  ASSERT_TRUE(doc.ReadFile(u"ansi", files));
  EXPECT_EQ(doc.Document(), u"<a>M\u00FCller \u20AC 5</a>");
  EXPECT_NE(doc.ResultLog().find(u"<utf8_detection encoding=\"windows-1252\" offset=\"4\"/>"), std::u16string::npos);
  EXPECT_NE(doc.ResultLog().find(u"<converted_from encoding=\"windows-1252\" length=\"17\"/>"), std::u16string::npos);
}

TEST(XmlFile, DamagedUnitsAreReplacedAndNullsRemovedWithTheirCounts) {
  MemoryXmlFiles files;
  files.files[u"bad8"] = Bytes("\xEF\xBB\xBF<a>x\xC3(\xED\xA0\x80y</a>");
  files.files[u"nulls"] = Bytes({0xFF, 0xFE, '<', 0, 'a', 0, '/', 0, 0, 0, '>', 0, 0, 0, 0x41});
  XmlDocument doc;
  ASSERT_TRUE(doc.ReadFile(u"bad8", files));
  EXPECT_EQ(doc.Document(), u"<a>x\uFFFD(\uFFFDy</a>");
  EXPECT_NE(doc.ResultLog().find(u"<conversion_loss encoding=\"UTF-8\" count=\"2\"/>"), std::u16string::npos);
  ASSERT_TRUE(doc.ReadFile(u"nulls", files));
  EXPECT_EQ(doc.Document(), u"<a/>\uFFFD");
  EXPECT_NE(doc.ResultLog().find(u"<conversion_loss encoding=\"UTF-16LE\" count=\"1\"/>"), std::u16string::npos);
  EXPECT_NE(doc.ResultLog().find(u"<nulls_removed count=\"2\"/>"), std::u16string::npos);
}

TEST(XmlFile, FileEventsComeBeforeTheParsersAndErrorsCarryTheSystemText) {
  MemoryXmlFiles files;
  files.files[u"broken"] = Bytes("<a><b></a>");
  XmlDocument doc;
  ASSERT_TRUE(doc.ReadFile(u"broken", files));
  EXPECT_FALSE(doc.IsWellFormed());
  const std::u16string& log = doc.ResultLog();
  EXPECT_LT(log.find(u"<read "), log.find(u"<unended_start_tag "));
  EXPECT_FALSE(doc.ReadFile(u"missing", files));
  EXPECT_EQ(doc.ResultLog(), u"<file_error type=\"read\" msg=\"The system cannot find the file specified.\"/>");
  EXPECT_EQ(doc.Document(), u"");
  EXPECT_EQ(files.maxBytes, XmlDocument::kMaxLength);
  files.maxBytes = 0;
  EXPECT_FALSE(doc.WriteFile(u"readonly", files));
  EXPECT_TRUE(Logged(doc, u"file_error"));
  EXPECT_NE(doc.ResultLog().find(u"msg=\"Access is denied.\""), std::u16string::npos);
}

TEST(XmlFile, WritingFollowsTheDeclaredEncodingAndReadsBackTheSameText) {
  MemoryXmlFiles files;
  struct Case {
    const char16_t* declared;
    std::vector<uint8_t> start;
  };
  const Case cases[] = {{u"UTF-8", Bytes("<?xml")},
                        {u"utf-16", Bytes({0xFF, 0xFE, '<', 0})},
                        {u"UTF-16BE", Bytes({0xFE, 0xFF, 0, '<'})},
                        {u"UTF-32", Bytes({0xFF, 0xFE, 0, 0, '<', 0, 0, 0})},
                        {u"utf_32be", Bytes({0, 0, 0xFE, 0xFF, 0, 0, 0, '<'})}};
  for (const Case& c : cases) {
    const std::u16string declared = c.declared;
    SCOPED_TRACE(std::string(declared.begin(), declared.end()));
    XmlDocument doc;
    const std::u16string text = u"<?xml version=\"1.0\" encoding=\"" + declared + u"\"?>\r\n" + kText;
    doc.SetDocument(text);
    ASSERT_TRUE(doc.WriteFile(u"out", files));
    EXPECT_NE(doc.ResultLog().find(u"<write encoding=\""), std::u16string::npos);
    const std::vector<uint8_t>& bytes = files.files[u"out"];
    ASSERT_GE(bytes.size(), c.start.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + c.start.size()), c.start);
    XmlDocument back;
    ASSERT_TRUE(back.ReadFile(u"out", files));
    EXPECT_EQ(back.Document(), text);
  }
}

TEST(XmlFile, WritingInTheAnsiCodePageCountsWhatItCannotHold) {
  MemoryXmlFiles files;
  XmlDocument doc;
  doc.SetDocument(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\u00E4\u20AC\u0416\U0001F600</a>");
  ASSERT_TRUE(doc.WriteFile(u"ansi", files));
  const std::vector<uint8_t>& bytes = files.files[u"ansi"];
  const std::string tail(bytes.end() - 8, bytes.end());
  EXPECT_EQ(tail, "\xE4\x80?" "?</a>");
  EXPECT_NE(doc.ResultLog().find(u"<write encoding=\"windows-1252\""), std::u16string::npos);
  EXPECT_NE(doc.ResultLog().find(u"<conversion_loss encoding=\"windows-1252\" count=\"2\"/>"), std::u16string::npos);
  // An explicit encoding wins over the declared one.
  ASSERT_TRUE(doc.WriteFile(u"utf8", files, u"UTF-8"));
  XmlDocument back;
  ASSERT_TRUE(back.ReadFile(u"utf8", files));
  EXPECT_EQ(back.Document(), doc.Document());
}

TEST(XmlFile, LoneSurrogatesAreLostOnlyWhereTheEncodingCannotHoldThem) {
  MemoryXmlFiles files;
  XmlDocument doc;
  doc.SetDocument(std::u16string(u"<a>") + char16_t(0xD800) + u"x" + char16_t(0xDC00) + u"</a>");
  ASSERT_TRUE(doc.WriteFile(u"16", files, u"UTF-16"));
  EXPECT_FALSE(Logged(doc, u"conversion_loss"));
  XmlDocument back;
  ASSERT_TRUE(back.ReadFile(u"16", files));
  EXPECT_EQ(back.Document(), doc.Document());
  ASSERT_TRUE(doc.WriteFile(u"8", files, u"UTF-8"));
  EXPECT_NE(doc.ResultLog().find(u"<conversion_loss encoding=\"UTF-8\" count=\"2\"/>"), std::u16string::npos);
  ASSERT_TRUE(back.ReadFile(u"8", files));
  EXPECT_EQ(back.Document(), u"<a>\uFFFDx\uFFFD</a>");
}
