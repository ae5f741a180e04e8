// Audio track switching in real file graphs: the switcher steps in behind a
// splitter with several audio tracks, names them from the container, and
// the renderer hears the chosen track; files with one track (or none) stay
// as the platform built them.
#include "media/PlatformQuirks.h"
#include "media/StreamSelection.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/media/ProcessUsage.h"
#include "tests/win/media/ToneTap.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cmath>

using namespace zvtest;

namespace {

struct StreamRow {
  std::wstring name;
  DWORD enabled = 0;
  GUID major = GUID_NULL;
  int group = -1;
};

std::vector<StreamRow> StreamsOf(VideoFile& media, int filter) {
  std::vector<StreamRow> rows;
  for (int i = 0; i < media.GetStreamCount(filter); ++i) {
    StreamRow row;
    int kind = filter;
    AM_MEDIA_TYPE* type = nullptr;
    EXPECT_EQ(media.GetStreamInfo(i, &type, &row.enabled, &kind, &row.name, nullptr), S_OK);
    if (type) row.major = type->majortype;
    zv::DeleteMediaType(type);
    row.group = kind;
    rows.push_back(row);
  }
  return rows;
}

int SwitcherNumber(VideoFile& media) {
  for (const auto& filter : media.StreamFilters())
    if (filter->name == zv::CAudioSwitcher::kFilterName) return filter->number;
  return -1;
}

}  // namespace

TEST(AudioSwitcher, TracksOfAviAndMatroskaAreNamedFromTheContainerAndOneRendererPlays) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  struct Case {
    const wchar_t* file;
    std::vector<std::wstring> names;
  };
  for (const Case& c : {Case{L"switch.avi", {L"English", L"German"}},
                        Case{L"switch.mkv", {L"English", L"German", L"French"}}}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
    TraceFile trace(L"zv_switch_trace.log");
    auto media = OpenMedia(MediaPath(c.file), owner, *settings, trace.log());
    ASSERT_TRUE(media->IsRendered());
    EXPECT_NE(trace.Text().find(L"VF_CSTOR::AudioSwitcherInserted"), std::wstring::npos);
    EXPECT_TRUE(SwitcherOf(*media));
    EXPECT_EQ(FiltersOfClass(*media, CLSID_DSoundRender), 1);

    ASSERT_EQ(media->GetStreamCount(0), 1);
    const int filter = SwitcherNumber(*media);
    ASSERT_GT(filter, 0);
    int kind = 0;
    std::wstring name;
    EXPECT_EQ(media->GetStreamInfo(filter, nullptr, nullptr, &kind, &name, nullptr), S_OK);
    EXPECT_EQ(name, zv::CAudioSwitcher::kFilterName);
    const std::vector<StreamRow> rows = StreamsOf(*media, filter);
    ASSERT_EQ(rows.size(), c.names.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].name, c.names[i]);
      EXPECT_EQ(rows[i].enabled != 0, i == 0);
      EXPECT_EQ(rows[i].major, MEDIATYPE_Audio);
      EXPECT_EQ(rows[i].group, rows[0].group);  // one group: no separators
    }
    // Nothing of the other sources answers.
    EXPECT_EQ(media->GetStreamCount(kStreamChapter + 40), 0);
  }
}

TEST(AudioSwitcher, TracksOfOneFormatGetLanguagesOnlyWhereTheSplitterKeepsTheirOrder) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"twoaudio.mkv"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  const std::vector<StreamRow> rows = StreamsOf(*media, SwitcherNumber(*media));
  ASSERT_EQ(rows.size(), 2u);
  if (zv::SplitterPinsKeepTrackOrder()) {
    EXPECT_EQ(rows[0].name, L"English");
    EXPECT_EQ(rows[1].name, L"German");
  } else {
    // The pins' own names: which one is English cannot be told.
    EXPECT_EQ(rows[0].name.rfind(L"Stream ", 0), 0u) << rows[0].name;
    EXPECT_EQ(rows[1].name.rfind(L"Stream ", 0), 0u) << rows[1].name;
  }
}

