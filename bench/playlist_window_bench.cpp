// Playlist window bench: a 100,000-entry playlist shown in the window, as a
// ratio to the playlist's own load time of the same file; moving one
// selected entry and deleting one entry of that list (window repainted), in
// milliseconds and as a ratio to a bare list view doing the same on 100
// rows; all measured in one run.
// Usage (under Wine): bench_playlist_window.exe [entries] [repetitions]
#include "app/Settings.h"
#include "bench/BenchSupport.h"
#include "framework/WideString.h"
#include "playlist/CPlaylist.h"
#include "playlist/PlaylistDlg.h"
#include "playlist/PlaylistWriter.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using zv::bench::Median;
using zv::bench::NowSeconds;
using zv::bench::Pump;

// The window as the user sees it: painted and answering.
void Settle(HWND window) {
  UpdateWindow(window);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
}

std::wstring WriteList(int entries) {
  std::vector<std::u16string> paths;
  paths.reserve(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i)
    paths.push_back(u"C:\\Music\\Artist " + fw::ToU16(std::to_wstring(i % 97)) + u"\\Track " +
                    fw::ToU16(std::to_wstring(i)) + u".mp3");
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"zv_bench_window.zvp";
  const std::vector<uint8_t> bytes = zv::OwnPlaylistBytes(paths, 1, u"1.0.0.0", fw::ToU16(path));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

void SelectOnly(HWND list, int row) {
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// A plain report list view holding its rows itself.
HWND BareList(HWND owner, int rows) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 400,
                              300, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 380;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  for (int i = 0; i < rows; ++i) {
    std::wstring text = L"C:\\Music\\Track " + std::to_wstring(i) + L".mp3";
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = text.data();
    item.lParam = i;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return list;
}

// Moving row `row` up one place in a bare list: its text and data change
// places with the row above, the selection follows.
void BareMoveUp(HWND list, int row) {
  wchar_t a[MAX_PATH] = {}, b[MAX_PATH] = {};
  LVITEMW get{};
  get.cchTextMax = MAX_PATH;
  get.pszText = a;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&get));
  get.pszText = b;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&get));
  LVITEMW set{};
  set.pszText = b;
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
  set.pszText = a;
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&set));
  SelectOnly(list, row - 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int entries = argc > 1 ? std::max(100, _wtoi(argv[1])) : 100000;
  const int repetitions = argc > 2 ? std::max(3, _wtoi(argv[2])) : 21;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  const std::wstring path = WriteList(entries);

  std::vector<double> loads;
  for (int i = 0; i < 3; ++i) {
    CPlaylist list;
    const double start = NowSeconds();
    if (!list.Load(fw::ToU16(path)) || list.Count() != entries) {
      std::fprintf(stderr, "bench: the list did not load\n");
      return 1;
    }
    loads.push_back(NowSeconds() - start);
  }
  const double load = Median(loads);

  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  CSettings settings(0);
  CPlaylist playlist;
  playlist.Load(fw::ToU16(path));
  playlist.SetFileName(u"");  // never written back
  std::vector<double> shows;
  for (int i = 0; i < 3; ++i) {
    const double start = NowSeconds();
    CPlaylistDlg window(&playlist, &settings, nullptr, owner);
    window.CreateModeless();
    ShowWindow(window.hwnd(), SW_SHOW);
    Settle(window.hwnd());
    shows.push_back(NowSeconds() - start);
    Pump();
  }
  const double show = Median(shows);

  CPlaylistDlg window(&playlist, &settings, nullptr, owner);
  window.CreateModeless();
  ShowWindow(window.hwnd(), SW_SHOW);
  Settle(window.hwnd());
  HWND list = window.Item(IDC_PLAYLIST);
  // The entry playing is in view near the one moved, as when a user
  // rearranges the list around it (every refresh shows the current entry).
  playlist.SetCurrentByPosition(entries / 2 - 3);
  // The bare list takes its turn right after each of ours, so that a busy
  // moment of the machine reaches both alike.
  HWND bare = BareList(owner, 100);
  std::vector<double> moves, deletes, bareMoves, bareDeletes;
  for (int i = 0; i < repetitions; ++i) {
    const int row = entries / 2 + i % 8;
    SelectOnly(list, row);
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    Settle(window.hwnd());
    double start = NowSeconds();
    window.MoveSelected(-1);
    Settle(window.hwnd());
    moves.push_back(NowSeconds() - start);
    start = NowSeconds();
    window.DeleteSelected();
    Settle(window.hwnd());
    deletes.push_back(NowSeconds() - start);
    Pump();

    SelectOnly(bare, 50);
    Settle(owner);
    start = NowSeconds();
    BareMoveUp(bare, 50);
    Settle(owner);
    bareMoves.push_back(NowSeconds() - start);
    start = NowSeconds();
    SendMessageW(bare, LVM_DELETEITEM, 49, 0);
    Settle(owner);
    bareDeletes.push_back(NowSeconds() - start);
    std::wstring text = L"C:\\Music\\again.mp3";
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = 49;
    item.pszText = text.data();
    SendMessageW(bare, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    Pump();
  }
  const double move = Median(moves);
  const double remove = Median(deletes);
  const double bareMove = Median(bareMoves);
  const double bareRemove = Median(bareDeletes);

  std::printf("%d entries\n", entries);
  std::printf("playlist load: %.1f ms; shown in the window: %.1f ms, ratio %.2f (goal <= 3)\n", load * 1000,
              show * 1000, show / load);
  std::printf("move one selected entry: %.2f ms (goal <= 16); bare list view of 100 rows: %.2f ms, ratio %.2f\n",
              move * 1000, bareMove * 1000, move / bareMove);
  std::printf("delete one entry: %.2f ms (goal <= 16); bare list view of 100 rows: %.2f ms, ratio %.2f\n",
              remove * 1000, bareRemove * 1000, remove / bareRemove);
  const bool met = show / load <= 3 && move <= 0.016 && remove <= 0.016;
  std::printf(met ? "all goals met\n" : "some goals missed\n");
  DestroyWindow(owner);
  DeleteFileW(path.c_str());
  return 0;
}
