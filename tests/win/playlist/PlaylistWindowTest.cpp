// The playlist window in the running player window, in this process: real
// drops, the real file dialogs answered as a user would, the list's own
// notifications for selection and activation, the spin control's arrows.
#include "app/Settings.h"
#include "framework/Menu.h"
#include "framework/WideString.h"
#include "playlist/CPlaylist.h"
#include "playlist/PlaylistDlg.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/media/QuirkOverride.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using zvtest::FileDialogAnswer;
using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;
using zvtest::WaitFor;

namespace {

constexpr DWORD kPlayTimeoutMs = 30000;

CPlaylistDlg& ShownWindow(ScriptedPlayer& player) {
  player.ShowPlaylistWindow();
  CPlaylistDlg* window = player.PlaylistWindow();
  EXPECT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
  return *window;
}

HWND ListOf(CPlaylistDlg& window) { return window.Item(IDC_PLAYLIST); }

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring RowText(HWND list, int row) {
  wchar_t text[MAX_PATH * 2] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

int RowImage(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = -1;;) {
    row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
    if (row < 0) return rows;
    rows.push_back(row);
  }
}

// As clicks with Ctrl would: the list tells the window, the marks follow.
void SelectRows(HWND list, std::initializer_list<int> rows) {
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  for (int row : rows) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

std::vector<int> MarkedPositions(CZentravueDlg& player) {
  std::vector<int> marked;
  for (int p = 1; p <= player.Playlist().Count(); ++p)
    if (player.Playlist().EntryAt(p)->marked) marked.push_back(p);
  return marked;
}

// As a user clicks: only an enabled button.
void Click(CPlaylistDlg& window, int id) {
  ASSERT_TRUE(IsWindowEnabled(window.Item(id))) << "button " << id << " is greyed";
  SendMessageW(window.Item(id), BM_CLICK, 0, 0);
}

// A click on one arrow of the spin control.
void ClickSpin(CPlaylistDlg& window, bool upper) {
  HWND spin = window.Item(IDC_SPIN_PLAYLIST);
  RECT r{};
  GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, upper ? r.bottom / 4 : r.bottom * 3 / 4);
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(spin, WM_LBUTTONUP, 0, at);
}

void Fill(CZentravueDlg& player, const std::vector<std::wstring>& names) {
  player.Playlist().Clear();
  for (const std::wstring& name : names) player.Playlist().AddEntry(fw::ToU16(name));
  player.RefreshPlaylistCommands();
}

std::wstring Names(CZentravueDlg& player) {
  std::wstring names;
  for (const std::wstring& entry : zvtest::Entries(player)) names += entry.substr(entry.find_last_of(L'\\') + 1, 1);
  return names;
}

std::string FileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

std::wstring Utf16Text(const std::string& bytes) {
  std::wstring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

// The player's playlist menu items, in both menus.
bool PlaylistItemsEnabled(CZentravueDlg& player) {
  for (UINT id : {IDM_PLAYLIST_SPEICHERNUNTER, IDM_PLAYLIST_ERSTERTITEL, IDM_PLAYLIST_NAECHSTERTITEL}) {
    if (!fw::IsItemEnabled(player.MainMenu(), id) || !fw::IsItemEnabled(player.ContextMenu(), id)) return false;
  }
  return true;
}

bool PlaylistItemsGreyed(CZentravueDlg& player) {
  for (UINT id : {IDM_PLAYLIST_SPEICHERNUNTER, IDM_PLAYLIST_ERSTERTITEL, IDM_PLAYLIST_NAECHSTERTITEL}) {
    if (fw::IsItemEnabled(player.MainMenu(), id) || fw::IsItemEnabled(player.ContextMenu(), id)) return false;
  }
  return true;
}


int TopRow(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }

bool RowInView(HWND list, int row) {
  const int top = TopRow(list);
  return row >= top && row < top + static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
}

// The list's client area as the display shows it, after pending paints.
zvtest::ScreenCapture ShownList(HWND list) {
  UpdateWindow(list);
  RECT area{};
  GetClientRect(list, &area);
  return zvtest::CaptureClient(list, area);
}

// What a refresh left on the display equals a repaint of the whole list.
void ExpectFullyRepainted(HWND list) {
  const zvtest::ScreenCapture shown = ShownList(list);
  InvalidateRect(list, nullptr, TRUE);
  const zvtest::ScreenCapture repainted = ShownList(list);
  // Text, grid and selection: a list that shows something.
  std::vector<uint32_t> colours(shown.pixels);
  std::sort(colours.begin(), colours.end());
  ASSERT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 3);
  EXPECT_TRUE(shown == repainted) << "rows left unpainted";
}

std::vector<std::wstring> Numbered(int count) {
  std::vector<std::wstring> names;
  for (int i = 1; i <= count; ++i) names.push_back(L"C:\\list\\entry " + std::to_wstring(i) + L".avi");
  return names;
}
}  // namespace

