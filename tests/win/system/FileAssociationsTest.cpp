// The shell registration in the registry of the test prefix: both strategies,
// the exact keys and values they write, and their complete removal.
#include "system/FileAssociations.h"

#include "app/Settings.h"
#include "app/WinRegistry.h"
#include "framework/WideString.h"
#include "tests/win/support/TestEnvironment.h"
#include "tests/win/system/SystemTestSupport.h"

#include <shobjidl.h>

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr wchar_t kApp[] = L"ZentravueX64";
constexpr wchar_t kProgram[] = L"C:\\Program Files\\Zentravue\\Zentravue.exe";
constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZentravueX64";
constexpr wchar_t kProductKey[] = L"Software\\Ostrel-Software\\Zentra-VueX64";

zv::ShellIdentity Identity(const std::wstring& program = kProgram) {
  zv::ShellIdentity identity;
  identity.appName = kApp;
  identity.programPath = program;
  identity.suffix = L"X64";
  identity.versionText = L"1.3.0.0\u03B2";
  return identity;
}

std::optional<std::wstring> Value(HKEY root, const std::wstring& path, const std::wstring& name = L"") {
  zv::WinRegistryKey key;
  if (!key.OpenForReading(root, path)) return std::nullopt;
  return key.ReadString(name, 2000);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  zv::WinRegistryKey key;
  return key.OpenForReading(root, path);
}

void SetValue(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& value) {
  zv::WinRegistryKey key;
  ASSERT_TRUE(key.Create(root, path));
  key.WriteString(name, value);
}

// Everything of ours that the tests may leave in the prefix.
constexpr const wchar_t* kExtensions[] = {L"mkv", L"mp3", L"avi", L"zvp", L"tta"};

void RemoveOurKeys() {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    for (const wchar_t* extension : kExtensions)
      RegDeleteTreeW(root, (std::wstring(kClasses) + L"." + extension).c_str());
    RegDeleteTreeW(root, (std::wstring(kClasses) + kApp).c_str());
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstall);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstall);
  zvtest::DeleteProgramRegistry();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\ZentravueX64");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ostrel-Software");
  HKEY registered = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", 0, KEY_ALL_ACCESS, &registered) ==
      ERROR_SUCCESS) {
    RegDeleteValueW(registered, kApp);
    RegDeleteValueW(registered, L"OtherPlayer");
    RegCloseKey(registered);
  }
}

// The registry parts the registration touches, for before/after comparisons.
std::map<std::wstring, std::wstring> Snapshot() {
  std::map<std::wstring, std::wstring> all;
  for (const auto& [root, path] :
       {std::pair{HKEY_CURRENT_USER, std::wstring(L"Software\\Classes")},
        std::pair{HKEY_CURRENT_USER, std::wstring(L"Software\\Ostrel-Software")},
        std::pair{HKEY_CURRENT_USER, std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall")},
        std::pair{HKEY_LOCAL_MACHINE, std::wstring(L"SOFTWARE\\Classes\\ZentravueX64")},
        std::pair{HKEY_LOCAL_MACHINE, std::wstring(L"SOFTWARE\\Ostrel-Software")},
        std::pair{HKEY_LOCAL_MACHINE, std::wstring(L"SOFTWARE\\RegisteredApplications")}}) {
    auto part = zvtest::RegistrySnapshot(root, path);
    for (auto& [name, value] : part) all[(root == HKEY_CURRENT_USER ? L"HKCU\\" : L"HKLM\\") + name] = value;
  }
  for (const wchar_t* extension : kExtensions)
    for (auto& [name, value] : zvtest::RegistrySnapshot(HKEY_LOCAL_MACHINE, std::wstring(kClasses) + L"." + extension))
      all[L"HKLM\\" + name] = value;
  return all;
}

class Associations : public testing::Test {
 protected:
  void SetUp() override { RemoveOurKeys(); }
  void TearDown() override { RemoveOurKeys(); }

  // A working copy holding exactly these file types.
  static std::unique_ptr<CSettings> TypesOf(std::initializer_list<std::pair<const char16_t*, int>> types) {
    auto settings = std::make_unique<CSettings>(0);
    for (auto it = std::rbegin(types); it != std::rend(types); ++it) settings->AddFileType(it->first, it->second);
    return settings;
  }
};

// ---- per-user strategy (no service) ----

TEST_F(Associations, PerUserEntriesAreExactlyTheProgramIdAndTheUninstallEntry) {
  zv::FileAssociations associations(nullptr, Identity(), HKEY_CURRENT_USER);
  associations.RegisterPerUserEntries();
  const std::wstring id = std::wstring(kClasses) + kApp;
  EXPECT_EQ(Value(HKEY_CURRENT_USER, id), kApp);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, id + L"\\DefaultIcon"), kProgram);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, id + L"\\shell"), L"open");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, id + L"\\shell\\open"));
  // Quoted, so that "C:\Program Files\..." never starts "C:\Program.exe".
  EXPECT_EQ(Value(HKEY_CURRENT_USER, id + L"\\shell\\open\\command"),
            L"\"C:\\Program Files\\Zentravue\\Zentravue.exe\" \"%1\"");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"DisplayName"), kApp);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"DisplayVersion"), L"1.3.0.0\u03B2");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"Publisher"), L"Ostrel-Software");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"HelpLink"), zv::kHelpLink);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"UninstallString"),
            L"\"C:\\Program Files\\Zentravue\\Zentravue.exe\" /uninstall");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"DisplayIcon"), kProgram);
  EXPECT_EQ(zvtest::RegistrySnapshot(HKEY_CURRENT_USER, kUninstall).size(), 7u);  // key + six values
}

