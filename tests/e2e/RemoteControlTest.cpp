// The remote-control message from another program: this test process is the
// client. It finds the running player by its window class, sends commands
// and queries, reads and deletes the answers' atoms, and sweeps every code
// and every key message with and without media.
#include "app/PrivateMessages.h"
#include "player/ZentravueDlg.h"
#include "tests/testprogram/PlayerTestHook.h"
#include "res/resource.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <vector>

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

namespace {

constexpr DWORD kAnswerTimeoutMs = 20000;

struct Reply {
  bool answered = false;
  LRESULT value = 0;
};

Reply Send(HWND player, UINT message, WPARAM code, LPARAM value = 0) {
  Reply reply;
  DWORD_PTR result = 0;
  reply.answered =
      SendMessageTimeoutW(player, message, code, value, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
  reply.value = static_cast<LRESULT>(result);
  return reply;
}

// The text of a query's atom, which the client deletes.
std::wstring Ask(HWND player, WPARAM code) {
  const Reply reply = Send(player, kMsgRemoteControl, code);
  EXPECT_TRUE(reply.answered) << "no answer to query " << code;
  if (!reply.value) return {};
  wchar_t text[256] = {};
  const UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reply.value), text, 256);
  EXPECT_GT(n, 0u) << "query " << code << " returned " << reply.value << ", which is no atom";
  GlobalDeleteAtom(static_cast<ATOM>(reply.value));
  return std::wstring(text, n);
}

void Command(HWND player, WPARAM code) {
  EXPECT_TRUE(Send(player, kMsgRemoteControl, code).answered) << "no answer to command " << code;
}

LRESULT Hook(HWND player, Q question) { return zvtest::QueryPlayer(player, static_cast<WPARAM>(question)); }

// String atoms in the global table (they are numbered 0xC000 to 0xFFFF).
int GlobalAtomCount() {
  int count = 0;
  wchar_t text[8];
  for (UINT atom = 0xC000; atom <= 0xFFFF; ++atom)
    if (GlobalGetAtomNameW(static_cast<ATOM>(atom), text, 8)) ++count;
  return count;
}

bool Matches(const std::wstring& text, const wchar_t* pattern) { return std::regex_match(text, std::wregex(pattern)); }

struct OpenWindowSearch {
  DWORD processId;
  HWND player;
  int count;
};

BOOL CALLBACK CountOtherWindows(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OpenWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || window == search->player || !IsWindowVisible(window)) return TRUE;
  const std::wstring cls = zvtest::WindowClassOf(window);
  if (cls == L"#32770" || cls == L"#32768") ++search->count;
  return TRUE;
}

// Dialogs, message boxes and menus of the player's process that are open.
int OpenDialogs(DWORD processId, HWND player) {
  OpenWindowSearch search{processId, player, 0};
  EnumWindows(CountOtherWindows, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

HWND WaitForDialog(DWORD processId, HWND player) {
  HWND found = nullptr;
  zvtest::WaitFor([&] {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == processId && w != player && IsWindowVisible(w)) {
        found = w;
        return true;
      }
    }
    return false;
  }, 20000);
  return found;
}

class RemoteControl : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
  }
  void TearDown() override { zvtest::DeleteProgramRegistry(); }

  HWND Start(ProgramProcess& process) {
    if (!process.WaitForWindow(L"ZentravueClass", 30000)) return nullptr;
    return zvtest::FindPlayerWindow(process.Id());
  }
  bool WaitForPlayState(HWND player, LRESULT state) {
    return zvtest::WaitFor([&] { return Hook(player, Q::PlayState) == state; }, 10000);
  }
  void Quit(HWND player, ProgramProcess& process) {
    Command(player, 28);
    EXPECT_EQ(process.WaitForExit(20000), 0) << "code 28 should quit the player";
  }
};

}  // namespace

