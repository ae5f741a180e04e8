// Media by http and https address through our network source, against real
// servers on 127.0.0.1 (stream_server.py): seeking with byte ranges, playing
// from the start without them, endless radio streams, connections that break,
// and every way an address can fail, each with one error box.
#include "media/VideoFile.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/HttpStream.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/streaming/StreamServer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace zvtest;

// Time for what waits on the network or the graph, generous for a loaded
// machine; the conditions themselves end the waits.
constexpr DWORD kWaitMs = 20000;
// Far below every network limit (the stall limit is 30 s): a close that
// waited for the network would take longer.
constexpr ULONGLONG kPromptMs = 5000;

class NetworkSource : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Servers().http, 0) << "stream_server.py is not running";
    savedLimits_ = zv::net::Limits();
  }
  void TearDown() override { zv::net::Limits() = savedLimits_; }

  std::unique_ptr<VideoFile> Open(const std::wstring& address, CDebugDlg* log = nullptr) {
    return OpenMedia(address, owner_, *settings_, log);
  }

  // Opens an address that must fail: one error box, no media, and the box's
  // text in the trace.
  std::wstring FailingOpen(const std::wstring& address) {
    TraceFile trace(L"zv_network_failure.log");
    {
      MessageBoxWatcher boxes;
      auto media = Open(address, trace.log());
      EXPECT_FALSE(media->IsRendered()) << address;
      EXPECT_EQ(boxes.Count(), 1) << address;
    }
    trace.Close();
    const std::wstring text = trace.Text();
    EXPECT_NE(text.find(L"VF_CSTOR::ErrorRendering[Can't open file \"" + address + L"\""), std::wstring::npos)
        << testing::PrintToString(text);
    return text;
  }

  OwnerWindow owner_;
  std::unique_ptr<CSettings> settings_ = DefaultSettings();
  zv::net::StreamLimits savedLimits_;
};

int Position(VideoFile& media) { return media.GetPosition(); }

bool WaitForCompletion(VideoFile& media, DWORD timeoutMs) {
  return WaitFor(
      [&] {
        long code = 0;
        LONG_PTR first = 0, second = 0;
        while (media.GetEvent(&code, &first, &second) == S_OK)
          if (code == EC_COMPLETE) return true;
        return false;
      },
      timeoutMs);
}

TEST_F(NetworkSource, WithRangesItPlaysAndASeekToTheMiddleLandsWithinASecond) {
  auto media = Open(HttpAddress(L"/ranges/demo.mkv"));
  ASSERT_TRUE(media->IsRendered());
  ASSERT_NE(media->NetworkSource(), nullptr);
  EXPECT_TRUE(media->CanSeek());
  const int duration = media->GetDuration();
  EXPECT_NEAR(duration, 1000, 50);
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  ASSERT_TRUE(WaitFor([&] { return Position(*media) > 30; }, kWaitMs));

  ASSERT_EQ(media->SetPosition(duration / 2), S_OK);
  EXPECT_NEAR(Position(*media), duration / 2, 100);
  // And it plays on from there.
  EXPECT_TRUE(WaitFor([&] { return Position(*media) > duration / 2 + 50; }, kWaitMs));
  EXPECT_LT(Position(*media), duration / 2 + 500);
}

TEST_F(NetworkSource, WithoutRangesItPlaysFromTheStartAndRefusesToSeek) {
  auto media = Open(HttpAddress(L"/plain/demo.mkv"));
  ASSERT_TRUE(media->IsRendered());
  EXPECT_FALSE(media->CanSeek());
  EXPECT_NEAR(media->GetDuration(), 1000, 50);
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  ASSERT_TRUE(WaitFor([&] { return Position(*media) > 30; }, kWaitMs));
  EXPECT_LT(Position(*media), 300);

  EXPECT_TRUE(FAILED(media->SetPosition(700)));
  EXPECT_LT(Position(*media), 500);
  const int before = Position(*media);
  EXPECT_TRUE(WaitFor([&] { return Position(*media) > before + 30; }, kWaitMs)) << "it stopped playing";
}

TEST_F(NetworkSource, AnEndlessRadioStreamPlaysOnWithoutDurationAndClosesAtOnce) {
  // 128 kbit/s, paced like a radio server: past the end of the piece the
  // server repeats, so the stream is endless as far as the player can tell.
  auto media = Open(HttpAddress(L"/live.mp3?bps=16000"));
  ASSERT_TRUE(media->IsRendered());
  EXPECT_EQ(media->GetDuration(), 0);
  EXPECT_FALSE(media->CanSeek());
  EXPECT_TRUE(FAILED(media->SetPosition(100)));
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  // Ten seconds of it, longer than the piece the server repeats.
  EXPECT_TRUE(WaitFor([&] { return Position(*media) > 1000; }, 2 * kWaitMs)) << Position(*media);
  EXPECT_EQ(media->GetDuration(), 0);

  const ULONGLONG start = GetTickCount64();
  media.reset();
  EXPECT_LT(GetTickCount64() - start, kPromptMs);
}

TEST_F(NetworkSource, ARadioServersIcyAnswerPlays) {
  auto media = Open(HttpAddress(L"/icy.mp3?bps=16000"));
  ASSERT_TRUE(media->IsRendered());
  EXPECT_EQ(media->GetDuration(), 0);
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  EXPECT_TRUE(WaitFor([&] { return Position(*media) > 100; }, kWaitMs));
}

