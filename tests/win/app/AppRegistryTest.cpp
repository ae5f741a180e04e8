// The registry side of the settings and the language choice, against the
// real registry of the test prefix.
#include "app/CmdLineInfo.h"
#include "app/LanguageAtStart.h"
#include "app/ProductName.h"
#include "app/RegistryLanguageChoice.h"
#include "app/WinRegistry.h"
#include "app/WinSettingsHost.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kScratch = L"Software\\Ostrel-Software\\ScratchForTests";

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    ASSERT_TRUE(key_.Create(HKEY_CURRENT_USER, kScratch));
  }
  void TearDown() override {
    key_.Close();
    zvtest::DeleteProgramRegistry();
  }
  void Raw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(RegSetValueExW(RawKey(), name, 0, type,
                             static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
  }
  HKEY RawKey() {
    if (!raw_) RegOpenKeyExW(HKEY_CURRENT_USER, kScratch.c_str(), 0, KEY_ALL_ACCESS, &raw_);
    return raw_;
  }
  ~RegistryTest() override {
    if (raw_) RegCloseKey(raw_);
  }

  zv::WinRegistryKey key_;
  HKEY raw_ = nullptr;
};

void WriteSettingsRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (zv::ProductKey() + L"\\Settings").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(key);
}

}  // namespace

TEST(ProductName, NativeSixtyFourBitProcessUsesTheX64Names) {
  EXPECT_EQ(zv::SuffixFor(PROCESSOR_ARCHITECTURE_AMD64, true, false), L"X64");
  EXPECT_EQ(zv::SuffixFor(PROCESSOR_ARCHITECTURE_AMD64, true, true), L"");
  EXPECT_EQ(zv::SuffixFor(PROCESSOR_ARCHITECTURE_AMD64, false, false), L"");
  EXPECT_EQ(zv::SuffixFor(PROCESSOR_ARCHITECTURE_INTEL, true, false), L"");
  // This build is native 64-bit and the platform reports AMD64 without emulation.
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  ASSERT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
  EXPECT_EQ(zv::ProductKeySuffix(), L"X64");
  EXPECT_EQ(zv::AppName(), L"ZentravueX64");
  EXPECT_EQ(zv::ProductKey(), L"Software\\Ostrel-Software\\Zentra-VueX64");
}

TEST_F(RegistryTest, StringReadsAcceptOnlyTerminatedEvenLengthStringsThatFit) {
  const wchar_t good[] = L"abc";
  Raw(L"sz", REG_SZ, good, sizeof good);
  Raw(L"expand", REG_EXPAND_SZ, good, sizeof good);
  Raw(L"binary", REG_BINARY, good, sizeof good);
  Raw(L"odd", REG_SZ, good, sizeof good - 1);
  // The platform adds a forgotten terminator when one follows the counted
  // characters; this one has none after them.
  const wchar_t noTerminator[] = L"abcd";
  Raw(L"unterminated", REG_SZ, noTerminator, 3 * sizeof(wchar_t));
  const std::wstring fits(259, L'x');
  const std::wstring tooLong(260, L'x');
  Raw(L"fits", REG_SZ, fits.c_str(), static_cast<DWORD>((fits.size() + 1) * 2));
  Raw(L"toolong", REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2));
  const DWORD number = 5;
  Raw(L"dword", REG_DWORD, &number, sizeof number);

  EXPECT_EQ(key_.ReadString(L"sz"), std::optional<std::wstring>(L"abc"));
  EXPECT_EQ(key_.ReadString(L"expand"), std::optional<std::wstring>(L"abc"));
  EXPECT_EQ(key_.ReadString(L"fits"), std::optional<std::wstring>(fits));
  for (const wchar_t* name : {L"binary", L"odd", L"unterminated", L"toolong", L"dword"}) {
    LONG error = 0;
    EXPECT_EQ(key_.ReadString(name, zv::kMaxSettingChars, &error), std::nullopt) << name;
    EXPECT_EQ(error, ERROR_INVALID_DATA) << name;
  }
  LONG error = 0;
  EXPECT_EQ(key_.ReadString(L"missing", zv::kMaxSettingChars, &error), std::nullopt);
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DwordReadsAcceptOnlyFourByteDwords) {
  const DWORD number = 0x01020304;
  const ULONGLONG wide = 7;
  Raw(L"dword", REG_DWORD, &number, sizeof number);
  Raw(L"short", REG_DWORD, &number, 3);
  Raw(L"qword", REG_QWORD, &wide, sizeof wide);
  Raw(L"text", REG_SZ, L"7", 4);
  EXPECT_EQ(key_.ReadDword(L"dword"), std::optional<uint32_t>(0x01020304));
  EXPECT_EQ(key_.ReadDword(L"short"), std::nullopt);
  EXPECT_EQ(key_.ReadDword(L"qword"), std::nullopt);
  EXPECT_EQ(key_.ReadDword(L"text"), std::nullopt);
  EXPECT_EQ(key_.ReadDword(L"missing"), std::nullopt);
}