TEST_F(RemoteControl, QueriesAnswerTheSpecifiedTextsAndAreEmptyWithoutMedia) {
  ProgramProcess process(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"");
  HWND player = Start(process);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(WaitForPlayState(player, 2));
  Command(player, 2);  // pause, so that the position stands still
  ASSERT_TRUE(WaitForPlayState(player, 1));

  EXPECT_EQ(Ask(player, 1), L"long");
  EXPECT_EQ(Ask(player, 33), L"long.mkv");
  EXPECT_EQ(Ask(player, 4), L"100");
  EXPECT_TRUE(Matches(Ask(player, 5), L"00:00:\\d\\d"));
  EXPECT_EQ(Ask(player, 12), L"00:00:15");
  EXPECT_EQ(Ask(player, 8), L"160");
  EXPECT_EQ(Ask(player, 9), L"120");
  const std::wstring shownWidth = Ask(player, 6), shownHeight = Ask(player, 7);
  EXPECT_TRUE(Matches(shownWidth, L"[1-9]\\d*")) << std::string(shownWidth.begin(), shownWidth.end());
  EXPECT_TRUE(Matches(shownHeight, L"[1-9]\\d*"));
  const std::wstring version = Ask(player, 10);
  EXPECT_TRUE(Matches(version, L"\\d[\\d. ]*\\.[\\d. ]*\\d")) << std::string(version.begin(), version.end());
  // The rate the renderer measures (Wine's renderer reports none: 0.00).
  const std::wstring rate = Ask(player, 11);
  EXPECT_TRUE(Matches(rate, L"\\d+\\.\\d\\d fps")) << std::string(rate.begin(), rate.end());

  // Position and ratio at a known place: 5 s of 15.
  Command(player, 25);  // forwards one step of 10 s
  ASSERT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::Position) >= 900; }, 10000));
  Command(player, 26);
  ASSERT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::Position) < 600; }, 10000));
  const LRESULT position = Hook(player, Q::Position);
  const std::wstring ratio = Ask(player, 34);
  EXPECT_TRUE(Matches(ratio, L"0\\.\\d{6}")) << std::string(ratio.begin(), ratio.end());
  EXPECT_NEAR(_wtof(ratio.c_str()), position / 1500.0, 0.01);
  wchar_t expected[16];
  swprintf(expected, 16, L"00:00:%.2i", static_cast<int>(position / 100));
  EXPECT_EQ(Ask(player, 5), expected);

  // Code 27 closes the media; then every text is empty but the volume's.
  Command(player, 27);
  ASSERT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::MediaOpen) == 0; }, 10000));
  for (WPARAM code : {1, 5, 6, 7, 8, 9, 10, 11, 12, 33, 34}) EXPECT_EQ(Ask(player, code), L"") << "query " << code;
  EXPECT_EQ(Ask(player, 4), L"100");
  Quit(player, process);
}

TEST_F(RemoteControl, CommandsDriveThePlayer) {
  ProgramProcess process(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"");
  HWND player = Start(process);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(WaitForPlayState(player, 2));
  Command(player, 2);
  EXPECT_TRUE(WaitForPlayState(player, 1)) << "2 pauses";
  Command(player, 3);
  EXPECT_TRUE(WaitForPlayState(player, 2)) << "3 plays";
  Command(player, 23);
  EXPECT_TRUE(WaitForPlayState(player, 1)) << "23 toggles";
  Command(player, 23);
  EXPECT_TRUE(WaitForPlayState(player, 2)) << "23 toggles";
  Command(player, 24);
  EXPECT_TRUE(WaitForPlayState(player, 0)) << "24 stops";
  EXPECT_EQ(Hook(player, Q::Position), 0);
  Command(player, 25);
  EXPECT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::Position) >= 900; }, 10000)) << "25 jumps forwards";
  Command(player, 26);
  EXPECT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::Position) < 100; }, 10000)) << "26 jumps back";

  // With a one-entry playlist, next and previous go through the folder.
  const std::wstring first = Ask(player, 33);
  Command(player, 32);
  EXPECT_TRUE(zvtest::WaitFor([&] { return Ask(player, 33) != first && !Ask(player, 33).empty(); }, 20000))
      << "32 plays the next file";
  Command(player, 31);
  EXPECT_TRUE(zvtest::WaitFor([&] { return Ask(player, 33) == first; }, 20000)) << "31 plays the previous file";
  // 29 shows the playlist window, 30 hides it again; the media plays on.
  Command(player, 29);
  EXPECT_TRUE(zvtest::WaitFor([&] { return OpenDialogs(process.Id(), player) == 1; }, 10000)) << "29 shows the list";
  Command(player, 30);
  EXPECT_TRUE(zvtest::WaitFor([&] { return OpenDialogs(process.Id(), player) == 0; }, 10000)) << "30 hides it";
  EXPECT_EQ(Hook(player, Q::MediaOpen), 1);
  Quit(player, process);
}