TEST_F(NetworkSource, AnEndlessOggStreamFailsAtOnceWithOneBox) {
  // The platform's Ogg splitter searches the end of what it reads, which an
  // endless stream does not have.
  const ULONGLONG start = GetTickCount64();
  FailingOpen(HttpAddress(L"/live.ogg"));
  EXPECT_LT(GetTickCount64() - start, kPromptMs);
}

TEST_F(NetworkSource, AConnectionLostInTheMiddleIsResumedAndTheFilePlaysToItsEnd) {
  auto media = Open(HttpAddress(L"/drop/av.mkv?after=120000"));
  ASSERT_TRUE(media->IsRendered());
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  EXPECT_TRUE(WaitForCompletion(*media, kWaitMs));
  EXPECT_GT(Position(*media), media->GetDuration() - 30);
}

TEST_F(NetworkSource, AServerThatAlwaysBreaksOffGivesOneBox) {
  const std::wstring text = FailingOpen(HttpAddress(L"/dropalways/av.mkv?after=120000"));
  EXPECT_NE(text.find(L"connection with the server has been terminated"), std::wstring::npos)
      << testing::PrintToString(text);
}

TEST_F(NetworkSource, AMissingObjectGivesOneBoxWithTheServersAnswer) {
  const std::wstring text = FailingOpen(HttpAddress(L"/nothing-here.mkv"));
  EXPECT_NE(text.find(L"The server answered \"404 Not Found\"."), std::wstring::npos)
      << testing::PrintToString(text);
}

TEST_F(NetworkSource, ARedirectToAnotherPortPlays) {
  auto media = Open(Address(Servers().redirect, L"/ranges/av.mkv"));
  ASSERT_TRUE(media->IsRendered());
  EXPECT_TRUE(media->CanSeek());
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  EXPECT_TRUE(WaitFor([&] { return Position(*media) > 30; }, kWaitMs));
}

TEST_F(NetworkSource, ADeadPortGivesOneBoxAtOnce) {
  const ULONGLONG start = GetTickCount64();
  const std::wstring text = FailingOpen(Address(Servers().dead, L"/av.mkv"));
  EXPECT_LT(GetTickCount64() - start, kPromptMs);
  EXPECT_NE(text.find(L"connect to the server failed"), std::wstring::npos) << testing::PrintToString(text);
}

TEST_F(NetworkSource, AnUntrustedCertificateIsRefusedWithAClearReason) {
  const std::wstring address = L"https://127.0.0.1:" + std::to_wstring(Servers().https) + L"/ranges/av.mkv";
  const std::wstring text = FailingOpen(address);
  EXPECT_NE(text.find(L"The server's certificate is not trusted."), std::wstring::npos)
      << testing::PrintToString(text);
}

TEST_F(NetworkSource, ASilentServerGivesOneBoxWhenTheAnswerTimeIsUp) {
  zv::net::Limits().answerTimeoutMs = 2000;
  const ULONGLONG start = GetTickCount64();
  const std::wstring text = FailingOpen(HttpAddress(L"/silent"));
  EXPECT_GE(GetTickCount64() - start, 2000u);
  EXPECT_LT(GetTickCount64() - start, 2000u + kPromptMs);
  EXPECT_NE(text.find(L"timed out"), std::wstring::npos) << testing::PrintToString(text);
}

TEST_F(NetworkSource, AServerThatFallsSilentDuringTheBuildGivesOneBoxAfterTheStallLimit) {
  // The first kilobyte comes, then nothing: the graph builder's reads wait
  // for the rest until the stall limit fails the stream, and the build.
  zv::net::Limits().stallLimitMs = 2000;
  const ULONGLONG start = GetTickCount64();
  const std::wstring text = FailingOpen(HttpAddress(L"/stall/av.mkv?after=1000"));
  EXPECT_GE(GetTickCount64() - start, 2000u);
  EXPECT_LT(GetTickCount64() - start, 2000u + kPromptMs);
  EXPECT_NE(text.find(L"timed out"), std::wstring::npos) << testing::PrintToString(text);
}

TEST_F(NetworkSource, ASlowButSteadyServerIsNoErrorHoweverLongTheBuildTakes) {
  // Bytes arrive every 0.2 s: the build takes longer than the stall limit
  // altogether and is never cut short, since the stream keeps progressing.
  zv::net::Limits().stallLimitMs = 1000;
  const ULONGLONG start = GetTickCount64();
  auto media = Open(HttpAddress(L"/slow/av.mkv?bps=80000"));
  EXPECT_GT(GetTickCount64() - start, 1000u);
  EXPECT_TRUE(media->IsRendered());
}

TEST_F(NetworkSource, AddressesOfOtherKindsGetOneBoxNamingTheirKind) {
  for (const wchar_t* scheme : {L"mms", L"rtsp", L"rtmp"}) {
    const ULONGLONG start = GetTickCount64();
    const std::wstring text = FailingOpen(std::wstring(scheme) + L"://127.0.0.1:" +
                                          std::to_wstring(Servers().http) + L"/stream");
    EXPECT_LT(GetTickCount64() - start, kPromptMs);
    EXPECT_NE(text.find(L"No source for addresses beginning with \"" + std::wstring(scheme) + L"://\" is installed."),
              std::wstring::npos)
        << testing::PrintToString(text);
  }
}

}  // namespace