TEST(AudioSwitcher, FilesWithOneTrackOrNoneKeepThePlatformsGraph) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  for (const wchar_t* file : {L"av.mkv", L"av.avi", L"a.mkv", L"v.avi"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(file)));
    auto media = OpenMedia(MediaPath(file), owner, *settings);
    ASSERT_TRUE(media->IsRendered());
    EXPECT_FALSE(SwitcherOf(*media));
    EXPECT_EQ(media->GetStreamCount(0), 0);
    const int renderers = FiltersOfClass(*media, CLSID_DSoundRender);
    // The fallback source: one entry per audio renderer, not selectable.
    EXPECT_EQ(media->GetStreamCount(kStreamAudio), renderers);
    if (renderers == 1) {
      int kind = kStreamAudio;
      std::wstring name;
      DWORD enabled = 0;
      EXPECT_EQ(media->GetStreamInfo(0, nullptr, &enabled, &kind, &name, nullptr), S_OK);
      EXPECT_EQ(name, L"Audio Stream 1");
      EXPECT_EQ(enabled, 1u);
      EXPECT_EQ(media->SelectStream(0, kStreamAudio), E_FAIL);
    }
  }
}

TEST(AudioSwitcher, ChoosingAnotherTrackChangesTheToneAtTheRendererAndTheTimeGoesOn) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"switch.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<zv::CAudioSwitcher> switcher = SwitcherOf(*media);
  ASSERT_TRUE(switcher);
  ToneTap tap(switcher.get());
  ASSERT_TRUE(TapSwitcherOutput(*media, switcher.get(), &tap));
  const int filter = SwitcherNumber(*media);

  ASSERT_TRUE(SUCCEEDED(media->Play()));
  ASSERT_TRUE(WaitFor([&] { return tap.Count() >= 8; }, 20000));
  EXPECT_TRUE(RecentlyHeard(tap, 440.0));
  const int positionBefore = media->GetPosition();
  const size_t heardBefore = tap.Count();
  const long long firstBefore = switcher->SampleCounts(0).delivered;

  EXPECT_EQ(media->SelectStream(1, filter), S_OK);
  ASSERT_TRUE(WaitFor([&] { return tap.Count() >= heardBefore + 6; }, 20000));
  EXPECT_TRUE(RecentlyHeard(tap, 880.0));
  EXPECT_GE(media->GetPosition(), positionBefore);
  EXPECT_EQ(switcher->EnabledInput(), 1);
  // Once the new track arrived, the old one never came back, and the
  // stream time went on.
  const std::vector<HeardSample> heard = tap.Heard();
  size_t firstNew = heard.size();
  for (size_t i = heardBefore; i < heard.size(); ++i)
    if (std::fabs(heard[i].frequency - 880.0) < 130.0 && firstNew == heard.size()) firstNew = i;
  ASSERT_LT(firstNew, heard.size());
  for (size_t i = firstNew; i < heard.size(); ++i) EXPECT_NEAR(heard[i].frequency, 880.0, 130.0) << i;
  EXPECT_GE(heard[firstNew].time + 0.25, heard[heardBefore - 1].time);
  // At most the sample that was on its way when the switch came.
  EXPECT_LE(switcher->SampleCounts(0).delivered, firstBefore + 2);
  EXPECT_GT(switcher->SampleCounts(1).delivered, 0);
  EXPECT_GT(switcher->SampleCounts(0).received, firstBefore);  // the first track is still taken and dropped
  const std::vector<StreamRow> rows = StreamsOf(*media, filter);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].enabled, 0u);
  EXPECT_NE(rows[1].enabled, 0u);
}

