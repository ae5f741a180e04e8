// Every page of the settings dialog in English, German and a language with
// much longer texts: no text is cut off, no controls overlap, everything
// stays inside its page. With ZV_SETTINGS_SHOTS naming a folder, each page is
// also saved there as a picture (tools/settings-screenshots.sh).
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"
#include "settings/SettingsDialog.h"
#include "tests/win/settings/SettingsTestSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using zvtest::StepRunner;

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

RECT RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The height a text needs at a width, in the control's font.
SIZE TextNeeds(HWND control, const std::wstring& text, int width, bool wrap) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  std::wstring shown = text;
  DrawTextW(dc, shown.c_str(), -1, &r, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right, r.bottom};
}

// Problems of one window's children: texts that do not fit, overlaps,
// controls outside the client area.
std::vector<std::string> LayoutProblems(HWND window, const std::string& where) {
  std::vector<std::string> problems;
  auto report = [&](HWND control, const std::string& what) {
    std::ostringstream text;
    text << where << ": control " << GetDlgCtrlID(control) << " \"" << fw::WideToUtf8(zvtest::TextOf(control))
         << "\" " << what;
    problems.push_back(text.str());
  };
  RECT client{};
  GetClientRect(window, &client);
  const int check = GetSystemMetrics(SM_CXMENUCHECK) + 6;
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && ClassOf(child) != L"#32770") children.push_back(child);
  std::vector<HWND> groups;
  for (HWND child : children) {
    const RECT r = RectIn(child, window);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // A scrolling page may hold controls above or below its visible part.
    const bool scrolls = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL) != 0;
    if (r.left < 0 || r.right > client.right || (!scrolls && (r.top < 0 || r.bottom > client.bottom)))
      report(child, "lies outside its window");
    const std::wstring text = zvtest::TextOf(child);
    const std::wstring cls = ClassOf(child);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (cls == L"Button") {
      const LONG_PTR kind = style & BS_TYPEMASK;
      if (kind == BS_GROUPBOX) {
        groups.push_back(child);
        if (TextNeeds(child, text, 0, false).cx > width - 16) report(child, "title is cut off");
      } else if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX) {
        const SIZE needs = TextNeeds(child, text, width - check, (style & BS_MULTILINE) != 0);
        if (needs.cx > width - check || needs.cy > height) report(child, "text does not fit");
      } else if (!text.empty() && TextNeeds(child, text, 0, false).cx > width - 8) {
        report(child, "button text does not fit");
      }
    } else if (cls == L"Static" && !text.empty()) {
      const SIZE needs = TextNeeds(child, text, width, (style & SS_TYPEMASK) == SS_LEFT);
      if (needs.cx > width || needs.cy > height) report(child, "text does not fit");
    } else if (cls == L"ComboBox") {
      const int room = width - GetSystemMetrics(SM_CXVSCROLL) - 6;
      for (const std::wstring& entry : zvtest::ListEntries(window, GetDlgCtrlID(child)))
        if (TextNeeds(child, entry, 0, false).cx > room) report(child, "entry \"" + fw::WideToUtf8(entry) + "\" is cut off");
    }
  }
  // No two controls overlap, except a group frame around its own controls,
  // which then sit wholly inside it, below its title.
  for (size_t i = 0; i < children.size(); ++i) {
    for (size_t j = i + 1; j < children.size(); ++j) {
      const RECT a = RectIn(children[i], window);
      const RECT b = RectIn(children[j], window);
      RECT both{};
      if (!IntersectRect(&both, &a, &b)) continue;
      HWND group = nullptr, inner = nullptr;
      for (HWND g : groups) {
        if (g == children[i]) { group = children[i]; inner = children[j]; }
        if (g == children[j]) { group = children[j]; inner = children[i]; }
      }
      if (!group || std::find(groups.begin(), groups.end(), inner) != groups.end()) {
        report(children[i], "overlaps control " + std::to_string(GetDlgCtrlID(children[j])));
        continue;
      }
      const RECT frame = RectIn(group, window);
      const RECT content = RectIn(inner, window);
      const int titleBottom = frame.top + TextNeeds(group, zvtest::TextOf(group), 0, false).cy;
      if (content.left < frame.left || content.right > frame.right || content.bottom > frame.bottom ||
          content.top < titleBottom)
        report(inner, "sticks out of its group frame");
    }
  }
  return problems;
}

std::vector<std::string> FrameProblems(HWND dialog, const std::string& where) {
  std::vector<std::string> problems = LayoutProblems(dialog, where + " frame");
  HWND tree = GetDlgItem(dialog, IDC_TREE_SETTINGS);
  RECT client{};
  GetClientRect(tree, &client);
  for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
    for (HTREEITEM item = root; item; item = item == root ? TreeView_GetChild(tree, root) : TreeView_GetNextSibling(tree, item)) {
      RECT r{};
      *reinterpret_cast<HTREEITEM*>(&r) = item;
      // The item rectangle holds the text and the selection's margin of a
      // few pixels on each side; only the text must be whole.
      constexpr int kSelectionMargin = 3;
      if (SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)) &&
          r.right - kSelectionMargin > client.right) {
        wchar_t text[128] = {};
        TVITEMW node{};
        node.mask = TVIF_TEXT;
        node.hItem = item;
        node.pszText = text;
        node.cchTextMax = 128;
        TreeView_GetItem(tree, &node);
        problems.push_back(where + ": the tree node \"" + fw::WideToUtf8(text) + "\" is cut off by " +
                           std::to_string(r.right - client.right) + " px");
      }
    }
  }
  HWND title = GetDlgItem(dialog, IDC_TXT_CATEGORY);
  RECT titleRect{};
  GetClientRect(title, &titleRect);
  if (TextNeeds(title, zvtest::TextOf(title), 0, false).cx > titleRect.right)
    problems.push_back(where + ": the title is cut off");
  return problems;
}