TEST_F(Associations, InstalledProgramsUninstallThroughTheirUninstaller) {
  const std::wstring folder = zvtest::FreshTempFolder(L"installed");
  ASSERT_TRUE(zvtest::WriteFileBytes(folder + L"Uninstall.exe", "MZ"));
  zv::FileAssociations(nullptr, Identity(folder + L"Zentravue.exe"), HKEY_CURRENT_USER).RegisterPerUserEntries();
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstall, L"UninstallString"), L"\"" + folder + L"Uninstall.exe\"");

  // A machine-wide installation's own entry is not doubled per user.
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstall);
  SetValue(HKEY_LOCAL_MACHINE, kUninstall, L"DisplayName", kApp);
  zv::FileAssociations(nullptr, Identity(folder + L"Zentravue.exe"), HKEY_CURRENT_USER).RegisterPerUserEntries();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstall));
}

TEST_F(Associations, PerUserAssociationBacksUpAndRestoresThePreviousProgram) {
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv", L"", L"OtherPlayer.mkv");
  zv::FileAssociations associations(nullptr, Identity(), HKEY_CURRENT_USER);
  associations.AssociateExtension(L"mkv");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv"), kApp);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"),
            L"OtherPlayer.mkv");
  EXPECT_TRUE(associations.IsExtensionAssociated(L"mkv"));

  // Already the player's (in any letter case): the backup stays as it was.
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv", L"", L"zentravuex64");
  associations.AssociateExtension(L"mkv");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"),
            L"OtherPlayer.mkv");

  associations.UnassociateExtension(L"mkv");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv"), L"OtherPlayer.mkv");
  EXPECT_FALSE(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"));
  EXPECT_FALSE(associations.IsExtensionAssociated(L"mkv"));
  EXPECT_FALSE(associations.IsExtensionAssociated(L"avi"));  // no key at all
}

TEST_F(Associations, PerUserUnassociationWithoutBackup) {
  zv::FileAssociations associations(nullptr, Identity(), HKEY_CURRENT_USER);
  // A key the association made itself goes again.
  associations.AssociateExtension(L"tta");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.tta"), kApp);
  associations.UnassociateExtension(L"tta");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\.tta"));

  // A key that names the player but was never backed up keeps an empty default
  // when it holds anything else.
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.avi", L"", kApp);
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.avi", L"Content Type", L"video/avi");
  associations.UnassociateExtension(L"avi");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.avi"), L"");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.avi", L"Content Type"), L"video/avi");

  // Another program's extension is left alone.
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3", L"", L"Other.mp3");
  associations.UnassociateExtension(L"mp3");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3"), L"Other.mp3");
}

