// Translation of the running player window in this process: menus, toolbar
// and the playlist window at start and after a language change; bad
// language files; and the menus' label and shortcut columns as drawn.
#include "app/Settings.h"
#include "framework/Menu.h"
#include "framework/MenuColumns.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "playlist/PlaylistDlg.h"
#include "res/resource.h"
#include "tests/win/player/OpeningSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using zvtest::ItemsOf;
using zvtest::MenuItem;
using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;

namespace {

LanguageTable Language(int resource) {
  LanguageTable language;
  EXPECT_TRUE(zv::LoadNameTableResource(language));
  EXPECT_TRUE(SUCCEEDED(zv::LoadBuiltInLanguage(language, resource)));
  return language;
}

std::wstring Value(const LanguageTable& language, const char16_t* section, const char16_t* key) {
  return fw::ToWide(language.Text(section, key));
}

// Every item text of a menu tree, depth first.
void Collect(HMENU menu, std::vector<std::wstring>* texts) {
  for (const MenuItem& item : ItemsOf(menu)) texts->push_back(item.text);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (HMENU sub = GetSubMenu(menu, i)) Collect(sub, texts);
}

struct Snapshot {
  std::vector<std::wstring> main, context, playlistWindow;
  std::wstring openTooltip;
  bool operator==(const Snapshot& o) const {
    return main == o.main && context == o.context && playlistWindow == o.playlistWindow &&
           openTooltip == o.openTooltip;
  }
};

Snapshot Take(ScriptedPlayer& player) {
  Snapshot s;
  Collect(player.MainMenu(), &s.main);
  Collect(player.ContextMenu(), &s.context);
  CPlaylistDlg* window = player.PlaylistWindow();
  s.playlistWindow.push_back(window->GetText());
  for (int id : {IDC_ADD, IDC_DELETE, IDC_DELETEALL, IDC_BUTTON_OPEN, IDC_BUTTON_SPEICHERN, IDC_BUTTON_SPEICHERNUNTER})
    s.playlistWindow.push_back(window->ItemText(id));
  s.openTooltip = player.ToolBar().ButtonTooltip(IDTBB_OPEN);
  return s;
}

std::wstring TextAt(HMENU menu, int position) { return fw::ItemTextAt(menu, position); }

}  // namespace

