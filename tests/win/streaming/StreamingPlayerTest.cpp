// The player window with network streams: the streaming dialog opening what
// was typed, and a stream that stalls while it plays, which must neither
// freeze the window nor hold up closing.
#include "player/ZentravueDlg.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/streaming/StreamServer.h"
#include "media/VideoFile.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/HttpStream.h"
#include "framework/WideString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

namespace {

using namespace zvtest;

constexpr DWORD kWaitMs = 20000;
// Far below every network limit: a close that waited for the network would
// take longer.
constexpr ULONGLONG kPromptMs = 5000;

struct FindState {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindStreamingDialog(HWND hwnd, LPARAM data) {
  auto* state = reinterpret_cast<FindState*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (process == state->process && wcscmp(className, L"#32770") == 0 && IsWindowVisible(hwnd) &&
      GetDlgItem(hwnd, IDC_EDIT_URL)) {
    state->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForStreamingDialog() {
  const ULONGLONG end = GetTickCount64() + kWaitMs;
  while (GetTickCount64() < end) {
    FindState state{GetCurrentProcessId(), nullptr};
    EnumWindows(FindStreamingDialog, reinterpret_cast<LPARAM>(&state));
    if (state.found) return state.found;
    Sleep(20);
  }
  return nullptr;
}

// Plays the user at the streaming dialog from another thread while the
// player window runs it modally.
class DialogUser {
 public:
  explicit DialogUser(std::function<void(HWND)> actions)
      : thread_([this, actions] {
          HWND dialog = WaitForStreamingDialog();
          found_ = dialog != nullptr;
          if (dialog) actions(dialog);
        }) {}
  ~DialogUser() { thread_.join(); }
  bool Found() const { return found_; }

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// Answers and counts the error boxes of this process, not the streaming
// dialog (a dialog of the same class).
class ErrorBoxes {
 public:
  ErrorBoxes()
      : thread_([this] {
          while (!stop_) {
            EnumWindows(Answer, reinterpret_cast<LPARAM>(this));
            Sleep(20);
          }
        }) {}
  ~ErrorBoxes() {
    stop_ = true;
    thread_.join();
  }
  int Count() const { return static_cast<int>(count_); }

 private:
  static BOOL CALLBACK Answer(HWND hwnd, LPARAM data) {
    auto* self = reinterpret_cast<ErrorBoxes*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    if (process != GetCurrentProcessId() || wcscmp(className, L"#32770") != 0 || !IsWindowVisible(hwnd) ||
        GetDlgItem(hwnd, IDC_EDIT_URL) || !self->answered_.insert(hwnd).second)
      return TRUE;
    ++self->count_;
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  std::set<HWND> answered_;
  std::thread thread_;
};

void Type(HWND dialog, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, IDC_EDIT_URL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, 5000, &result);
}

void PressStream(HWND dialog) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, IDC_BUTTON_STREAM), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
}

void RunStreamingCommand(CZentravueDlg& player) { SendMessageW(player.hwnd(), WM_COMMAND, IDM_FILE_STREAMING, 0); }

class StreamingPlayer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Servers().http, 0) << "stream_server.py is not running"; }
};