TEST(AudioSwitcher, TrackOfAnotherFormatPausedSwitchSeekAndEndOfMedia) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"switch.mkv"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<zv::CAudioSwitcher> switcher = SwitcherOf(*media);
  ASSERT_TRUE(switcher);
  ToneTap tap(switcher.get());
  ASSERT_TRUE(TapSwitcherOutput(*media, switcher.get(), &tap));
  const int filter = SwitcherNumber(*media);

  // Chosen while paused, heard once running: the track named German, at
  // another rate than the English one.
  ASSERT_TRUE(SUCCEEDED(media->Pause()));
  EXPECT_EQ(media->SelectStream(1, filter), S_OK);
  ASSERT_TRUE(SUCCEEDED(media->Play()));
  ASSERT_TRUE(WaitFor([&] { return RecentlyHeard(tap, 880.0); }, 20000));

  // The mono track at half the rate: the renderer is told of the new format.
  EXPECT_EQ(media->SelectStream(2, filter), S_OK);
  ASSERT_TRUE(WaitFor([&] { return RecentlyHeard(tap, 660.0); }, 20000));

  // A seek (stopping the graph where the platform needs it) keeps the track.
  EXPECT_EQ(media->SetPosition(500), S_OK);
  const size_t afterSeek = tap.Count();
  ASSERT_TRUE(WaitFor([&] { return tap.Count() >= afterSeek + 4; }, 20000));
  EXPECT_TRUE(RecentlyHeard(tap, 660.0));
  EXPECT_EQ(switcher->EnabledInput(), 2);

  // The end of the chosen track still ends the media.
  owner.graphEvents = 0;
  bool complete = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        while (media->GetEvent(&code, &p1, &p2) == S_OK)
          if (code == EC_COMPLETE) complete = true;
        return complete;
      },
      30000));
}