TEST(PlayerTranslation, EveryOpenWindowFollowsALanguageChangeAndBack) {
  LanguageTable language = Language(IDR_LNG_GERMAN);
  const LanguageTable german = Language(IDR_LNG_GERMAN);
  const LanguageTable english = Language(IDR_LNG_ENGLISH);
  auto settings = zvtest::PlayerSettings();
  RunPlayer(
      [&](ScriptedPlayer& player) {
        player.ShowPlaylistWindow();
        HMENU main = player.MainMenu();
        // The bar, a command, a named sub-menu and a shortcut, in both menus.
        EXPECT_EQ(TextAt(main, 0), Value(german, u"MainMenu", u"IDM_DATEI"));
        EXPECT_EQ(TextAt(player.ContextMenu(), 1), Value(german, u"MainMenu", u"IDM_WIEDERGABE"));
        EXPECT_EQ(fw::ItemText(main, IDM_DATEI_OEFFNEN), L"\u00D6&ffnen...\tEINFG");
        EXPECT_EQ(fw::ItemText(player.ContextMenu(), IDM_WIEDERGABE_SPRINGELETZTESTELLE),
                  Value(german, u"MainMenu", u"IDM_WIEDERGABE_SPRINGELETZTESTELLE"));
        const CPopupMenu::Record* audio = player.Popups().Find(u"idm_wiedergabe_streams_audio");
        ASSERT_NE(audio, nullptr);
        const int audioAt = player.Popups().PositionIn(*audio, CPopupMenu::kMainMenu);
        EXPECT_EQ(TextAt(audio->parent[CPopupMenu::kMainMenu], audioAt),
                  Value(german, u"MainMenu", u"IDM_WIEDERGABE_STREAMS_AUDIO"));
        EXPECT_EQ(player.ToolBar().ButtonTooltip(IDTBB_OPEN), Value(german, u"ToolBar", u"Open"));
        // The mute button (no toolbar button) shows the action of its state.
        EXPECT_EQ(player.MuteButton().TooltipText(), Value(german, u"ToolBar", u"Mute"));
        EXPECT_EQ(player.PlaylistWindow()->ItemText(IDC_ADD), Value(german, u"IDD_PLAYLIST_DIALOG", u"IDC_ADD"));
        const Snapshot before = Take(player);

        // The registry answers for the item that holds a named pop-up, also
        // after items were inserted in front of it at run time.
        HMENU playback = audio->parent[CPopupMenu::kMainMenu];
        EXPECT_TRUE(player.Popups().Holds(playback, audioAt, u"IDM_WIEDERGABE_STREAMS_AUDIO"));
        EXPECT_FALSE(player.Popups().Holds(playback, audioAt, u"IDM_WIEDERGABE_STREAMS_ANGLE"));
        EXPECT_FALSE(player.Popups().Holds(playback, audioAt - 1, u"IDM_WIEDERGABE_STREAMS_AUDIO"));
        InsertMenuW(playback, 0, MF_BYPOSITION | MF_STRING, ID_STREAM_CHAPTER_FIRST, L"Inserted");
        EXPECT_EQ(player.Popups().PositionIn(*audio, CPopupMenu::kMainMenu), audioAt + 1);
        EXPECT_TRUE(player.Popups().Holds(playback, audioAt + 1, u"IDM_WIEDERGABE_STREAMS_AUDIO"));
        DeleteMenu(playback, 0, MF_BYPOSITION);

        // A sub-menu filled at run time keeps its entries; checks and grey stay.
        HMENU audioMenu = audio->popup[CPopupMenu::kMainMenu];
        AppendMenuW(audioMenu, MF_STRING, ID_STREAM_AUDIO_FIRST, L"Track 1");
        const bool titleBarChecked = fw::IsItemChecked(main, IDM_ANSICHT_TITLEBAR);
        EXPECT_FALSE(fw::IsItemEnabled(main, IDM_DATEI_SCHLIESSEN));

        settings->LanguageType = 0;
        settings->LanguageResource = u"IDR_LNG_ENGLISH";
        ASSERT_TRUE(player.ApplyLanguageChange());
        EXPECT_EQ(TextAt(main, 0), L"&File");
        EXPECT_EQ(fw::ItemText(main, IDM_DATEI_OEFFNEN), L"&Open...\tINS");
        EXPECT_EQ(fw::ItemText(player.ContextMenu(), IDM_DATEI_OEFFNEN), L"&Open...\tINS");
        EXPECT_EQ(TextAt(audio->parent[CPopupMenu::kMainMenu], player.Popups().PositionIn(*audio, CPopupMenu::kMainMenu)),
                  L"&Audio Tracks");
        EXPECT_EQ(GetSubMenu(audio->parent[CPopupMenu::kMainMenu], audioAt), audioMenu);
        EXPECT_EQ(fw::ItemText(audioMenu, ID_STREAM_AUDIO_FIRST), L"Track 1");
        EXPECT_EQ(fw::IsItemChecked(main, IDM_ANSICHT_TITLEBAR), titleBarChecked);
        EXPECT_FALSE(fw::IsItemEnabled(main, IDM_DATEI_SCHLIESSEN));
        EXPECT_EQ(player.ToolBar().ButtonTooltip(IDTBB_OPEN), Value(english, u"ToolBar", u"Open"));
        EXPECT_EQ(player.MuteButton().TooltipText(), Value(english, u"ToolBar", u"Mute"));
        EXPECT_EQ(player.PlaylistWindow()->ItemText(IDC_ADD), Value(english, u"IDD_PLAYLIST_DIALOG", u"IDC_ADD"));
        EXPECT_EQ(player.PlaylistWindow()->GetText(), Value(english, u"IDD_PLAYLIST_DIALOG", u"ID_CAPTION"));
        DeleteMenu(audioMenu, ID_STREAM_AUDIO_FIRST, MF_BYCOMMAND);

        settings->LanguageResource = u"IDR_LNG_GERMAN";
        ASSERT_TRUE(player.ApplyLanguageChange());
        EXPECT_TRUE(Take(player) == before);
      },
      settings.get(), nullptr, &language);
}

