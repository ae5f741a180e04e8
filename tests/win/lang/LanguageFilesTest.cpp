// Languages from the program's resources and from files beside it, and the
// byte-order-mark aware text file.
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/StdioFileEx.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  zv::ReadWholeFile(path, bytes);
  return bytes;
}

std::string Utf16Le(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

TEST(LanguageResources, NameTableComesFromTheResourceHeader) {
  LanguageTable language;
  ASSERT_TRUE(zv::LoadNameTableResource(language));
  EXPECT_EQ(language.NumberOfName(u"IDR_LNG_ENGLISH"), 250);
  EXPECT_EQ(language.NumberOfName(u"idd_debug"), 105);
  EXPECT_EQ(language.NameOfNumber(248), u"IDR_LNG_GERMAN");
  EXPECT_EQ(language.NumberOfName(u"IDR_NOTHING"), -1);
}

TEST(LanguageResources, BuiltInLanguagesLoadByNumberAndMissingOnesFail) {
  LanguageTable language;
  ASSERT_EQ(zv::LoadBuiltInLanguage(language, 250), S_OK);
  EXPECT_EQ(language.LoadedSource(), LanguageTable::kBuiltIn);
  EXPECT_EQ(language.Text(u"File", u"Language"), u"English");
  EXPECT_FALSE(language.Message(u"SECONDS").empty());
  for (int missing : {276, 277, 323, 0, -1, 70000}) {
    EXPECT_EQ(zv::LoadBuiltInLanguage(language, missing), E_FAIL) << missing;
  }
  EXPECT_EQ(language.ResourceId(), 250);
  ASSERT_EQ(zv::LoadBuiltInLanguage(language, 248), S_OK);
  EXPECT_EQ(language.Text(u"File", u"Language"), u"Deutsch");
}

TEST(LanguageFiles, ARelativeNameIsReadFromTheProgramFolderAndAFullPathAsItIs) {
  const std::wstring name = L"lang-test-utf16.lng";
  const std::wstring path = zvtest::ExeFolder() + name;
  WriteFileBytes(path, "\xFF\xFE" + Utf16Le(u"[File]\r\nLanguage=Klingon\r\n[Code]\r\nSECONDS=A\\tB"));
  LanguageTable language;
  ASSERT_EQ(zv::LoadLanguageFile(language, name), S_OK);
  EXPECT_EQ(language.LoadedSource(), LanguageTable::kFile);
  EXPECT_EQ(language.FileName(), u"lang-test-utf16.lng");
  EXPECT_EQ(language.Message(u"seconds"), u"A\tB");
  LanguageTable again;
  ASSERT_EQ(zv::LoadLanguageFile(again, path), S_OK);
  EXPECT_EQ(again.Text(u"FILE", u"language"), u"Klingon");
  DeleteFileW(path.c_str());
}

TEST(LanguageFiles, MalformedOrMissingFilesFailWithoutHarm) {
  const std::wstring folder = zvtest::ExeFolder();
  const struct {
    const wchar_t* name;
    std::string bytes;
  } cases[] = {
      {L"lang-empty.lng", ""},
      {L"lang-garbage.lng", std::string("\x00\xC0\xFF\xFE\x80\x81 no section here", 26)},
      {L"lang-oddutf16.lng", std::string("\xFF\xFEx\x00[", 5)},
      {L"lang-nul.lng", std::string("\0[File]\r\nLanguage=X", 19)},
  };
  LanguageTable language;
  ASSERT_EQ(zv::LoadBuiltInLanguage(language, 250), S_OK);
  for (const auto& c : cases) {
    WriteFileBytes(folder + c.name, c.bytes);
    EXPECT_EQ(zv::LoadLanguageFile(language, c.name), E_FAIL) << fw::WideToUtf8(c.name);
    DeleteFileW((folder + c.name).c_str());
  }
  EXPECT_EQ(zv::LoadLanguageFile(language, L"lang-not-there.lng"), E_FAIL);
  EXPECT_EQ(zv::LoadLanguageFile(language, L""), E_FAIL);
  EXPECT_EQ(language.LoadedSource(), LanguageTable::kBuiltIn) << "a failed load keeps the loaded language";
  EXPECT_EQ(language.Text(u"File", u"Language"), u"English");
}

TEST(StdioFileEx, UnicodeFilesGetTheMarkAndReadBackLineByLine) {
  const std::wstring path = zvtest::ExeFolder() + L"stdio-unicode.txt";
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | CStdioFileEx::typeText |
                                    CStdioFileEx::modeWriteUnicode));
    EXPECT_EQ(file.OpenFlags() & CStdioFileEx::typeText, 0u);
    EXPECT_TRUE(file.WriteString(L"Grüße\r\n"));
    EXPECT_TRUE(file.WriteString(L"zwei"));
  }
  EXPECT_EQ(FileBytes(path), "\xFF\xFE" + Utf16Le(u"Grüße\r\nzwei"));
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead | CStdioFileEx::typeText));
  EXPECT_TRUE(file.IsUnicode());
  std::wstring line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"Grüße");
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"zwei") << "the last line needs no line end";
  EXPECT_FALSE(file.ReadString(line));
  file.Close();
  DeleteFileW(path.c_str());
}

TEST(StdioFileEx, Utf8CodePageWritesItsMarkAndSkipsOnlyAMarkThatIsThere) {
  const std::wstring path = zvtest::ExeFolder() + L"stdio-utf8.txt";
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    file.SetCodePage(CP_UTF8);
    EXPECT_TRUE(file.WriteString(L"é\n"));
  }
  EXPECT_EQ(FileBytes(path), "\xEF\xBB\xBF\xC3\xA9\n");
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead));
    EXPECT_FALSE(file.IsUnicode());
    file.SetCodePage(CP_UTF8);
    std::wstring line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, L"é");
  }
  WriteFileBytes(path, "abc\r\ndef");
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead));
  file.SetCodePage(CP_UTF8);
  std::wstring line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"abc") << "a file without a mark keeps its first characters";
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"def");
  file.Close();
  DeleteFileW(path.c_str());
}
