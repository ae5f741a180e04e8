// Translating a dialog's caption and children from a language section.
#include "lang/DialogTranslation.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

struct Window {
  HWND hwnd;
  explicit Window(HWND h) : hwnd(h) {}
  ~Window() {
    if (hwnd) DestroyWindow(hwnd);
  }
};

}  // namespace

TEST(DialogTranslation, CaptionAndNamedChildrenTakeTheSectionTextsOthersKeepTheirs) {
  LanguageTable language;
  ASSERT_TRUE(zv::LoadNameTableResource(language));
  ASSERT_TRUE(language.LoadFile(u"test.lng",
                                "[File]\r\nLanguage=Test\r\n[IDD_TEST]\r\nID_CAPTION=Translated\r\n"
                                "IDC_BUTTON_OK=Fine\\tnow\r\nIDC_BUTTON_ABBRECHEN=\r\n"));
  Window dialog(CreateWindowExW(0, L"STATIC", L"Template", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr));
  ASSERT_TRUE(dialog.hwnd);
  auto child = [&](int id, const wchar_t* text) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD, 0, 0, 50, 20, dialog.hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  };
  HWND ok = child(IDC_BUTTON_OK, L"OK");
  HWND cancel = child(IDC_BUTTON_ABBRECHEN, L"Abbrechen");
  HWND unnamed = child(31999, L"Unnamed");

  zv::TranslateDialog(dialog.hwnd, &language, u"idd_test");

  EXPECT_EQ(TextOf(dialog.hwnd), L"Translated");
  EXPECT_EQ(TextOf(ok), L"Fine\tnow");
  EXPECT_EQ(TextOf(cancel), L"Abbrechen");  // empty value keeps the template text
  EXPECT_EQ(TextOf(unnamed), L"Unnamed");

  zv::TranslateDialog(dialog.hwnd, nullptr, u"IDD_TEST");  // no language: nothing happens
  EXPECT_EQ(TextOf(dialog.hwnd), L"Translated");
}