TEST(PlaylistWindow, DroppedFilesAreAppendedInDropOrderAndTheFirstPlays) {
  TempFolder folder(L"zv_pl_drop");
  const std::wstring c = folder.Copy(L"v.avi", L"c.avi");
  const std::wstring a = folder.Copy(L"v.mkv", L"a.mkv");
  const std::wstring b = folder.Copy(L"v.ogg", L"b.ogg");
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg& window = ShownWindow(player);
    HWND list = ListOf(window);
    // Empty: the list takes no input, so the shell hands a drop to the window.
    EXPECT_FALSE(IsWindowEnabled(list));
    EXPECT_TRUE(PlaylistItemsGreyed(player));
    PostMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(zvtest::MakeDrop({c, a, b})), 0);
    ASSERT_TRUE(WaitFor([&] { return player.CurrentMedia() != nullptr; }, kPlayTimeoutMs));
    EXPECT_EQ(zvtest::Entries(player), (std::vector<std::wstring>{c, a, b}));
    EXPECT_EQ(player.Playlist().CurrentPosition(), 1);
    ASSERT_TRUE(WaitFor([&] { return PlaylistItemsEnabled(player); }, 5000));
    EXPECT_TRUE(IsWindowEnabled(list));
    ASSERT_EQ(RowCount(list), 3);
    EXPECT_EQ(RowText(list, 0), c);
    EXPECT_EQ(RowText(list, 2), b);
    EXPECT_EQ(RowImage(list, 0), 0);
    EXPECT_LT(RowImage(list, 1), 0);
    EXPECT_EQ(window.List().EntryIdAt(1), player.Playlist().EntryAt(2)->id);
    // Onto the list itself now: appended, and the playing entry stays.
    const std::wstring d = folder.Copy(L"v.avi", L"d.avi");
    PostMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(zvtest::MakeDrop({d})), 0);
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 4; }, 5000));
    EXPECT_EQ(player.Playlist().EntryPath(4), fw::ToU16(d));
    EXPECT_EQ(player.Playlist().CurrentPosition(), 1);
  });
}

TEST(PlaylistWindow, AMixedDropIsAppendedAsItIsWithoutPlaying) {
  TempFolder folder(L"zv_pl_mixed");
  const std::wstring media = folder.Copy(L"v.avi", L"m.avi");
  const std::wstring shortcut = folder.Write(L"broken.lnk", "not a shortcut at all");
  const std::wstring missing = folder.Path() + L"gone\\nothing.avi";
  const std::wstring longName = folder.Path() + std::wstring(300, L'x') + L".avi";
  const std::wstring subfolder = folder.Path() + L"sub";
  CreateDirectoryW(subfolder.c_str(), nullptr);
  RunPlayer([&](ScriptedPlayer& player) {
    Fill(player, {media});
    CPlaylistDlg& window = ShownWindow(player);
    HWND list = ListOf(window);
    SendMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(zvtest::MakeDrop({})), 0);
    EXPECT_EQ(player.Playlist().Count(), 1);
    PostMessageW(list, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(zvtest::MakeDrop({subfolder, shortcut, missing, longName})), 0);
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 5; }, 5000));
    EXPECT_EQ(zvtest::Entries(player), (std::vector<std::wstring>{media, subfolder, shortcut, missing, longName}));
    EXPECT_EQ(RowText(list, 4), longName);
    // Not empty before: nothing was played.
    EXPECT_EQ(player.CurrentMedia(), nullptr);
  });
}