TEST(AudioSwitcher, StreamIndicesKindsAndFlagsOutOfRangeChangeNothing) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"switch.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  fw::ComPtr<zv::CAudioSwitcher> switcher = SwitcherOf(*media);
  ASSERT_TRUE(switcher);
  const int filter = SwitcherNumber(*media);
  EXPECT_EQ(media->SelectStream(2, filter), E_FAIL);
  EXPECT_EQ(media->SelectStream(-1, filter), E_FAIL);
  EXPECT_EQ(media->SelectStream(0, filter + 7), E_FAIL);
  EXPECT_EQ(media->SelectStream(0, -3), E_FAIL);
  EXPECT_EQ(media->GetStreamCount(filter + 7), 0);
  int kind = filter;
  std::wstring name = L"untouched";
  EXPECT_EQ(media->GetStreamInfo(9, nullptr, nullptr, &kind, &name, nullptr), E_FAIL);
  EXPECT_EQ(name, L"");
  EXPECT_EQ(media->GetStreamInfo(0, nullptr, nullptr, nullptr, &name, nullptr), E_FAIL);
  kind = 0;
  EXPECT_EQ(media->GetStreamInfo(filter + 7, nullptr, nullptr, &kind, &name, nullptr), E_FAIL);
  // All or none of the tracks cannot play.
  EXPECT_EQ(switcher->Enable(1, 0), E_NOTIMPL);
  EXPECT_EQ(switcher->Enable(1, AMSTREAMSELECTENABLE_ENABLEALL), E_NOTIMPL);
  EXPECT_EQ(switcher->Enable(2, AMSTREAMSELECTENABLE_ENABLE), E_INVALIDARG);
  DWORD flags = 0;
  EXPECT_EQ(switcher->Info(2, nullptr, &flags, nullptr, nullptr, nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(switcher->EnabledInput(), 0);
  EXPECT_EQ(switcher->Info(0, nullptr, &flags, nullptr, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(flags, static_cast<DWORD>(AMSTREAMSELECTINFO_ENABLED | AMSTREAMSELECTINFO_EXCLUSIVE));
  LCID lcid = 0;
  EXPECT_EQ(switcher->Info(1, nullptr, nullptr, &lcid, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(lcid)), LANG_GERMAN);
}

TEST(SplitterPins, SwitchingRendersTheChosenAudioPinOnly) {
  // The platform's splitter stands in for one whose tracks are pins.
  fw::ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.put_void()),
            S_OK);
  ASSERT_TRUE(SUCCEEDED(graph->RenderFile(MediaPath(L"switch.mkv").c_str(), nullptr)));
  fw::ComPtr<IBaseFilter> splitter;
  ASSERT_EQ(graph->FindFilterByName(L"GStreamer splitter filter", splitter.put()), S_OK);
  ASSERT_EQ(zv::CountPinsOfType(splitter.get(), MEDIATYPE_Audio), 3);
  EXPECT_EQ(zv::CountPinsOfType(splitter.get(), zv::kMediaTypeSubtitle), 0);
  int remembered = 5;
  EXPECT_EQ(zv::SwitchSplitterPins(graph.get(), splitter.get(), MEDIATYPE_Audio, 1, &remembered), S_OK);
  auto connected = [&](int index) {
    fw::ComPtr<IPin> pin = zv::PinOfType(splitter.get(), MEDIATYPE_Audio, index);
    fw::ComPtr<IPin> peer;
    return pin && SUCCEEDED(pin->ConnectedTo(peer.put())) && peer;
  };
  EXPECT_FALSE(connected(0));
  EXPECT_TRUE(connected(1));
  EXPECT_FALSE(connected(2));
  EXPECT_EQ(zv::SwitchSplitterPins(graph.get(), splitter.get(), MEDIATYPE_Audio, 7, &remembered), E_FAIL);
  EXPECT_FALSE(connected(1));  // cut loose, nothing chosen
  // Subtitles off and on again without any subtitle pin: nothing to do.
  EXPECT_EQ(zv::SwitchSplitterPins(graph.get(), splitter.get(), zv::kMediaTypeSubtitle, -1, &remembered), S_OK);
  EXPECT_EQ(zv::SwitchSplitterPins(graph.get(), splitter.get(), zv::kMediaTypeSubtitle, -2, &remembered), S_OK);
  EXPECT_EQ(zv::SwitchSplitterPins(graph.get(), splitter.get(), zv::kMediaTypeSubtitle, 0, &remembered), E_FAIL);
}

namespace {

struct Usage {
  long threads = 0;
  SIZE_T committed = 0;
};

Usage CurrentUsage() {
  Usage usage;
  usage.threads = static_cast<long>(ThreadIds().size());
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  usage.committed = counters.PagefileUsage;
  return usage;
}

// Opens, shows the first picture and closes `file` `cycles` times, switching
// tracks when it has a switcher; returns the growth of threads and memory.
Usage Growth(const std::wstring& file, int cycles) {
  OwnerWindow owner;
  auto settings = DefaultSettings();
  auto cycle = [&](int i) {
    auto media = OpenMedia(MediaPath(file), owner, *settings);
    ASSERT_TRUE(media->IsRendered());
    media->Pause();
    media->WaitForStateChange();
    if (SwitcherNumber(*media) > 0) EXPECT_EQ(media->SelectStream(i % 2 == 0 ? 1 : 0, SwitcherNumber(*media)), S_OK);
    Pump(20);
  };
  for (int i = 0; i < 3; ++i) cycle(i);  // the platform's first-use allocations
  Pump(200);
  const Usage before = CurrentUsage();
  for (int i = 0; i < cycles; ++i) cycle(i);
  Pump(200);
  const Usage after = CurrentUsage();
  return {after.threads - before.threads, after.committed > before.committed ? after.committed - before.committed : 0};
}

}  // namespace

TEST(AudioSwitcher, FiftyOpenSwitchCloseCyclesGrowNoMoreThanThePlainFileGraph) {
  const Usage plain = Growth(L"av.avi", 50);
  const Usage switching = Growth(L"switch.avi", 50);
  // Our own objects: every switcher, enumerator and stream filter is gone.
  EXPECT_EQ(zv::LiveObject::Count(), 0);
  EXPECT_EQ(CStreamFilter::LiveCount(), 0);
  // The platform's: no thread per cycle, and memory as the plain graph
  // grows by itself (the platform keeps some of every graph here).
  EXPECT_LE(switching.threads, plain.threads + 2) << plain.threads;
  EXPECT_LE(switching.committed, plain.committed + plain.committed / 2 + 8u * 1024 * 1024) << plain.committed;
}
