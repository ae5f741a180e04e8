// The player window in this process: its class, title and clean close.
#include "app/ProductName.h"
#include "app/ZentravueApp.h"
#include "player/ZentravueDlg.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// Looks at the window once it runs, then closes it as the user would.
class ObservedPlayer : public CZentravueDlg {
 public:
  ObservedPlayer() : CZentravueDlg(nullptr) {}
  std::wstring className, title, versionPane;
  bool visible = false;
  RECT rect{};

 protected:
  BOOL OnInitDialog() override {
    const BOOL r = CZentravueDlg::OnInitDialog();
    PostMessageW(hwnd_, WM_APP + 100, 0, 0);
    return r;
  }
  bool OnRawMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message != WM_APP + 100) return false;
    className = ClassOf(hwnd_);
    title = GetText();
    versionPane = StatusText(7);
    visible = IsWindowVisible(hwnd_) != FALSE;
    GetWindowRect(hwnd_, &rect);
    // Escape must not end the player.
    SendMessageW(hwnd_, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return true;
  }
};

}  // namespace

TEST(PlayerWindow, RunsAsZentravueClassTitledZentravueAndCloses) {
  ASSERT_TRUE(CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr)));
  // Registering twice is harmless (the class stays).
  ASSERT_TRUE(CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr)));
  ObservedPlayer player;
  player.DoModal();
  EXPECT_EQ(player.className, L"ZentravueClass");
  // Without media the title is exactly the title base.
  EXPECT_EQ(player.title, zv::AppName() + L" BETA");
  EXPECT_TRUE(player.visible);
  // The product version with each comma made a point, right-aligned by two tabs.
  EXPECT_EQ(player.versionPane, L"\t\t1. 3. 0. 0");
  EXPECT_GT(player.rect.right - player.rect.left, 300);
  EXPECT_GT(player.rect.bottom - player.rect.top, 200);
  EXPECT_EQ(player.hwnd(), nullptr);
  EXPECT_EQ(FindWindowW(L"ZentravueClass", nullptr), nullptr);
}

TEST(PlayerWindow, ClassIsACopyOfTheDialogClass) {
  ASSERT_TRUE(CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr)));
  WNDCLASSEXW dialogClass{sizeof(WNDCLASSEXW)};
  WNDCLASSEXW ours{sizeof(WNDCLASSEXW)};
  ASSERT_TRUE(GetClassInfoExW(nullptr, MAKEINTATOM(32770), &dialogClass));
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"ZentravueClass", &ours));
  EXPECT_EQ(ours.lpfnWndProc, dialogClass.lpfnWndProc);
  EXPECT_EQ(ours.cbWndExtra, dialogClass.cbWndExtra);
  EXPECT_EQ(ours.style, dialogClass.style);
}