TEST_F(StreamingPlayer, StreamWithAnEmptyFieldKeepsTheDialogAndTheAddressPlaysAsTyped) {
  const std::wstring address = HttpAddress(L"/ranges/av.mkv");
  std::atomic<bool> stayedOpen{false};
  std::wstring caption;
  std::vector<std::wstring> entries;
  bool playing = false;
  RunPlayer([&](ScriptedPlayer& player) {
    DialogUser user([&](HWND dialog) {
      wchar_t text[64] = {};
      GetWindowTextW(dialog, text, 64);
      caption = text;
      PressStream(dialog);
      stayedOpen = IsWindowVisible(dialog) && GetWindowTextLengthW(GetDlgItem(dialog, IDC_EDIT_URL)) == 0;
      Type(dialog, address);
      PressStream(dialog);
    });
    RunStreamingCommand(player);
    entries = Entries(player);
    playing = WaitFor([&] { return player.CurrentMedia() && player.CurrentMedia()->GetPosition() > 30; }, kWaitMs);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(caption, L"Streaming");
  EXPECT_EQ(entries, std::vector<std::wstring>{address});
  EXPECT_TRUE(playing);
}

TEST_F(StreamingPlayer, TheAddressIsTakenUntrimmedAndEscapeOpensNothing) {
  // A leading space makes it no address the network source takes: the
  // platform fails to open it, with one box, and the entry is what was typed.
  const std::wstring typed = L" " + HttpAddress(L"/ranges/av.mkv");
  std::vector<std::wstring> entries, afterEscape;
  bool openAfterEscape = true;
  ErrorBoxes boxes;
  RunPlayer([&](ScriptedPlayer& player) {
    {
      DialogUser user([&](HWND dialog) {
        Type(dialog, typed);
        PressStream(dialog);
      });
      RunStreamingCommand(player);
    }
    entries = Entries(player);
    {
      DialogUser user([&](HWND dialog) {
        Type(dialog, HttpAddress(L"/ranges/demo.mkv"));
        PostMessageW(GetDlgItem(dialog, IDC_EDIT_URL), WM_KEYDOWN, VK_ESCAPE, 0);
      });
      RunStreamingCommand(player);
    }
    afterEscape = Entries(player);
    openAfterEscape = player.CurrentMedia() != nullptr;
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{typed});
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(afterEscape, entries);
  EXPECT_FALSE(openAfterEscape);
}

TEST_F(StreamingPlayer, AddressesInAPlaylistFileOpenThroughTheSamePathAsTypedOnes) {
  TempFolder folder(L"zv_stream_playlist");
  const std::wstring first = HttpAddress(L"/ranges/av.mkv"), second = HttpAddress(L"/plain/demo.mkv");
  const std::wstring list = folder.Write(L"streams.m3u", "#EXTM3U\r\n" + fw::WideToUtf8(first) + "\r\n" +
                                                             fw::WideToUtf8(second) + "\r\n");
  CCmdLineInfo cmdLine;
  cmdLine.ParseArguments({fw::ToU16(list)});
  std::vector<std::wstring> entries;
  bool networkSource = false, playing = false;
  RunPlayer(
      [&](ScriptedPlayer& player) {
        entries = Entries(player);
        playing = WaitFor([&] { return player.FileMedia() && player.FileMedia()->GetPosition() > 30; }, kWaitMs);
        networkSource = player.FileMedia() && player.FileMedia()->NetworkSource() != nullptr;
      },
      nullptr, &cmdLine);
  EXPECT_EQ(entries, (std::vector<std::wstring>{first, second}));
  EXPECT_TRUE(playing);
  EXPECT_TRUE(networkSource);
}

TEST_F(StreamingPlayer, TheWindowAnswersWhileAServerHoldsItsAnswerBackAndThenShowsOneBox) {
  const zv::net::StreamLimits saved = zv::net::Limits();
  // Long enough for the asks below to fall well before the error box.
  zv::net::Limits().answerTimeoutMs = 10000;
  ErrorBoxes boxes;
  int answered = 0, boxesWhileAsking = -1;
  bool opened = true;
  RunPlayer([&](ScriptedPlayer& player) {
    std::thread asker([&] {
      if (!WaitFor([] { return SilentConnections() >= 1; }, kWaitMs)) return;
      for (int i = 0; i < 3; ++i) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(player.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) ++answered;
      }
      boxesWhileAsking = boxes.Count();
    });
    player.CreatePlaylistSingle(HttpAddress(L"/silent"));
    asker.join();
    opened = player.CurrentMedia() != nullptr;
  });
  zv::net::Limits() = saved;
  EXPECT_EQ(answered, 3);
  EXPECT_EQ(boxesWhileAsking, 0);
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_FALSE(opened);
}

TEST_F(StreamingPlayer, ClosingTheWindowWhileAStreamConnectsEndsTheOpeningAtOnceWithoutABox) {
  const zv::net::StreamLimits saved = zv::net::Limits();
  zv::net::Limits().answerTimeoutMs = 30000;
  ErrorBoxes boxes;
  ULONGLONG openingTime = 0;
  bool opened = true;
  RunPlayer([&](ScriptedPlayer& player) {
    std::thread closer([&] {
      if (WaitFor([] { return SilentConnections() >= 1; }, kWaitMs)) PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
    });
    const ULONGLONG start = GetTickCount64();
    player.CreatePlaylistSingle(HttpAddress(L"/silent"));
    openingTime = GetTickCount64() - start;
    closer.join();
    opened = player.CurrentMedia() != nullptr;
  });
  zv::net::Limits() = saved;
  EXPECT_LT(openingTime, kPromptMs);
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_FALSE(opened);
}

TEST_F(StreamingPlayer, AStalledStreamLeavesTheWindowAnsweringAndClosesAtOnce) {
  // The server sends the first 1.5 MB of ten seconds of media, then nothing
  // for a minute; playback runs dry after some four seconds.
  const std::wstring address = HttpAddress(L"/stall/demo.mkv?after=1500000");
  bool stalled = false, starved = false;
  int answered = 0;
  ULONGLONG closeTime = 0;
  RunPlayer([&](ScriptedPlayer& player) {
    player.CreatePlaylistSingle(address);
    ASSERT_NE(player.CurrentMedia(), nullptr);
    stalled = WaitFor([] { return StalledConnections() >= 1; }, kWaitMs);
    // The platform's clock runs on without samples, so the position cannot
    // tell; the source can: its reader keeps waiting.
    const auto* file = player.FileMedia();
    ASSERT_NE(file, nullptr);
    ASSERT_NE(file->NetworkSource(), nullptr);
    const zv::net::HttpStream& stream = file->NetworkSource()->Stream();
    ULONGLONG waitingSince = 0;
    starved = WaitFor(
        [&] {
          if (!stream.ReaderWaiting()) waitingSince = 0;
          else if (!waitingSince) waitingSince = GetTickCount64();
          return waitingSince && GetTickCount64() - waitingSince > 1000;
        },
        kWaitMs);
    // Another thread asks the window while the stream is dry.
    std::atomic<int> answers{0};
    std::atomic<bool> done{false};
    std::thread asker([&] {
      for (int i = 0; i < 5; ++i) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(player.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) ++answers;
        Sleep(100);
      }
      done = true;
    });
    WaitFor([&] { return done.load(); }, kWaitMs);
    asker.join();
    answered = answers;
    const ULONGLONG start = GetTickCount64();
    player.CloseMedia(true);
    closeTime = GetTickCount64() - start;
  });
  EXPECT_TRUE(stalled);
  EXPECT_TRUE(starved);
  EXPECT_EQ(answered, 5);
  EXPECT_LT(closeTime, kPromptMs);
}

}  // namespace
