// The player as a user meets it in the first minute, with real processes and
// real input: the menu bar and the caption answer the mouse, a name that
// matches nothing gets a message, a second start after the language choice
// does not ask again, the hand-over of a relative name, work that arrives
// while an opening shows its error box, and the shipped program without the
// test hook.
#include "res/resource.h"
#include "tests/e2e/E2eHelpers.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/e2e/support/RemoteListView.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

namespace {

WPARAM Ask(Q q) { return static_cast<WPARAM>(q); }

void WaitMs(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  zvtest::WaitFor([&] { return GetTickCount64() >= end; }, ms + 1000);
}

// ---- Real input through the platform's input queue ----

void MoveMouse(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
  input.mi.dy = static_cast<LONG>((screen.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
  WaitMs(30);
}

void MouseButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
  WaitMs(30);
}

void PressKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = key;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  WaitMs(30);
}

struct ClassSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindVisibleOfClass(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<ClassSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  if (zvtest::WindowClassOf(hwnd) != search->className) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND VisibleWindowOfClass(DWORD processId, const wchar_t* className) {
  ClassSearch search{processId, className, nullptr};
  EnumWindows(FindVisibleOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForVisible(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  HWND found = nullptr;
  zvtest::WaitFor([&] { return (found = VisibleWindowOfClass(processId, className)) != nullptr; }, timeoutMs);
  return found;
}

// The text of a message box (its static text control).
std::wstring BoxText(HWND box) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

std::wstring MediaCopy(const std::wstring& folderName, const std::wstring& media, const std::wstring& as) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + folderName + L"\\";
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const std::wstring path = folder + as;
  CopyFileW(zvtest::MediaPath(media).c_str(), path.c_str(), FALSE);
  return path;
}

class Repairs : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 200, nullptr, SPIF_UPDATEINIFILE);
  }
  void TearDown() override {
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 500, nullptr, SPIF_UPDATEINIFILE);
    zvtest::DeleteProgramRegistry();
  }
  static void Close(HWND player, ProgramProcess& process) {
    PostMessageW(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.WaitForExit(15000), 0);
  }
};

}  // namespace

// ---- The menu bar and the caption with the mouse ----

TEST_F(Repairs, ClickOnTheMenuBarOpensTheFileMenuAndTheCaptionDragsTheWindow) {
  ProgramProcess program(L"");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  SetForegroundWindow(player);
  WaitMs(300);

  // The first title of the menu bar lies just above the client area, at its left.
  POINT client{0, 0};
  ClientToScreen(player, &client);
  const POINT fileTitle{client.x + 12, client.y - GetSystemMetrics(SM_CYMENU) / 2};
  MoveMouse(fileTitle);
  MouseButton(true);
  MouseButton(false);
  const HWND menu = WaitForVisible(program.Id(), L"#32768", 5000);
  EXPECT_NE(menu, nullptr) << "clicking the menu bar's first title opened no menu";
  if (menu) {
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(zvtest::WaitFor([&] { return VisibleWindowOfClass(program.Id(), L"#32768") == nullptr; }, 5000));
  }

  // Drag the caption by (60, 40).
  RECT before{};
  GetWindowRect(player, &before);
  const POINT caption{(before.left + before.right) / 2, client.y - GetSystemMetrics(SM_CYMENU) -
                                                            GetSystemMetrics(SM_CYCAPTION) / 2};
  MoveMouse(caption);
  MouseButton(true);
  for (int step = 1; step <= 6; ++step) MoveMouse({caption.x + step * 10, caption.y + step * 40 / 6});
  MouseButton(false);
  RECT after{};
  EXPECT_TRUE(zvtest::WaitFor(
      [&] {
        GetWindowRect(player, &after);
        return after.left == before.left + 60 && after.top == before.top + 40;
      },
      5000))
      << "window moved from " << before.left << "," << before.top << " to " << after.left << "," << after.top;
  Close(player, program);
}

// ---- A command-line name that matches nothing ----

TEST_F(Repairs, CommandLineNameMatchingNoFileShowsTheOpeningErrorNamingIt) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring missing = std::wstring(temp) + L"zv no such clip.avi";
  DeleteFileW(missing.c_str());
  ProgramProcess program(L"\"" + missing + L"\"");
  const HWND box = WaitForVisible(program.Id(), L"#32770", 30000);
  ASSERT_NE(box, nullptr) << "no message for a name that matches no file";
  const std::wstring text = BoxText(box);
  EXPECT_NE(text.find(L"Can't open file \"" + missing + L"\""), std::wstring::npos) << std::string(text.begin(), text.end());
  EXPECT_NE(text.find(L"Reason: The file was not found."), std::wstring::npos) << std::string(text.begin(), text.end());
  EXPECT_EQ(zvtest::WindowTitleOf(box), L"Error");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::MediaOpen)), 0);
  Close(player, program);
}

