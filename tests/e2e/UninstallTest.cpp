// The program's own registration at a first start and its "/uninstall" run,
// with real processes of the built program.
#include "app/ProductName.h"
#include "framework/WideString.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr DWORD kWaitMs = 60000;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZentravueX64";

std::optional<std::wstring> Value(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring FullProgramPath() {
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(zvtest::ProgramPath().c_str(), MAX_PATH, full, nullptr);
  return full;
}

TEST(Uninstall, FirstStartRegistersTheProgramAndUninstallRemovesEverything) {
  zvtest::DeleteProgramRegistry();
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
  zvtest::PresetEnglish();
  {
    zvtest::ProgramProcess player(L"");
    HWND window = player.WaitForWindow(L"ZentravueClass", kWaitMs);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.WaitForExit(kWaitMs), 0);
  }
  const std::wstring program = FullProgramPath();
  // The first start registers the default table: only the own playlists.
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, L".zvp", nullptr), L"ZentravueX64");
  EXPECT_NE(Value(HKEY_CLASSES_ROOT, L".mkv", nullptr), std::optional<std::wstring>(L"ZentravueX64"));
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, L"ZentravueX64\\shell\\open\\command", nullptr),
            L"\"" + program + L"\" \"%1\"");
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"), L"\"" + program + L"\" /uninstall");
  ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, zv::ProductKey() + L"\\Settings"));

  zvtest::ProgramProcess uninstall(L"/uninstall");
  const HWND box = uninstall.WaitForWindow(L"#32770", kWaitMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(zvtest::WindowTitleOf(box), L"Zentra-Vue Uninstall");
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  EXPECT_STREQ(text, L"All settings and file associations of Zentra-Vue have been removed.");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(uninstall.WaitForExit(kWaitMs), 0);

  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Ostrel-Software"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"ZentravueX64"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L".zvp"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ostrel-Software"));
}

}  // namespace
