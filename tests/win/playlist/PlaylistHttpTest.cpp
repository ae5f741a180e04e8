// Playlists by address from the test server (tests/win/playlist/
// playlist_http_server.py, started by the test harness on 127.0.0.1; its
// port is in <build>/playlist-http/port).
#include "playlist/CPlaylist.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "framework/WideString.h"
#include "tests/win/playlist/PlaylistTestSupport.h"

namespace {

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

int ServerPort() {
  std::wstring dir = EnvironmentText(L"ZV_BUILD_DIR");
  for (wchar_t& c : dir)
    if (c == L'/') c = L'\\';
  if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
  return std::atoi(zvtest::FileBytes(dir + L"\\playlist-http\\port").c_str());
}

std::u16string Address(const char* object) {
  static const int port = ServerPort();
  return fw::ToU16(L"http://127.0.0.1:" + std::to_wstring(port) + fw::Utf8ToWide(object));
}

// A port on which nothing listens: bound once, then released.
int DeadPort() {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof a;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0)
    port = ntohs(a.sin_port);
  closesocket(s);
  WSACleanup();
  return port;
}

PlaylistHttpLimits ShortLimits() {
  PlaylistHttpLimits limits;
  limits.connectTimeoutMs = 3000;
  limits.sendTimeoutMs = 1500;
  limits.receiveTimeoutMs = 1500;
  limits.totalTimeoutMs = 20000;
  return limits;
}

// A window of this thread that counts its paints, invalidated from another
// thread every 50 ms while it lives, as a window is when something moves
// over it.
class PaintCounter {
 public:
  PaintCounter() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZvPaintCounter";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"paints", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                            nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&paints_));
    UpdateWindow(hwnd_);
    paints_ = 0;
    invalidator_ = std::thread([this] {
      while (!stop_) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        Sleep(50);
      }
    });
  }
  ~PaintCounter() {
    stop_ = true;
    invalidator_.join();
    DestroyWindow(hwnd_);
  }
  int Paints() const { return paints_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (auto* paints = reinterpret_cast<std::atomic<int>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++*paints;
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
  std::atomic<int> paints_{0};
  std::atomic<bool> stop_{false};
  std::thread invalidator_;
};

std::u16string Path(const CPlaylist& list, int position) { return list.EntryPath(position); }

// The list as it was before a failed load.
void ExpectUnchanged(const CPlaylist& list) {
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(Path(list, 1), u"C:\\before1.mp3");
  EXPECT_EQ(Path(list, 2), u"C:\\before2.mp3");
  EXPECT_EQ(list.CurrentPosition(), 2);
}

void FillBefore(CPlaylist& list) {
  list.AddEntry(u"C:\\before1.mp3");
  list.AddEntry(u"C:\\before2.mp3");
  list.SetCurrentByPosition(2);
}

class PlaylistHttp : public testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(ServerPort(), 0) << "test server port file missing"; }
};

}  // namespace

TEST_F(PlaylistHttp, LoadsM3uByAddress) {
  CPlaylist list(ShortLimits());
  FillBefore(list);
  ASSERT_TRUE(list.Load(Address("/list.m3u")));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(Path(list, 1), u"http://127.0.0.1/a.mp3");
  EXPECT_EQ(Path(list, 2), u"C:\\Music\\b.mp3");
  EXPECT_EQ(Path(list, 3), u"c.mp3");  // an address has no folder to put in front
  EXPECT_EQ(list.CurrentPosition(), 1);
  EXPECT_TRUE(list.FileName().empty());
}

TEST_F(PlaylistHttp, LoadsPlsByAddress) {
  CPlaylist list(ShortLimits());
  ASSERT_TRUE(list.Load(Address("/list.pls")));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(Path(list, 1), u"http://127.0.0.1/radio");
  EXPECT_EQ(Path(list, 2), u"C:\\Music\\d.ogg");
}

TEST_F(PlaylistHttp, LoadsAsxByAddress) {
  CPlaylist list(ShortLimits());
  ASSERT_TRUE(list.Load(Address("/list.asx")));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(Path(list, 1), u"http://127.0.0.1/one.wma");
  EXPECT_EQ(Path(list, 2), u"C:\\Music\\two.wma");
}