TEST_F(RegistryTest, WritesStoreStringsWithTerminatorAndDwords) {
  ASSERT_TRUE(key_.WriteString(L"s", L"hi"));
  ASSERT_TRUE(key_.WriteDword(L"d", 0xFFFFFFFF));
  DWORD type = 0, bytes = 0;
  ASSERT_EQ(RegQueryValueExW(RawKey(), L"s", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, 6u);
  EXPECT_EQ(key_.ReadDword(L"d"), std::optional<uint32_t>(0xFFFFFFFF));
  EXPECT_TRUE(zv::WinRegistryKey::DeleteTree(HKEY_CURRENT_USER, kScratch));
  zv::WinRegistryKey gone;
  EXPECT_FALSE(gone.Open(HKEY_CURRENT_USER, kScratch));
  EXPECT_FALSE(zv::WinRegistryKey::DeleteTree(HKEY_CURRENT_USER, kScratch));
}

TEST(SettingsInRegistry, ValuesOfTheWrongShapeKeepTheirDefaults) {
  zvtest::DeleteProgramRegistry();
  WriteSettingsRaw(L"Volume", REG_SZ, L"7500", 10);
  const DWORD balance = 10500;
  WriteSettingsRaw(L"Balance", REG_DWORD, &balance, sizeof balance);
  WriteSettingsRaw(L"VideoRenderer", REG_BINARY, L"VMR9", 10);
  WriteSettingsRaw(L"DisplayDevice", REG_SZ, L"odd", 5);
  const std::wstring tooLong(300, L'd');
  WriteSettingsRaw(L"DisplayDeviceStartup", REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2));
  WriteSettingsRaw(L"ScreenshotFileType", REG_SZ, L"JPG", 8);
  const ULONGLONG wide = 0;
  WriteSettingsRaw(L"TitleBar", REG_QWORD, &wide, sizeof wide);
  WriteSettingsRaw(L"PlaylistDirTree", REG_EXPAND_SZ, L"C:\\lists", 18);

  zv::WinSettingsHost host;
  {
    auto settings = zv::CreateGlobalSettings(host);
    EXPECT_EQ(settings->Volume, 0);
    EXPECT_EQ(settings->Balance, 500);
    EXPECT_EQ(settings->VideoRenderer, u"Current");
    EXPECT_EQ(settings->DisplayDevice, u"Current");
    EXPECT_EQ(settings->DisplayDeviceStartup, u"Current");
    EXPECT_EQ(settings->ScreenshotFileType, u"jpg");
    EXPECT_EQ(settings->TitleBar, 1);
    EXPECT_EQ(settings->PlaylistDirTree, u"C:\\lists");
    settings->Volume = -2500;
  }
  // Saved by the destructor of the persistent object.
  zv::WinRegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, zv::ProductKey() + L"\\Settings"));
  EXPECT_EQ(key.ReadDword(L"Volume"), std::optional<uint32_t>(7500));
  EXPECT_EQ(key.ReadDword(L"Balance"), std::optional<uint32_t>(10500));
  zvtest::DeleteProgramRegistry();
}

TEST(SettingsInRegistry, ScreenshotDirectoryFallsBackToTheProgramFolder) {
  zvtest::DeleteProgramRegistry();
  WriteSettingsRaw(L"ScreenshotDirectory", REG_SZ, L"C:\\no\\such\\dir", 30);
  zv::WinSettingsHost host;
  auto settings = zv::CreateGlobalSettings(host);
  EXPECT_EQ(settings->ScreenshotDirectory, fw::ToU16(zvtest::ExeFolder()));
  // An existing directory stays.
  settings->ScreenshotDirectory = host.TempFolder();
  settings->EnsureScreenshotDirectory();
  EXPECT_EQ(settings->ScreenshotDirectory, host.TempFolder());
  settings->Persistent = 0;
  zvtest::DeleteProgramRegistry();
}