TEST(PlaylistWindow, DeleteRemovesTheSelectedEntriesAndDeleteAllEmptiesEverything) {
  TempFolder folder(L"zv_pl_delete");
  const std::wstring list1 = folder.Path() + L"list.zvp";
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg& window = ShownWindow(player);
    HWND list = ListOf(window);
    // Filled by the player while the window is open: its controls follow.
    Fill(player, {L"C:\\1.avi", L"C:\\2.avi", L"C:\\3.avi", L"C:\\4.avi"});
    player.Playlist().SetFileName(fw::ToU16(list1));
    player.Playlist().SetCurrentByPosition(3);
    for (int id : {IDC_PLAYLIST, IDC_DELETE, IDC_DELETEALL, IDC_BUTTON_SPEICHERNUNTER, IDC_BUTTON_SPEICHERN})
      EXPECT_TRUE(IsWindowEnabled(window.Item(id))) << id;
    // Nothing marked: the first row is selected, and marked.
    window.List().RefreshPlaylistView();
    EXPECT_EQ(SelectedRows(list), std::vector<int>{0});
    SelectRows(list, {0, 2});
    EXPECT_EQ(MarkedPositions(player), (std::vector<int>{1, 3}));
    Click(window, IDC_DELETE);
    EXPECT_EQ(Names(player), L"24");
    // The current entry went with them.
    EXPECT_EQ(player.Playlist().CurrentPosition(), 0);
    EXPECT_EQ(RowCount(list), 2);
    EXPECT_TRUE(IsWindowEnabled(window.Item(IDC_BUTTON_SPEICHERN)));
    ASSERT_TRUE(WaitFor([&] { return PlaylistItemsEnabled(player); }, 5000));

    Click(window, IDC_DELETEALL);
    EXPECT_EQ(player.Playlist().Count(), 0);
    EXPECT_EQ(RowCount(list), 0);
    for (int id : {IDC_PLAYLIST, IDC_DELETE, IDC_DELETEALL, IDC_BUTTON_SPEICHERNUNTER, IDC_BUTTON_SPEICHERN})
      EXPECT_FALSE(IsWindowEnabled(window.Item(id))) << id;
    EXPECT_TRUE(player.Playlist().FileName().empty());
    EXPECT_TRUE(IsWindowEnabled(window.Item(IDC_ADD)));
    ASSERT_TRUE(WaitFor([&] { return PlaylistItemsGreyed(player); }, 5000));
    EXPECT_FALSE(fw::IsItemEnabled(player.MainMenu(), IDM_PLAYLIST_SPEICHERN));
  });
}

TEST(PlaylistWindow, SpinArrowsMoveTheSelectedEntriesAndStopAtTheEdges) {
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg& window = ShownWindow(player);
    HWND list = ListOf(window);
    const std::vector<std::wstring> four = {L"C:\\1.avi", L"C:\\2.avi", L"C:\\3.avi", L"C:\\4.avi"};
    Fill(player, four);
    SelectRows(list, {1, 2});
    ClickSpin(window, true);  // up: towards the start
    EXPECT_EQ(Names(player), L"2314");
    // The selection moved with its entries.
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1}));
    ClickSpin(window, true);  // the first entry is selected: nothing moves
    EXPECT_EQ(Names(player), L"2314");

    Fill(player, four);
    SelectRows(list, {1, 2});
    ClickSpin(window, false);
    EXPECT_EQ(Names(player), L"1423");

    Fill(player, four);
    SelectRows(list, {2, 3});
    ClickSpin(window, false);  // the last is skipped, the other moves on
    EXPECT_EQ(Names(player), L"1243");
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{2, 3}));
  });
}

