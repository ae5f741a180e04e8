// The program's resources as the running code reads them (the test
// executables carry the same resources as the program).
#include "framework/WinInclude.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ResourceBytes(const wchar_t* type, int id) {
  HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
  if (!info) return {};
  HGLOBAL data = LoadResource(nullptr, info);
  const auto* bytes = static_cast<const char*>(LockResource(data));
  return bytes ? std::string(bytes, SizeofResource(nullptr, info)) : std::string();
}

}  // namespace

TEST(Resources, VersionHasGermanStringTableWithProductVersion) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
  wchar_t* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704b0\\ProductVersion",
                             reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(value, L"1, 3, 0, 0");
}

TEST(Resources, NameTableIsTheResourceHeaderWithCrLf) {
  const std::string text = ResourceBytes(L"TEXT", IDR_RESOURCE_LZV);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.find("#define IDD_ZENTRAVUE_DIALOG"), std::string::npos);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
  }
}

TEST(Resources, ManifestSelectsCommonControlsSixAndDeclaresDpiAwareness) {
  const std::string manifest = ResourceBytes(MAKEINTRESOURCEW(24), 1);  // RT_MANIFEST
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("dpiAware"), std::string::npos);
}

TEST(Resources, IconAndMenusArePresent) {
  EXPECT_NE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 32, 32, 0),
            nullptr);
  HMENU main = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(129));
  ASSERT_NE(main, nullptr);
  EXPECT_GT(GetMenuItemCount(main), 0);
  DestroyMenu(main);
  HMENU context = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(225));
  ASSERT_NE(context, nullptr);
  DestroyMenu(context);
}
