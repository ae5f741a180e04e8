// The Open dialog of the player window, answered by a thread that types the
// names as a user would: several files become a sorted playlist; cancel
// changes nothing.
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::TempFolder;

namespace {

struct DialogSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindFileDialog(HWND hwnd, LPARAM data) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  reinterpret_cast<DialogSearch*>(data)->found = hwnd;
  return FALSE;
}

// Waits for the file dialog, types the text into its name box and presses
// OK (or Cancel with an empty text).
class FileDialogAnswer {
 public:
  explicit FileDialogAnswer(std::wstring text) : text_(std::move(text)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~FileDialogAnswer() {
    stop_ = true;
    thread_.join();
  }
  bool Answered() const { return answered_; }

 private:
  void Run() {
    // Answer the dialog once; anything still open two seconds later (an
    // error box of the dialog) is cancelled, so that the test cannot hang.
    ULONGLONG answeredAt = 0;
    for (int i = 0; i < 500 && !stop_; ++i, Sleep(20)) {
      DialogSearch search;
      EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&search));
      if (!search.found) continue;
      if (answered_) {
        if (GetTickCount64() - answeredAt > 2000) PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
        continue;
      }
      HWND name = GetDlgItem(search.found, 0x480);      // edt1
      if (!name) name = GetDlgItem(search.found, 0x47C);  // cmb13
      if (!name) continue;
      if (text_.empty()) {
        PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      } else {
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
        PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDOK)));
      }
      answered_ = true;
      answeredAt = GetTickCount64();
    }
  }

  std::wstring text_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> answered_{false};
  std::thread thread_;
};

}  // namespace

TEST(OpenDialog, SeveralChosenFilesBecomeASortedPlaylist) {
  TempFolder folder(L"zv_open_dialog");
  folder.Copy(L"v.avi", L"b.avi");
  folder.Copy(L"v.mkv", L"a.mkv");
  folder.Copy(L"v.ogg", L"C.ogg");
  std::vector<std::wstring> entries;
  bool answered = false;
  RunPlayer([&](ScriptedPlayer& player) {
    // The dialog starts in the current folder; the names are typed as the
    // dialog lists several files: quoted, without their folder.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.Path().c_str());
    FileDialogAnswer answer(L"\"b.avi\" \"a.mkv\" \"C.ogg\"");
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_OEFFNEN, 0);
    SetCurrentDirectoryW(previous);
    answered = answer.Answered();
    entries = zvtest::Entries(player);
    EXPECT_NE(player.CurrentMedia(), nullptr);
  });
  EXPECT_TRUE(answered);
  EXPECT_EQ(entries, (std::vector<std::wstring>{folder.Path() + L"C.ogg", folder.Path() + L"a.mkv",
                                                folder.Path() + L"b.avi"}));
}

TEST(OpenDialog, CancelChangesNothing) {
  std::vector<std::wstring> before, after;
  bool answered = false;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(zvtest::MediaPath(L"v.avi"));
    before = zvtest::Entries(player);
    FileDialogAnswer answer(L"");
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_OEFFNEN, 0);
    answered = answer.Answered();
    after = zvtest::Entries(player);
  });
  EXPECT_TRUE(answered);
  EXPECT_EQ(after, before);
}