TEST_F(Associations, ApplyAndRepairFollowBitZero) {
  auto settings = TypesOf({{u"mkv", 3}, {u"mp3", 4}});
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3", L"", kApp);
  zv::FileAssociations associations(nullptr, Identity(), HKEY_CURRENT_USER);
  associations.Apply(*settings);
  EXPECT_TRUE(associations.IsExtensionAssociated(L"mkv"));
  EXPECT_FALSE(associations.IsExtensionAssociated(L"mp3"));

  // The settings key marks mkv; something took it away; the next start mends it.
  zv::WinRegistryKey types;
  ASSERT_TRUE(types.Create(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociations"));
  types.WriteDword(L"mkv", 3);
  types.WriteDword(L"mp3", 4);
  types.Close();
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv", L"", L"Thief.mkv");
  associations.RepairAssociations();
  EXPECT_TRUE(associations.IsExtensionAssociated(L"mkv"));
  EXPECT_FALSE(associations.IsExtensionAssociated(L"mp3"));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"),
            L"Thief.mkv");
}

TEST_F(Associations, UninstallLeavesTheRegistryAsBefore) {
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\.mp3", L"", L"Other.mp3");
  const auto before = Snapshot();
  auto settings = TypesOf({{u"mkv", 3}, {u"mp3", 5}, {u"zvp", 9}, {u"avi", 2}});
  zv::FileAssociations associations(nullptr, Identity(), HKEY_CURRENT_USER);
  associations.RegisterPerUserEntries();
  associations.Apply(*settings);
  zv::WinRegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\Settings"));
  key.WriteDword(L"Volume", 10000);
  key.Close();
  ASSERT_NE(Snapshot(), before);
  associations.RemoveForUninstall(*settings);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Ostrel-Software"));
}

TEST_F(Associations, PerUserClassKeysGoWhereThisPlatformsShellReadsThem) {
  zv::FileAssociations associations(nullptr, Identity());
  associations.AssociateExtension(L"tta");
  HKEY seen = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L".tta", 0, KEY_READ, &seen), ERROR_SUCCESS);
  RegCloseKey(seen);
  EXPECT_TRUE(associations.IsExtensionAssociated(L"tta"));
  associations.UnassociateExtension(L"tta");
  EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, L".tta", 0, KEY_READ, &seen), ERROR_SUCCESS);
}

// ---- default-programs strategy ----