TEST(PlayerTranslation, APartialOrBrokenLanguageFileChangesOnlyWhatItNames) {
  TempFolder folder(L"zv_translate_bad");
  // A key not in the name table, a key given twice (the first line wins for
  // menus), an empty caption, and nothing else.
  const std::wstring partial = folder.Write(
      L"partial.lng",
      "\xEF\xBB\xBF[MainMenu]\r\nIDM_NOT_A_NAME=Nothing\r\nIDM_DATEI_BEENDEN=&Quit now\r\n"
      "IDM_DATEI_BEENDEN=&Later line\r\nIDM_EXTRAS=E&xtra\r\n[IDD_PLAYLIST_DIALOG]\r\nID_CAPTION=\r\n"
      "IDC_DELETE=&Remove\r\n[ToolBar]\r\nNoSuchButton=x\r\nopen=lower case names no button\r\n");
  LanguageTable language = Language(IDR_LNG_ENGLISH);
  auto settings = zvtest::PlayerSettings();
  RunPlayer(
      [&](ScriptedPlayer& player) {
        player.ShowPlaylistWindow();
        std::vector<std::wstring> before;
        Collect(player.MainMenu(), &before);
        const std::wstring caption = player.PlaylistWindow()->GetText();
        const std::wstring tooltip = player.ToolBar().ButtonTooltip(IDTBB_OPEN);

        settings->LanguageType = 1;
        settings->LanguageFile = fw::ToU16(partial);
        ASSERT_TRUE(player.ApplyLanguageChange());
        std::vector<std::wstring> after;
        Collect(player.MainMenu(), &after);
        EXPECT_EQ(fw::ItemText(player.MainMenu(), IDM_DATEI_BEENDEN), L"&Quit now");
        EXPECT_EQ(TextAt(player.MainMenu(), 4), L"E&xtra");
        // Everything else as it was.
        ASSERT_EQ(after.size(), before.size());
        int changed = 0;
        for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
        EXPECT_EQ(changed, 2);
        EXPECT_EQ(player.PlaylistWindow()->GetText(), caption);
        EXPECT_EQ(player.PlaylistWindow()->ItemText(IDC_DELETE), L"&Remove");
        EXPECT_EQ(player.ToolBar().ButtonTooltip(IDTBB_OPEN), tooltip);

        // A file that is not there: nothing changes, the language stays.
        settings->LanguageFile = fw::ToU16(folder.Path() + L"missing.lng");
        EXPECT_FALSE(player.ApplyLanguageChange());
        EXPECT_EQ(fw::ItemText(player.MainMenu(), IDM_DATEI_BEENDEN), L"&Quit now");
        settings->LanguageType = 0;
        settings->LanguageResource = u"IDR_LNG_NOWHERE";
        EXPECT_FALSE(player.ApplyLanguageChange());
      },
      settings.get(), nullptr, &language);
}

TEST(PlayerTranslation, WithoutALanguageTheTemplateTextsStay) {
  RunPlayer([&](ScriptedPlayer& player) {
    EXPECT_EQ(fw::ItemText(player.MainMenu(), IDM_DATEI_OEFFNEN), L"&Open...\tINS");
    EXPECT_FALSE(player.ApplyLanguageChange());
  });
}

namespace {

// Columns of a bitmap that hold a pixel darker than the background.
std::vector<bool> InkedColumns(HDC dc, const RECT& r, COLORREF background) {
  std::vector<bool> inked(static_cast<size_t>(r.right - r.left), false);
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y)
      if (GetPixel(dc, x, y) != background) {
        inked[static_cast<size_t>(x - r.left)] = true;
        break;
      }
  return inked;
}

}  // namespace