// Every code and every key message, with and without media: no crash, no
// hang, no dialog left open, and no atom that is not an answer to a query.
TEST_F(RemoteControl, SweepOfEveryCodeAndKeyIsSafe) {
  ProgramProcess process(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"");
  HWND player = Start(process);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(WaitForPlayState(player, 2));
  const std::vector<WPARAM> queries = {1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 33, 34};
  const int atomsBefore = GlobalAtomCount();

  for (int withMedia = 1; withMedia >= 0; --withMedia) {
    SCOPED_TRACE(withMedia ? "with media" : "without media");
    if (!withMedia) {
      Command(player, 27);
      ASSERT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::MediaOpen) == 0; }, 10000));
    }
    int strayAtoms = 0, unanswered = 0;
    for (WPARAM code = 0; code <= 0xFFFF; ++code) {
      // Closing and quitting have their own tests; the sweep keeps the media.
      if (code == 27 || code == 28) continue;
      const Reply reply = Send(player, kMsgRemoteControl, code, static_cast<LPARAM>(code * 7919));
      if (!reply.answered) {
        ++unanswered;
        continue;
      }
      const bool query = std::find(queries.begin(), queries.end(), code) != queries.end();
      if (reply.value && query) GlobalDeleteAtom(static_cast<ATOM>(reply.value));
      if (reply.value && !query) ++strayAtoms;
      // Play and the track commands open the playlist's entry again.
      if (!withMedia && Hook(player, Q::MediaOpen)) Command(player, 27);
    }
    // Codes with high bits set are no codes at all (the low word would quit).
    for (WPARAM code : {static_cast<WPARAM>(0x1001C), static_cast<WPARAM>(-1), static_cast<WPARAM>(0x7FFF001B)}) {
      const Reply reply = Send(player, kMsgRemoteControl, code, -1);
      EXPECT_TRUE(reply.answered);
      EXPECT_EQ(reply.value, 0);
    }
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(strayAtoms, 0);
    EXPECT_EQ(Hook(player, Q::MediaOpen), withMedia) << "only code 27 closes the media";

    // Key messages of another program, sent and posted, with garbage data.
    const LRESULT stateBefore = Hook(player, Q::PlayState);
    for (WPARAM key = 0; key <= 0xFF; ++key) {
      EXPECT_TRUE(Send(player, kMsgKeyDown, key, 0x00010001).answered);
      EXPECT_TRUE(Send(player, kMsgKeyUp, key, static_cast<LPARAM>(0xC0010001)).answered);
      PostMessageW(player, kMsgKeyDown, key, static_cast<LPARAM>(key * 31));
      PostMessageW(player, kMsgKeyUp, key, -1);
    }
    // The posted ones are handled once the window answers a sent message after them.
    EXPECT_TRUE(Send(player, WM_NULL, 0).answered);
    EXPECT_TRUE(zvtest::WaitFor([&] { return Hook(player, Q::MediaOpen) == withMedia; }, 5000));
    Sleep(500);
    EXPECT_TRUE(Send(player, WM_NULL, 0).answered);
    EXPECT_EQ(OpenDialogs(process.Id(), player), 0) << "a key of another program opened a dialog or menu";
    EXPECT_EQ(Hook(player, Q::PlayState), stateBefore) << "keys of another program are not the player's keys";
    EXPECT_EQ(Hook(player, Q::MediaOpen), withMedia);
  }
  EXPECT_EQ(GlobalAtomCount(), atomsBefore);
  EXPECT_EQ(WaitForSingleObject(process.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the player ended";
  Quit(player, process);
}

// 10,000 queries in a row: the atom table does not grow and the answer time
// stays flat.
TEST_F(RemoteControl, TenThousandQueriesLeaveNoAtomAndStayFast) {
  ProgramProcess process(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"");
  HWND player = Start(process);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(WaitForPlayState(player, 2));
  const int atomsBefore = GlobalAtomCount();
  constexpr int kQueries = 10000;
  std::vector<double> micros;
  micros.reserve(kQueries);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  int empty = 0;
  for (int i = 0; i < kQueries; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const Reply reply = Send(player, kMsgRemoteControl, 5);
    QueryPerformanceCounter(&end);
    micros.push_back((end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart);
    if (!reply.answered || !reply.value) {
      ++empty;
      continue;
    }
    GlobalDeleteAtom(static_cast<ATOM>(reply.value));
  }
  EXPECT_EQ(empty, 0);
  EXPECT_EQ(GlobalAtomCount(), atomsBefore);
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::vector<double> sorted = micros;
  std::sort(sorted.begin(), sorted.end());
  const double firstMedian = median(std::vector<double>(micros.begin(), micros.begin() + 1000));
  const double lastMedian = median(std::vector<double>(micros.end() - 1000, micros.end()));
  std::printf("query round trip: median %.0f us, 99th percentile %.0f us; first 1000 median %.0f us, last 1000 %.0f us\n",
              sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], firstMedian, lastMedian);
  // Flat: the last queries are not markedly slower than the first (a
  // growing table or leak would make them so); generous for a loaded machine.
  EXPECT_LT(lastMedian, firstMedian * 4 + 500);
  Quit(player, process);
}

// While a modal dialog of the player is open, queries answer and commands
// wait: none of them re-enters the dialog's loop.
TEST_F(RemoteControl, AModalDialogIsNotReenteredByCodes) {
  ProgramProcess process(L"\"" + zvtest::MediaPath(L"long.mkv") + L"\"");
  HWND player = Start(process);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(WaitForPlayState(player, 2));
  PostMessageW(player, WM_COMMAND, IDM_DATEI_EINSTELLUNGEN, 0);
  HWND dialog = WaitForDialog(process.Id(), player);
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(Ask(player, 4), L"100");
  EXPECT_EQ(Ask(player, 1), L"long");
  for (WPARAM code : {2, 24, 27, 28, 31, 32}) Command(player, code);
  Sleep(500);
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(Hook(player, Q::MediaOpen), 1);
  EXPECT_EQ(Hook(player, Q::PlayState), 2);
  EXPECT_EQ(WaitForSingleObject(process.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(zvtest::WaitFor([&] { return !IsWindow(dialog); }, 10000));
  Command(player, 2);
  EXPECT_TRUE(WaitForPlayState(player, 1)) << "commands act again once the dialog is closed";
  Quit(player, process);
}