// The platform's service as Windows 7 offers it; Wine has the object but
// not these methods, so the algorithm is checked against this stand-in.
class FakeService : public IApplicationAssociationRegistration {
 public:
  std::map<std::wstring, std::wstring> defaults;  // ".ext" -> registered application

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryCurrentDefault(LPCWSTR, ASSOCIATIONTYPE, ASSOCIATIONLEVEL, LPWSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE QueryAppIsDefault(LPCWSTR query, ASSOCIATIONTYPE, ASSOCIATIONLEVEL, LPCWSTR app,
                                              BOOL* isDefault) override {
    *isDefault = defaults.count(query) && defaults[query] == app;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryAppIsDefaultAll(ASSOCIATIONLEVEL, LPCWSTR, BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAppAsDefault(LPCWSTR app, LPCWSTR set, ASSOCIATIONTYPE) override {
    defaults[set] = app;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetAppAsDefaultAll(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClearUserAssociations() override { return E_NOTIMPL; }
};

TEST_F(Associations, ServiceAssociationRemembersAndRestoresTheRegisteredDefault) {
  SetValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", L"OtherPlayer", L"SOFTWARE\\Other\\Capabilities");
  FakeService service;
  service.defaults[L".mkv"] = L"OtherPlayer";
  zv::FileAssociations associations(&service, Identity());
  associations.AssociateExtension(L"mkv");
  EXPECT_EQ(service.defaults[L".mkv"], kApp);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"),
            L"OtherPlayer");
  // Nothing per user: the service decides.
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\.mkv"));

  associations.UnassociateExtension(L"mkv");
  EXPECT_EQ(service.defaults[L".mkv"], L"OtherPlayer");
  EXPECT_FALSE(Value(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociationsBackup", L"mkv"));

  // Not the default: unassociating changes nothing.
  associations.UnassociateExtension(L"mkv");
  EXPECT_EQ(service.defaults[L".mkv"], L"OtherPlayer");
}

TEST_F(Associations, MachineEntriesAreExactAndGoCompletely) {
  const auto before = Snapshot();
  FakeService service;
  auto settings = TypesOf({{u"mkv", 3}, {u"mp3", 4}, {u"zvp", 8}});
  zv::FileAssociations associations(&service, Identity());
  associations.WriteMachineEntries(*settings);

  const std::wstring id = L"SOFTWARE\\Classes\\ZentravueX64";
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, id), L"ZentravueX64 media file");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, id + L"\\DefaultIcon"), kProgram);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, id + L"\\CLSID"), L"{9C620E3C-A69A-4c29-AF24-047E8315568F}");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, id + L"\\shell\\open\\command"),
            L"\"C:\\Program Files\\Zentravue\\Zentravue.exe\" \"%1\"");
  const std::wstring capabilities = L"SOFTWARE\\Ostrel-Software\\Zentra-VueX64\\Capabilities";
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, capabilities, L"ApplicationDescription"),
            L"Media player for video and audio files");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, capabilities, L"ApplicationIcon"), kProgram);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, capabilities, L"ApplicationName"), kApp);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", kApp), capabilities);
  const auto types = zvtest::RegistrySnapshot(HKEY_LOCAL_MACHINE, capabilities + L"\\FileAssociations");
  EXPECT_EQ(types.size(), 4u);  // the key and one value per known type
  for (const wchar_t* extension : {L".mkv", L".mp3", L".zvp"})
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, capabilities + L"\\FileAssociations", extension), kApp);
  EXPECT_EQ(service.defaults[L".mkv"], kApp);
  EXPECT_EQ(service.defaults.count(L".mp3"), 0u);

  associations.RemoveMachineEntries(*settings);
  EXPECT_EQ(Snapshot(), before);
  // No program was the default before, so there is none to give it back to.
  EXPECT_EQ(service.defaults[L".mkv"], kApp);
}

// The real elevated instances of the program, started with "runas" (Wine
// runs them without asking).
TEST_F(Associations, ElevatedInstancesWriteAndRemoveTheMachineEntries) {
  const std::wstring folder = zvtest::FreshTempFolder(L"elevated");
  const std::wstring program = folder + L"Zentravue.exe";
  ASSERT_TRUE(CopyFileW(zvtest::ProgramPath().c_str(), program.c_str(), FALSE));
  zv::WinRegistryKey types;
  ASSERT_TRUE(types.Create(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\FileAssociations"));
  types.WriteDword(L"mkv", 3);
  types.WriteDword(L"zvp", 8);
  types.Close();
  const auto before = Snapshot();

  FakeService service;  // its presence selects the elevated path
  auto settings = TypesOf({{u"mkv", 3}, {u"zvp", 8}});
  zv::FileAssociations associations(&service, Identity(program));
  associations.Apply(*settings);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\ZentravueX64\\shell\\open\\command"),
            L"\"" + program + L"\" \"%1\"");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ostrel-Software\\Zentra-VueX64\\Capabilities\\FileAssociations",
                  L".zvp"),
            kApp);

  associations.RemoveForUninstall(*settings);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\ZentravueX64"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ostrel-Software"));
  EXPECT_FALSE(Value(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", kApp));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Ostrel-Software"));
  auto after = Snapshot();
  // The settings key was there before and is part of what the uninstall removes.
  auto expected = before;
  for (auto it = expected.begin(); it != expected.end();)
    it = it->first.find(L"HKCU\\Software\\Ostrel-Software") == 0 ? expected.erase(it) : std::next(it);
  EXPECT_EQ(after, expected);
}

}  // namespace
