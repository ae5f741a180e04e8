#include "player/MediaFileNames.h"

#include "app/FileAssocs.h"

#include <gtest/gtest.h>

using Listing = std::vector<std::u16string>;

TEST(MediaFileNames, SameNameAudioIsTriedInFixedOrder) {
  EXPECT_EQ(zv::SameNameAudioCandidates(u"C:\\films\\x.avi"),
            (Listing{u"C:\\films\\x.wav", u"C:\\films\\x.wma", u"C:\\films\\x.mp3", u"C:\\films\\x.ac3",
                     u"C:\\films\\x.mp2"}));
  // Only the last extension goes.
  EXPECT_EQ(zv::SameNameAudioCandidates(u"a.b.mkv").front(), u"a.b.wav");
}

TEST(MediaFileNames, DotInFolderNameIsNoExtension) {
  EXPECT_EQ(zv::SameNameAudioCandidates(u"C:\\v1.0\\clip").front(), u"C:\\v1.0\\clip.wav");
  EXPECT_EQ(zv::ExtensionOf(u"C:\\v1.0\\clip"), u"");
  EXPECT_EQ(zv::ExtensionOf(u"clip.MKV"), u"MKV");
  EXPECT_EQ(zv::ExtensionOf(u""), u"");
}

TEST(MediaFileNames, MediaExtensionIgnoresCaseAndPlaylists) {
  zv::FileTypeList types;
  types.PushBack(u"avi", CFileAssocs::kVideo);
  types.PushBack(u"mp3", CFileAssocs::kAudio);
  types.PushBack(u"m3u", CFileAssocs::kPlaylist);
  EXPECT_TRUE(zv::HasMediaExtension(types, u"CLIP.AVI"));
  EXPECT_TRUE(zv::HasMediaExtension(types, u"song.mp3"));
  EXPECT_FALSE(zv::HasMediaExtension(types, u"list.m3u"));
  EXPECT_FALSE(zv::HasMediaExtension(types, u"notes.txt"));
  EXPECT_FALSE(zv::HasMediaExtension(types, u"avi"));
}

namespace {
bool IsMedia(const std::u16string& name) { return zv::ExtensionOf(name) == u"avi"; }
}  // namespace

TEST(MediaFileNames, NeighbourSkipsOtherFilesAndWraps) {
  const Listing listing{u"b.avi", u"notes.txt", u"c.avi", u"a.avi"};
  EXPECT_EQ(zv::NeighbourInListing(listing, u"b.avi", 1, IsMedia), 2u);
  // From the last listed file the search wraps to the first.
  EXPECT_EQ(zv::NeighbourInListing(listing, u"a.avi", 1, IsMedia), 0u);
  EXPECT_EQ(zv::NeighbourInListing(listing, u"b.avi", -1, IsMedia), 3u);
  // The current file is found whatever its case.
  EXPECT_EQ(zv::NeighbourInListing(listing, u"C.AVI", 1, IsMedia), 3u);
}

TEST(MediaFileNames, NoNeighbourWhenAloneOrNotListed) {
  EXPECT_FALSE(zv::NeighbourInListing({u"only.avi", u"x.txt"}, u"only.avi", 1, IsMedia));
  EXPECT_FALSE(zv::NeighbourInListing({u"a.avi"}, u"gone.avi", 1, IsMedia));
  EXPECT_FALSE(zv::NeighbourInListing({}, u"gone.avi", -1, IsMedia));
}