// A long list keeps its view at the current entry through edits: only the
// rows that changed are repainted, and what the display shows is what a
// full repaint shows.
TEST(PlaylistWindow, EditsOfALongListKeepTheViewSelectionFocusAndIcon) {
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg& window = ShownWindow(player);
    SetWindowPos(window.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND list = ListOf(window);
    // Other entries in the same rows: all repainted.
    Fill(player, Numbered(300));
    player.Playlist().SetCurrentByPosition(1);
    std::vector<std::wstring> others = Numbered(300);
    std::reverse(others.begin(), others.end());
    UpdateWindow(list);  // each edit starts from a painted list
    Fill(player, others);
    EXPECT_EQ(RowText(list, 0), L"C:\\list\\entry 300.avi");
    ExpectFullyRepainted(list);

    Fill(player, Numbered(300));
    player.Playlist().SetCurrentByPosition(200);
    ASSERT_TRUE(RowInView(list, 199));
    ASSERT_GT(TopRow(list), 100);
    EXPECT_EQ(RowImage(list, 199), 0);

    // Deleting a row above the current one: the icon moves up with its
    // entry, the first row is selected (and marked), the view stays.
    const int top = TopRow(list);
    SelectRows(list, {198});
    UpdateWindow(list);
    Click(window, IDC_DELETE);
    EXPECT_EQ(player.Playlist().Count(), 299);
    EXPECT_EQ(player.Playlist().CurrentPosition(), 199);
    EXPECT_EQ(RowImage(list, 198), 0);
    EXPECT_LT(RowImage(list, 199), 0);
    EXPECT_EQ(RowText(list, 198), L"C:\\list\\entry 200.avi");
    EXPECT_EQ(SelectedRows(list), std::vector<int>{0});
    EXPECT_EQ(MarkedPositions(player), std::vector<int>{1});
    EXPECT_EQ(window.List().FocusedRow(), 0);
    EXPECT_EQ(TopRow(list), top);
    ExpectFullyRepainted(list);

    // Marks made elsewhere become the selection; the focus goes to the last.
    player.Playlist().MarkPosition(1, 0);
    player.Playlist().MarkPosition(190, 1);
    player.Playlist().MarkPosition(196, 1);
    window.List().RefreshPlaylistView();
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{189, 195}));
    EXPECT_EQ(window.List().FocusedRow(), 195);
    UpdateWindow(list);
    ClickSpin(window, true);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{188, 194}));
    EXPECT_EQ(window.List().FocusedRow(), 194);
    EXPECT_EQ(RowText(list, 188), L"C:\\list\\entry 190.avi");
    EXPECT_EQ(TopRow(list), top);
    ExpectFullyRepainted(list);

    // Rows gone from the end of the view leave nothing behind.
    player.Playlist().MarkAll(0);
    player.Playlist().SetCurrentByPosition(297);
    SelectRows(list, {297, 298});
    UpdateWindow(list);
    Click(window, IDC_DELETE);
    EXPECT_EQ(RowCount(list), 297);
    EXPECT_TRUE(RowInView(list, 296));
    EXPECT_EQ(RowImage(list, 296), 0);
    ExpectFullyRepainted(list);

    // Back at the first row of a long list: a key moves on from the focused
    // first row, wherever the view was.
    player.Playlist().SetCurrentByPosition(150);
    ASSERT_EQ(SelectedRows(list), std::vector<int>{0});
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(list, WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
    EXPECT_EQ(MarkedPositions(player), std::vector<int>{2});
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    EXPECT_TRUE(RowInView(list, 1));

    // Where focusing leaves the view alone (Windows), the list holds the
    // focus at once.
    zvtest::QuirkOverride windows(&zv::quirks_detail::Answers::focusingListRowScrolls, false);
    SelectRows(list, {100});
    Click(window, IDC_DELETE);
    EXPECT_EQ(SelectedRows(list), std::vector<int>{0});
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 0);
    EXPECT_EQ(window.List().FocusedRow(), 0);
  });
}

TEST(PlaylistWindow, AddTakesTheChosenFilesAndPlaysWhenTheListWasEmpty) {
  TempFolder folder(L"zv_pl_add");
  const std::wstring a = folder.Copy(L"v.avi", L"a.avi");
  const std::wstring b = folder.Copy(L"v.mkv", L"b.mkv");
  bool answered = false;
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg& window = ShownWindow(player);
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.Path().c_str());
    {
      FileDialogAnswer answer(L"\"a.avi\" \"b.mkv\"");
      Click(window, IDC_ADD);
      answered = answer.Answered();
    }
    SetCurrentDirectoryW(previous);
    std::vector<std::wstring> entries = zvtest::Entries(player);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::wstring>{a, b}));
    EXPECT_EQ(player.Playlist().CurrentPosition(), 1);
    EXPECT_NE(player.CurrentMedia(), nullptr);
    EXPECT_EQ(RowCount(ListOf(window)), 2);
    {
      FileDialogAnswer cancel(L"");
      Click(window, IDC_ADD);
    }
    EXPECT_EQ(player.Playlist().Count(), 2);
  });
  EXPECT_TRUE(answered);
}

