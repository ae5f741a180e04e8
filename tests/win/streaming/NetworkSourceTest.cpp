// Our network source against real servers on 127.0.0.1.
#include "media/VideoFile.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/HttpStream.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/streaming/StreamServer.h"

#include <gtest/gtest.h>

namespace {

using namespace zvtest;

TEST(Experiment, Plays) {
  ASSERT_NE(Servers().http, 0);
  OwnerWindow owner;
  auto settings = DefaultSettings();
  for (const wchar_t* object : {L"/ranges/av.avi", L"/ranges/demo.mkv", L"/ranges/av.ogg", L"/ranges/long.mkv",
                                L"/plain/av.avi", L"/live.mp3", L"/live.ogg", L"/icy.mp3"}) {
    MessageBoxWatcher boxes;
    const ULONGLONG start = GetTickCount64();
    auto media = OpenMedia(HttpAddress(object), owner, *settings);
    fprintf(stderr, "%ls rendered=%d in %llu ms duration=%d boxes=%d\n", object, media->IsRendered(),
            GetTickCount64() - start, media->GetDuration(), boxes.Count());
    if (!media->IsRendered()) continue;
    media->Play();
    WaitFor([&] { return media->GetPosition() > 150; }, 8000);
    fprintf(stderr, "  position %d after %llu ms\n", media->GetPosition(), GetTickCount64() - start);
    const ULONGLONG closing = GetTickCount64();
    media.reset();
    fprintf(stderr, "  closed in %llu ms\n", GetTickCount64() - closing);
  }
}

}  // namespace