TEST(MenuColumns, ShortcutsStandRightAlignedInAColumnOfTheirOwn) {
  LanguageTable language = Language(IDR_LNG_ENGLISH);
  RunPlayer(
      [&](ScriptedPlayer& player) {
        const CPopupMenu::Record* playback = player.Popups().Find(u"IDM_WIEDERGABE");
        ASSERT_NE(playback, nullptr);
        HMENU popup = playback->popup[CPopupMenu::kMainMenu];
        const std::vector<MenuItem> before = ItemsOf(popup);
        // Opened twice: the second opening takes its items over again.
        for (int opening = 0; opening < 2; ++opening)
          SendMessageW(player.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, FALSE));
        // The texts are still the items' own.
        EXPECT_EQ(ItemsOf(popup).size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(ItemsOf(popup)[i].text, before[i].text);
        fw::MenuColumns::Layout layout;
        ASSERT_TRUE(player.MenuDrawing().LayoutOf(popup, &layout));
        EXPECT_GE(layout.gap, 16);

        // The widest label: the item whose label ran into its shortcut.
        const int position = [&] {
          for (size_t i = 0; i < before.size(); ++i)
            if (before[i].id == IDM_WIEDERGABE_SPRINGELETZTESTELLE) return static_cast<int>(i);
          return -1;
        }();
        ASSERT_GE(position, 0);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);

        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = IDM_WIEDERGABE_SPRINGELETZTESTELLE;
        measure.itemData = info.dwItemData;
        SendMessageW(player.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        const int width = static_cast<int>(measure.itemWidth);
        const int height = static_cast<int>(measure.itemHeight);
        EXPECT_EQ(width, layout.labelLeft + layout.labelWidth + layout.gap + layout.shortcutWidth + layout.rightMargin);

        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = IDM_WIEDERGABE_SPRINGELETZTESTELLE;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = reinterpret_cast<HWND>(popup);
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, width, height};
        draw.itemData = info.dwItemData;
        SendMessageW(player.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        const std::vector<bool> inked = InkedColumns(dc, draw.rcItem, GetSysColor(COLOR_MENU));
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);

        // Label ink, then a clear gap of the column spacing, then the "J"
        // ending at the right margin.
        const int lastInk = static_cast<int>(std::find(inked.rbegin(), inked.rend(), true) - inked.rbegin());
        const int shortcutEnd = width - lastInk;
        EXPECT_GE(shortcutEnd, width - layout.rightMargin - 2);
        EXPECT_LE(shortcutEnd, width - layout.rightMargin);
        int shortcutStart = shortcutEnd;
        while (shortcutStart > 0 && inked[static_cast<size_t>(shortcutStart - 1)]) --shortcutStart;
        int labelEnd = shortcutStart;
        while (labelEnd > 0 && !inked[static_cast<size_t>(labelEnd - 1)]) --labelEnd;
        EXPECT_GE(shortcutStart - labelEnd, layout.gap);

        // Mnemonics still choose their item: "L&oop" by "o".
        const LRESULT chosen =
            SendMessageW(player.hwnd(), WM_MENUCHAR, MAKEWPARAM(L'O', MF_POPUP), reinterpret_cast<LPARAM>(popup));
        EXPECT_EQ(HIWORD(chosen), MNC_EXECUTE);
        EXPECT_EQ(GetMenuItemID(popup, LOWORD(chosen)), static_cast<UINT>(IDM_WIEDERGABE_ENDLOSSCHLEIFE));
      },
      nullptr, nullptr, &language);
}

namespace {

BOOL CALLBACK FindPopupMenu(HWND hwnd, LPARAM data) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(data) = hwnd;
  return FALSE;
}

}  // namespace

TEST(PlayerMenus, AMnemonicOfTheBarOpensItsPopup) {
  LanguageTable language = Language(IDR_LNG_ENGLISH);
  std::atomic<bool> opened{false};
  RunPlayer(
      [&](ScriptedPlayer& player) {
        std::atomic<bool> done{false};
        HWND window = player.hwnd();
        // The menu loop runs inside the system command; a second thread sees
        // the pop-up and ends the loop with Escape (also when none opened).
        std::thread watcher([&] {
          for (int i = 0; i < 250 && !done; ++i, Sleep(20)) {
            HWND popup = nullptr;
            EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&popup));
            if (!popup) continue;
            opened = true;
            break;
          }
          for (int i = 0; i < 3; ++i) PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L'f');
        done = true;
        watcher.join();
      },
      nullptr, nullptr, &language);
  EXPECT_TRUE(opened);
}