TEST(PlaylistWindow, SaveAsWritesUtf16SaveWritesBackAndOpenPlaysTheStoredPosition) {
  TempFolder folder(L"zv_pl_save");
  const std::wstring a = folder.Copy(L"v.avi", L"a.avi");
  const std::wstring b = folder.Copy(L"v.mkv", L"b.mkv");
  const std::wstring saved = folder.Path() + L"mine.zvp";
  RunPlayer([&](ScriptedPlayer& player) {
    Fill(player, {a, b, L"http://127.0.0.1/x.mp3"});
    CPlaylistDlg& window = ShownWindow(player);
    EXPECT_FALSE(IsWindowEnabled(window.Item(IDC_BUTTON_SPEICHERN)));
    {
      // Typed without the extension: the dialog adds it.
      FileDialogAnswer answer(folder.Path() + L"mine");
      Click(window, IDC_BUTTON_SPEICHERNUNTER);
      EXPECT_TRUE(answer.Answered());
    }
    const std::string bytes = FileBytes(saved);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::wstring text = Utf16Text(bytes);
    EXPECT_NE(text.find(L"<media>a.avi</media>\r\n<media>b.mkv</media>\r\n<media>http://127.0.0.1/x.mp3</media>"),
              std::wstring::npos);
    EXPECT_EQ(player.Playlist().FileName(), fw::ToU16(saved));
    EXPECT_TRUE(IsWindowEnabled(window.Item(IDC_BUTTON_SPEICHERN)));
    ASSERT_TRUE(WaitFor([&] { return fw::IsItemEnabled(player.MainMenu(), IDM_PLAYLIST_SPEICHERN); }, 5000));

    SelectRows(ListOf(window), {2});
    Click(window, IDC_DELETE);
    Click(window, IDC_BUTTON_SPEICHERN);
    EXPECT_EQ(Utf16Text(FileBytes(saved)).find(L"x.mp3"), std::wstring::npos);

    // Another list, whose second entry was the last played.
    const std::wstring other = folder.Path() + L"other.zvp";
    folder.Write(L"other.zvp",
                 "<zentravue build=\"1.0.0.0\">\r\n<playlist lastPosition=\"2\">\r\n<media>b.mkv</media>\r\n"
                 "<media>a.avi</media>\r\n</playlist>\r\n</zentravue>\r\n");
    {
      FileDialogAnswer answer(other);
      Click(window, IDC_BUTTON_OPEN);
    }
    EXPECT_EQ(zvtest::Entries(player), (std::vector<std::wstring>{b, a}));
    EXPECT_EQ(player.Playlist().CurrentPosition(), 2);
    EXPECT_NE(player.CurrentMedia(), nullptr);
    EXPECT_EQ(RowImage(ListOf(window), 1), 0);
    EXPECT_EQ(player.Playlist().FileName(), fw::ToU16(other));
  });
}