TEST_F(PlaylistHttp, SendsTheAudioPlayerRequestHeaders) {
  CPlaylist list(ShortLimits());
  ASSERT_TRUE(list.Load(Address("/headers.m3u")));
  std::vector<std::u16string> headers;
  for (int i = 1; i <= list.Count(); ++i) headers.push_back(Path(list, i));
  auto has = [&](const std::u16string& h) { return std::find(headers.begin(), headers.end(), h) != headers.end(); };
  EXPECT_TRUE(has(u"User-Agent: MP3"));
  EXPECT_TRUE(has(u"Accept: */*"));
  EXPECT_TRUE(has(u"Icy-MetaData: 1"));
}

TEST_F(PlaylistHttp, ReadsListsLargerThanOneNetworkReadToTheEnd) {
  for (const char* object : {"/big.m3u", "/big-unsized.m3u"}) {
    SCOPED_TRACE(object);
    CPlaylist list(ShortLimits());
    ASSERT_TRUE(list.Load(Address(object)));
    ASSERT_EQ(list.Count(), 8000);
    EXPECT_EQ(Path(list, 1), u"C:\\Music\\Artist 0\\Album 0\\Track 00000.mp3");
    EXPECT_EQ(Path(list, 8000), u"C:\\Music\\Artist 45\\Album 4\\Track 07999.mp3");
  }
}

TEST_F(PlaylistHttp, ListLargerThanTheLimitIsRefused) {
  PlaylistHttpLimits limits = ShortLimits();
  limits.maxBytes = 100000;
  CPlaylist list(limits);
  FillBefore(list);
  EXPECT_FALSE(list.Load(Address("/big-unsized.m3u")));
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, MissingListKeepsThePreviousContent) {
  CPlaylist list(ShortLimits());
  FillBefore(list);
  EXPECT_FALSE(list.Load(Address("/nothing.m3u")));
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, ServerClosingBeforeTheAnnouncedLengthKeepsThePreviousContent) {
  CPlaylist list(ShortLimits());
  FillBefore(list);
  EXPECT_FALSE(list.Load(Address("/early.m3u")));
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, ServerThatNeverAnswersEndsByTimeOut) {
  CPlaylist list(ShortLimits());
  FillBefore(list);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(list.Load(Address("/silent.m3u")));
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_LT(elapsed, 15000u);
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, DeadPortFailsAtOnce) {
  const int port = DeadPort();
  ASSERT_GT(port, 0);
  CPlaylist list(ShortLimits());
  FillBefore(list);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(list.Load(fw::ToU16(L"http://127.0.0.1:" + std::to_wstring(port) + L"/list.m3u")));
  EXPECT_LT(GetTickCount64() - start, 10000u);
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, TricklingServerEndsWithinTheTotalLimitWhileTheWindowPaints) {
  PlaylistHttpLimits limits = ShortLimits();
  limits.totalTimeoutMs = 4000;
  CPlaylist list(limits);
  FillBefore(list);
  PaintCounter window;
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(list.Load(Address("/trickle.m3u")));
  EXPECT_LT(GetTickCount64() - start, limits.totalTimeoutMs + 2500u);
  EXPECT_GE(window.Paints(), 5) << "the window painted while the list was fetched";
  ExpectUnchanged(list);
}

TEST_F(PlaylistHttp, CancelEndsAFetchAtOnce) {
  PlaylistHttpLimits limits = ShortLimits();
  limits.receiveTimeoutMs = 10000;
  CPlaylist list(limits);
  FillBefore(list);
  std::thread canceller([&list] {
    Sleep(500);
    list.CancelFetch();
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(list.Load(Address("/silent.m3u")));
  const ULONGLONG elapsed = GetTickCount64() - start;
  canceller.join();
  EXPECT_LT(elapsed, 3000u) << "the read time-out alone would take longer";
  ExpectUnchanged(list);
  ASSERT_TRUE(list.Load(Address("/list.m3u"))) << "the next fetch is not cancelled";
}