// ---- The language page at a first start ----

TEST_F(Repairs, FirstStartOffersEnglishAndASecondStartMeanwhileDoesNotAskAgain) {
  zvtest::DeleteProgramRegistry();
  ProgramProcess first(L"");
  HWND page = nullptr;
  ASSERT_TRUE(zvtest::WaitFor(
      [&] { return (page = zvtest::FindProcessWindow(first.Id(), L"#32770", L"Zentravue Sprache/Language")) != nullptr; },
      30000));
  HWND list = GetDlgItem(page, IDC_LANGUAGELIST);
  // The column titles are not cut, and the authors are written alike.
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE title{};
  GetTextExtentPoint32W(dc, L"Sprache/Language", 16, &title);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  EXPECT_GE(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), title.cx + 12);
  for (const std::wstring& creator : zvtest::RemoteListViewColumn(list, 2)) EXPECT_EQ(creator, L"Zentravue Team");

  // OK at once takes the language of the locale (English here).
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_OK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_BUTTON_OK)));
  HWND player = first.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr) << "OK without choosing a row did nothing";
  EXPECT_EQ(zvtest::SettingString(L"LanguageResource"), std::optional<std::wstring>(L"IDR_LNG_ENGLISH"));
  WaitMs(300);

  // The first instance still runs: a second start hands over without asking.
  const std::wstring clip = MediaCopy(L"zv repairs language", L"v.avi", L"handed.avi");
  ProgramProcess second(L"\"" + clip + L"\"");
  EXPECT_EQ(second.WaitForExit(30000), 0) << "the second start did not hand over";
  EXPECT_EQ(zvtest::FindProcessWindow(second.Id(), L"#32770", L"Zentravue Sprache/Language"), nullptr);
  EXPECT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)) == 1; }, 15000));
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), 1), clip);
  Close(player, first);
}

// ---- Hand-over ----

TEST_F(Repairs, RelativeNameIsHandedOverAsAFullPath) {
  const std::wstring clip = MediaCopy(L"zv repairs relative", L"v.avi", L"relative clip.avi");
  const std::wstring folder = clip.substr(0, clip.find_last_of(L'\\') + 1);
  ProgramProcess first(L"");
  HWND player = first.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  WaitMs(300);
  ProgramProcess second(L"\"relative clip.avi\"", zvtest::ProgramPath(), folder);
  ASSERT_EQ(second.WaitForExit(30000), 0);
  ASSERT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)) == 1; }, 15000));
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), 1), clip);
  EXPECT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::MediaOpen)) == 1; }, 15000))
      << "the first instance did not open the handed-over file";
  Close(player, first);
}

// ---- Work that arrives while an opening shows its error box ----

TEST_F(Repairs, HandOverDuringTheErrorBoxOfAnOpenWaitsAndQuestionsAreRefused) {
  const std::wstring broken = MediaCopy(L"zv repairs busy", L"random.avi", L"broken.avi");
  const std::wstring clip = MediaCopy(L"zv repairs busy", L"v.avi", L"good clip.avi");
  ProgramProcess first(L"\"" + broken + L"\"");
  const HWND box = WaitForVisible(first.Id(), L"#32770", 30000);
  ASSERT_NE(box, nullptr) << "the broken file opened without a message";
  HWND player = first.WaitForWindow(L"ZentravueClass", 5000);
  ASSERT_NE(player, nullptr);

  // While the box is up the media object is not complete: questions get 0.
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::Ping)), 0);
  // A second start hands over meanwhile.
  ProgramProcess second(L"\"" + clip + L"\"");
  ASSERT_EQ(second.WaitForExit(30000), 0);
  WaitMs(500);
  EXPECT_TRUE(IsWindow(box) && IsWindowVisible(box)) << "the hand-over ran inside the box's loop";
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::Ping)), 0);

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::HandOversApplied)) == 1; }, 20000));
  EXPECT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::MediaOpen)) == 1; }, 15000));
  EXPECT_EQ(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), 2), clip);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CurrentEntry)), 2);
  EXPECT_NE(zvtest::QueryPlayerText(player, Ask(Q::Title), 0).find(L"good clip.avi"), std::wstring::npos);
  Close(player, first);
}

// ---- The shipped program ----

TEST_F(Repairs, TheShippedProgramAnswersNoTestQuestions) {
  ProgramProcess shipped(L"", zvtest::ShippedProgramPath());
  HWND player = shipped.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::Ping)), 0);
  Close(player, shipped);

  ProgramProcess test(L"");
  player = test.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::Ping)), kPlayerTestPingAnswer);
  Close(player, test);
}
