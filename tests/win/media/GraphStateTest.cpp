// How the engine waits for the graph and edits it: state changes that never
// finish, the stop before an edit, the Enhanced Video Renderer's services,
// and frame numbers where the graph cannot count frames.
#include "tests/win/media/FakeFilters.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/media/QuirkOverride.h"

#include "media/EnhancedRenderer.h"

#include <gtest/gtest.h>

using namespace zvtest;

namespace {

// Margin for a loaded machine on top of a limit the code enforces.
constexpr ULONGLONG kSlackMs = 3000;

bool IsConnected(IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return false;
  for (;;) {
    fw::ComPtr<IPin> pin, peer;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return false;
    if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer) return true;
  }
}

}  // namespace

TEST(GraphState, StateChangeThatNeverEndsIsGivenUpAfterTheLimitAndReported) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  TraceFile trace(L"zv_media_stall.log");
  auto media = OpenMedia(MediaPath(L"v.avi"), owner, *settings, trace.log());
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<IBaseFilter> stalling = StallingFilter::Create();
  ASSERT_EQ(media->Graph()->AddFilter(stalling.get(), L"Never ready"), S_OK);
  media->Pause();

  ULONGLONG start = GetTickCount64();
  media->WaitForStateChange();
  EXPECT_LT(GetTickCount64() - start, 5000 + kSlackMs);
  EXPECT_FALSE(media->StateChangeSettled());
  EXPECT_NE(trace.Text().find(L"CDirectShow_WaitForStateChange::TimedOut"), std::wstring::npos);

  // A seek waits before and after it (on Wine around a stop): one limit in all.
  start = GetTickCount64();
  media->SetPosition(100);
  EXPECT_LT(GetTickCount64() - start, 5000 + kSlackMs);

  media->Stop();
  media->WaitForStateChange();
  EXPECT_TRUE(media->StateChangeSettled());
  media->Graph()->RemoveFilter(stalling.get());
}

TEST(GraphState, ExternalTrackIsLaidInOnlyAfterTheFiltersHaveStopped) {
  // Windows' StopWhenReady returns before the filters stop; Wine's does too,
  // which lets this run the path Windows takes.
  QuirkOverride windowsStop(&zv::quirks_detail::Answers::stopWhenReadyUsable, true);
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"av.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  // A filter slow to cue: a stop that first pauses and waits for the filters
  // to be ready leaves the graph active meanwhile.
  fw::ComPtr<IBaseFilter> slow = StallingFilter::CreateSlowToCue();
  ASSERT_EQ(media->Graph()->AddFilter(slow.get(), L"Slow to cue"), S_OK);
  media->Play();
  ASSERT_EQ(SettledState(*media), kStateRunning);
  StallingFilter::From(slow.get())->StallNextPause();
  ASSERT_TRUE(media->OpenAudioTrack(MediaPath(L"tone.wav")));
  // Building the track's chain looked at every filter of the graph: none was
  // still pausing on its way to a stop.
  EXPECT_EQ(StallingFilter::From(slow.get())->PinsSeenWhilePaused(), 0);
  EXPECT_EQ(SettledState(*media), kStateRunning);
  // The file's own sound is disconnected, the external one connected.
  fw::ComPtr<IBaseFilter> external;
  ASSERT_EQ(media->Graph()->FindFilterByName(L"External Audio DirectSound Device", external.put()), S_OK);
  EXPECT_TRUE(IsConnected(external.get()));
  fw::ComPtr<IEnumFilters> filters;
  ASSERT_EQ(media->Graph()->EnumFilters(filters.put()), S_OK);
  int ownRenderers = 0, ownConnected = 0;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
    CLSID id{};
    if (filter.get() == external.get() || FAILED(filter->GetClassID(&id)) || id != CLSID_DSoundRender) continue;
    ++ownRenderers;
    if (IsConnected(filter.get())) ++ownConnected;
  }
  EXPECT_EQ(ownRenderers, 1);
  EXPECT_EQ(ownConnected, 0) << "only the external track sounds";
  // Seeking and removing edit the graph too.
  EXPECT_TRUE(SUCCEEDED(media->SetPosition(50)));
  EXPECT_EQ(SettledState(*media), kStateRunning);
  media->RemoveAudioTrack();
  EXPECT_EQ(SettledState(*media), kStateRunning);
  media.reset();
}

TEST(GraphState, EnhancedRendererJoinsTheGraphBeforeItsServicesAreAskedFor) {
  OwnerWindow owner;
  fw::ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.put_void()),
            S_OK);
  fw::ComPtr<IBaseFilter> renderer = EnhancedRendererStandIn::Create();
  fw::ComPtr<IMFVideoDisplayControl> display;
  fw::ComPtr<IMFVideoMixerControl> mixer;
  ASSERT_TRUE(zv::JoinEnhancedRenderer(graph.get(), renderer.get(), L"Enhanced Video Renderer", owner.hwnd(),
                                       display, mixer));
  EXPECT_TRUE(static_cast<bool>(display));
  EXPECT_EQ(EnhancedRendererStandIn::WindowGiven(), owner.hwnd());
  fw::ComPtr<IBaseFilter> found;
  EXPECT_EQ(graph->FindFilterByName(L"Enhanced Video Renderer", found.put()), S_OK);

  // Without a window to give it the renderer leaves the graph again.
  fw::ComPtr<IBaseFilter> second = EnhancedRendererStandIn::Create();
  fw::ComPtr<IMFVideoDisplayControl> noDisplay;
  EXPECT_FALSE(zv::JoinEnhancedRenderer(graph.get(), second.get(), L"Second", nullptr, noDisplay, mixer));
  EXPECT_FALSE(static_cast<bool>(noDisplay));
  found.Reset();
  EXPECT_NE(graph->FindFilterByName(L"Second", found.put()), S_OK);
}

TEST(GraphState, FrameNumberFollowsThePositionWhereTheGraphCannotCountFrames) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  for (const char16_t* renderer : {u"Current", u"none of these"}) {
    settings->VideoRenderer = renderer;
    auto media = OpenMedia(MediaPath(L"pattern.avi"), owner, *settings);
    ASSERT_TRUE(media->IsRendered());
    media->Pause();
    ASSERT_EQ(SettledState(*media), kStatePaused);
    EXPECT_EQ(media->GetCurrentFrame(), 0);
    media->SetPosition(100);  // 1 s at 25 frames per second
    EXPECT_EQ(SettledState(*media), kStatePaused);
    EXPECT_EQ(media->GetCurrentFrame(), 25);
    media->SetPosition(148);
    EXPECT_EQ(media->GetCurrentFrame(), 37);
    media->Stop();
  }
}