TEST(PlaylistWindow, AFailedSaveIsReportedAndTheFileKeepsItsContent) {
  TempFolder folder(L"zv_pl_locked");
  const std::wstring path =
      folder.Write(L"locked.zvp", "<zentravue><playlist><media>old.avi</media></playlist></zentravue>");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string before = FileBytes(path);
  int boxes = 0;
  RunPlayer([&](ScriptedPlayer& player) {
    Fill(player, {L"C:\\new.avi"});
    player.Playlist().SetFileName(fw::ToU16(path));
    // Hidden (the player's own save command): the box belongs to the player.
    CPlaylistDlg* window = player.PlaylistWindow();
    ASSERT_NE(window, nullptr);
    zvtest::MessageBoxWatcher watcher;
    EXPECT_FALSE(window->SavePlaylist());
    boxes = watcher.Count();
    // Nothing is written back at the end either: the name goes.
    player.Playlist().SetFileName(u"");
  });
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(FileBytes(path), before);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(PlaylistWindow, ActivatingARowPlaysItsEntry) {
  TempFolder folder(L"zv_pl_activate");
  const std::wstring a = folder.Copy(L"v.avi", L"a.avi");
  const std::wstring b = folder.Copy(L"v.mkv", L"b.mkv");
  const std::wstring c = folder.Copy(L"v.ogg", L"c.ogg");
  RunPlayer([&](ScriptedPlayer& player) {
    Fill(player, {a, b, c});
    CPlaylistDlg& window = ShownWindow(player);
    HWND list = ListOf(window);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(WaitFor([&] { return player.CurrentMedia() != nullptr; }, kPlayTimeoutMs));
    EXPECT_EQ(player.Playlist().CurrentPosition(), 2);
    EXPECT_EQ(RowImage(list, 1), 0);
    EXPECT_LT(RowImage(list, 0), 0);

    // Enter on the focused row.
    SelectRows(list, {2});
    LVITEMW focus{};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
    SendMessageW(window.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(player.Playlist().CurrentPosition(), 3);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
}

TEST(PlaylistWindow, RectangleIsStoredRestoredAndNeverOffScreen) {
  auto settings = zvtest::PlayerSettings();
  settings->PlaylistWindowRect = zv::SettingsRect{-5000, -4000, -4990, -3990};
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RunPlayer(
      [&](ScriptedPlayer& player) {
        CPlaylistDlg& window = ShownWindow(player);
        RECT r{};
        GetWindowRect(window.hwnd(), &r);
        // Far off and too small: on the screen, at the design size.
        EXPECT_GE(r.left, work.left);
        EXPECT_GE(r.top, work.top);
        EXPECT_LE(r.right, work.right);
        EXPECT_LE(r.bottom, work.bottom);
        EXPECT_EQ(r.right - r.left, window.MinimumSize().cx);
        EXPECT_EQ(r.bottom - r.top, window.MinimumSize().cy);
        SetWindowPos(window.hwnd(), nullptr, 60, 70, window.MinimumSize().cx + 100, window.MinimumSize().cy + 80,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        // Sizing below the design size is refused.
        RECT small{0, 0, 50, 50};
        SendMessageW(window.hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&small));
        EXPECT_EQ(small.right, window.MinimumSize().cx);
        EXPECT_EQ(small.bottom, window.MinimumSize().cy);
      },
      settings.get());
  const zv::SettingsRect stored = settings->PlaylistWindowRect;
  EXPECT_EQ(stored.left, 60);
  EXPECT_EQ(stored.top, 70);
  RECT restored{};
  RunPlayer(
      [&](ScriptedPlayer& player) {
        CPlaylistDlg& window = ShownWindow(player);
        GetWindowRect(window.hwnd(), &restored);
      },
      settings.get());
  EXPECT_EQ(restored.left, stored.left);
  EXPECT_EQ(restored.top, stored.top);
  EXPECT_EQ(restored.right, stored.right);
  EXPECT_EQ(restored.bottom, stored.bottom);
}

TEST(PlaylistWindow, ShownByTheEditorCommandAndTheToolbarHiddenByClosing) {
  TempFolder folder(L"zv_pl_menu");
  RunPlayer([&](ScriptedPlayer& player) {
    CPlaylistDlg* window = player.PlaylistWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_PLAYLIST_EDITOR, 0);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    // Closing hides; the window and its list stay.
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(player.PlaylistWindow(), window);
    SendMessageW(player.hwnd(), WM_COMMAND, IDTBB_PLAYLIST, 0);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    player.HidePlaylistWindow();
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    player.ShowPlaylistWindow();
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    player.HidePlaylistWindow();

    // The player's own save-as, with the window hidden.
    Fill(player, {L"C:\\a.avi"});
    {
      FileDialogAnswer answer(folder.Path() + L"menu.zvp");
      SendMessageW(player.hwnd(), WM_COMMAND, IDM_PLAYLIST_SPEICHERNUNTER, 0);
    }
    EXPECT_NE(Utf16Text(FileBytes(folder.Path() + L"menu.zvp")).find(L"<media>C:\\a.avi</media>"),
              std::wstring::npos);
    player.Playlist().SetFileName(u"");
  });
}