std::wstring ShotFolder() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"ZV_SETTINGS_SHOTS", folder, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(folder) + L"\\" : std::wstring();
}

// English with every text of the settings dialog half as long again, as
// languages with long words have them.
std::unique_ptr<LanguageTable> LongLanguage() {
  const std::string_view english = zv::ResourceBytes(nullptr, L"LNG", zvtest::kEnglish);
  std::string out;
  std::string section;
  size_t start = 0;
  while (start < english.size()) {
    size_t end = english.find('\n', start);
    if (end == std::string_view::npos) end = english.size();
    std::string line(english.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') section = line;
    const size_t eq = line.find('=');
    const bool ours = section.rfind("[IDD_SETTINGS", 0) == 0 || section == "[Code]";
    if (ours && eq != std::string::npos && line[0] != '#' && section != "[File]") {
      std::string value = line.substr(eq + 1);
      if (value.find('%') == std::string::npos) {
        std::string extra = value.substr(0, value.size() / 2);
        while (!extra.empty() && extra.back() == ' ') extra.pop_back();
        if (!extra.empty()) value += " " + extra;
      }
      line = line.substr(0, eq + 1) + value;
    }
    out += line + "\r\n";
  }
  auto language = std::make_unique<LanguageTable>();
  zv::LoadNameTableResource(*language);
  language->LoadFile(u"long.lng", out);
  return language;
}

struct PageRun {
  std::vector<std::string> problems;
  int pages = 0;
};

// Opens the dialog, visits every page, checks each and, when asked, saves it.
PageRun CheckEveryPage(LanguageTable* language, const std::string& name) {
  PageRun run;
  CSettings player(0);
  CSettingsDialog dialog(language, &player, nullptr);
  const std::wstring shots = ShotFolder();
  auto shoot = [&](const std::string& page) {
    if (shots.empty()) return;
    // The picture is taken from the screen, which the window's drawing
    // reaches a little after it is done.
    zvtest::WaitFor([] { return false; }, 300);
    zvtest::CaptureWindow(dialog.hwnd()).SaveBmp(shots + fw::Utf8ToWide(name + "-" + page) + L".bmp");
  };
  const std::pair<CSettingsDialog::Node, const char*> pages[] = {
      {CSettingsDialog::kGeneral, "general"},   {CSettingsDialog::kVideo, "video"},
      {CSettingsDialog::kLanguage, "language"}, {CSettingsDialog::kVideoFiles, "fileassocs"},
      {CSettingsDialog::kPlayback, "playback"}, {CSettingsDialog::kDvd, "dvd"},
      {CSettingsDialog::kDreambox, "dreambox"}, {CSettingsDialog::kVdr, "vdr"}};
  StepRunner steps;
  for (const auto& [node, page] : pages) {
    const CSettingsDialog::Node n = node;
    const std::string p = page;
    auto painted = [&] {
      return dialog.hwnd() && IsWindowVisible(dialog.hwnd()) &&
             (zvtest::SettingsDialogPainted(dialog.hwnd()) || !dialog.CurrentPage());
    };
    steps.When(painted, [&, n] { zvtest::SelectNode(dialog, n); });
    steps.When(painted,
               [&, p] {
                 ++run.pages;
                 const std::string where = name + " " + p;
                 for (const std::string& problem : FrameProblems(dialog.hwnd(), where)) run.problems.push_back(problem);
                 if (dialog.CurrentPage())
                   for (const std::string& problem : LayoutProblems(dialog.CurrentPage()->hwnd(), where))
                     run.problems.push_back(problem);
                 shoot(p);
                 if (p == "general") {
                   // The lower part of the scrolling page.
                   SendMessageW(dialog.CurrentPage()->hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
                   UpdateWindow(dialog.CurrentPage()->hwnd());
                   for (const std::string& problem : LayoutProblems(dialog.CurrentPage()->hwnd(), where + " (scrolled)"))
                     run.problems.push_back(problem);
                   shoot("general-scrolled");
                 }
               });
  }
  if (!shots.empty()) {
    // The OK button with the shield, as after a change of associations.
    steps.Then([&] { dialog.WorkingCopy().FileAssociationsChanged = 1; });
    steps.When([&] { return dialog.ShieldShown(); }, [&] { shoot("shield"); });
  }
  steps.Then([&] { zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_ABBRECHEN); });
  steps.Start();
  dialog.DoModal();
  if (!steps.Finished()) run.problems.push_back(name + ": " + steps.Failure());
  return run;
}

class SettingsLayout : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace

TEST_P(SettingsLayout, NothingIsCutOffOrOverlapsOnAnyPage) {
  const std::string name = GetParam();
  std::unique_ptr<LanguageTable> language = name == "english"  ? zvtest::BuiltInLanguage(zvtest::kEnglish)
                                            : name == "german" ? zvtest::BuiltInLanguage(zvtest::kGerman)
                                                               : LongLanguage();
  const PageRun run = CheckEveryPage(language.get(), name);
  EXPECT_EQ(run.pages, 8);
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
}

INSTANTIATE_TEST_SUITE_P(Languages, SettingsLayout, testing::Values("english", "german", "long"));