TEST(SettingsInRegistry, NoSettingsKeyGivesDefaultsAndAnEmptyScreenshotDirectory) {
  zvtest::DeleteProgramRegistry();
  zv::WinSettingsHost host;
  auto settings = zv::CreateGlobalSettings(host);
  EXPECT_EQ(settings->ScreenshotDirectory, u"");
  EXPECT_EQ(settings->SingleInstanceMode, 1);
  EXPECT_EQ(settings->LanguageType, -1);
  settings->Persistent = 0;
}

TEST(SettingsInRegistry, StoredFileTypesReplaceTheDefaultTable) {
  zvtest::DeleteProgramRegistry();
  {
    zv::WinRegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, zv::ProductKey() + L"\\FileAssociations"));
    key.WriteDword(L"mkv", 3);
    key.WriteDword(L"mp3", 4);
  }
  zv::WinSettingsHost host;
  {
    auto settings = zv::CreateGlobalSettings(host);
    int count = 0;
    for (CFileAssocs* node = settings->FileTypes.Head(); node; node = node->Next) ++count;
    EXPECT_EQ(count, 2);
    ASSERT_NE(settings->FileTypes.Find(u"mkv"), nullptr);
    EXPECT_EQ(settings->FileTypes.Find(u"mkv")->Flags, 3);
    EXPECT_EQ(settings->FileTypes.Find(u"mp3")->Flags, 4);
    settings->RemoveFileTypeFlags(settings->FileTypes.Find(u"mkv"), 2);
  }
  zv::WinRegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, zv::ProductKey() + L"\\FileAssociations"));
  EXPECT_EQ(key.ReadDword(L"mkv"), std::nullopt) << "a deleted type stays in the registry";
  EXPECT_EQ(key.ReadDword(L"mp3"), std::optional<uint32_t>(4));
  zvtest::DeleteProgramRegistry();
}

TEST(LanguageSwitch, WritesTheSettingsKeyWhileParsing) {
  zvtest::DeleteProgramRegistry();
  zv::CurrentUserRegistry registry;
  zv::RegistryLanguageChoice sink(registry, fw::ToU16(zv::ProductKey()));
  CCmdLineInfo capitalised(&sink);
  capitalised.ParseArguments({u"/Language:Deutsch"});
  zv::WinRegistryKey key;
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, zv::ProductKey() + L"\\Settings"));

  CCmdLineInfo info(&sink);
  info.ParseArguments({u"-LANGUAGE:deutsch"});
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, zv::ProductKey() + L"\\Settings"));
  EXPECT_EQ(key.ReadString(L"LanguageResource"), std::optional<std::wstring>(L"IDR_LNG_GERMAN"));
  EXPECT_EQ(key.ReadDword(L"LanguageType"), std::optional<uint32_t>(0));
  key.Close();
  zvtest::DeleteProgramRegistry();
}

TEST(LanguageAtStart, LoadsTheStoredBuiltInLanguageOrFails) {
  zvtest::DeleteProgramRegistry();
  LanguageTable language;
  ASSERT_TRUE(zv::LoadNameTableResource(language));
  EXPECT_FALSE(zv::LoadStoredLanguage(language, zv::ProductKey())) << "no key";

  zv::WinRegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, zv::ProductKey() + L"\\Settings"));
  key.WriteString(L"LanguageResource", L"IDR_LNG_GERMAN");
  EXPECT_FALSE(zv::LoadStoredLanguage(language, zv::ProductKey())) << "no LanguageType";
  key.WriteDword(L"LanguageType", 0);
  ASSERT_TRUE(zv::LoadStoredLanguage(language, zv::ProductKey()));
  EXPECT_EQ(language.ResourceId(), 248);
  EXPECT_EQ(language.Text(u"File", u"Language"), u"Deutsch");

  key.WriteString(L"LanguageResource", L"idr_lng_english");  // names compare without case
  ASSERT_TRUE(zv::LoadStoredLanguage(language, zv::ProductKey()));
  EXPECT_EQ(language.ResourceId(), 250);
  key.WriteString(L"LanguageResource", L"IDR_LNG_BAYERISCH");
  EXPECT_FALSE(zv::LoadStoredLanguage(language, zv::ProductKey()));
  key.WriteString(L"LanguageResource", L"IDD_DEBUG");
  EXPECT_FALSE(zv::LoadStoredLanguage(language, zv::ProductKey()));
  EXPECT_EQ(language.ResourceId(), 250) << "a failed load keeps the loaded language";
  key.Close();
  zvtest::DeleteProgramRegistry();
}
