#include "playlist/Playlist.h"
#include "playlist/PlaylistText.h"
#include "playlist/PlaylistWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "native/playlist/MemoryFileAccess.h"

using zv::Playlist;

namespace {

std::vector<uint8_t> ReadDataFile(const char* name) {
  std::ifstream in(std::string(ZV_TEST_DATA) + "/playlist/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string Text(const std::vector<uint8_t>& bytes) { return zv::DecodePlaylistBytes(bytes); }

}  // namespace

TEST(PlaylistSave, WritesOwnFormatByteForByte) {
  MemoryFileAccess files;
  Playlist list(&files);
  list.AddEntry(u"D:\\Music\\a.mp3");
  list.AddEntry(u"http://radio.example/stream?a=1&b=2");
  list.AddEntry(u"E:\\Other\\R&B <live> 'x'\\\u65E5\u672C\\\U0001D11E.flac");
  list.SetCurrentByPosition(1);
  list.SetFileName(u"D:\\Music\\list.zvp");
  list.SetBuildText(zv::BuildTextFromProductVersion(u"1, 3, 1, 9"));
  ASSERT_TRUE(list.Save());
  std::vector<uint8_t> expected = ReadDataFile("saved.zvp");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(files.files[u"D:\\Music\\list.zvp"], expected);
}

TEST(PlaylistSave, EmptyListWritesEmptyElementTag) {
  MemoryFileAccess files;
  Playlist list(&files);
  list.SetFileName(u"C:\\l.zvp");
  list.SetBuildText(u"1.3.1.9");
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(Text(files.files[u"C:\\l.zvp"]),
            u"<zentravue build=\"1.3.1.9\">\r\n<playlist lastPosition=\"0\"/>\r\n</zentravue>\r\n");
}

TEST(PlaylistSave, NoFileNameOrFailedWriteIsReported) {
  MemoryFileAccess files;
  Playlist list(&files);
  list.AddEntry(u"C:\\a.mp3");
  EXPECT_FALSE(list.Save());
  EXPECT_TRUE(files.files.empty());
  list.SetFileName(u"C:\\l.zvp");
  files.failWrites = true;
  EXPECT_FALSE(list.Save());
}

TEST(PlaylistSave, EntriesBelowTheFolderAreStoredRelative) {
  std::vector<std::u16string> paths = {u"d:\\MUSIC\\sub\\a.mp3", u"D:\\Musicbox\\b.mp3", u"D:\\Music\\",
                                       u"C:\\c.mp3", u"D:\\Music\\\\odd.mp3"};
  std::u16string text = zv::OwnPlaylistText(paths, 0, u"1", u"D:\\Music\\list.zvp");
  EXPECT_NE(text.find(u"<media>sub\\a.mp3</media>"), std::u16string::npos);
  EXPECT_NE(text.find(u"<media>D:\\Musicbox\\b.mp3</media>"), std::u16string::npos);
  EXPECT_NE(text.find(u"<media>D:\\Music\\</media>"), std::u16string::npos);
  EXPECT_NE(text.find(u"<media>C:\\c.mp3</media>"), std::u16string::npos);
  EXPECT_NE(text.find(u"<media>D:\\Music\\\\odd.mp3</media>"), std::u16string::npos);
}

TEST(PlaylistSave, SavedListReadsBackTheSameEntries) {
  MemoryFileAccess files;
  std::vector<std::u16string> paths = {
      u"D:\\Lists\\a <b> & c.mp3",
      u"D:\\Lists\\sub\\\u00C4rger \u00FC\u00DF.ogg",
      u"E:\\\u041C\u0443\u0437\u044B\u043A\u0430\\\u97F3\u697D.mkv",
      u"F:\\\U0001F3B5\\\U0001D11E clef &amp; not an entity.flac",
      u"http://h/x?a=1&b=<2>&c='3'\"",
      u"\\\\server\\share\\a.mp3",
      u"D:\\Lists\\ spaces kept .mp3",
      u"D:\\Lists\\]]> and <![CDATA[ and <!-- -->.mp3",
  };
  Playlist list(&files);
  for (const auto& p : paths) list.AddEntry(p);
  list.SetCurrentByPosition(3);
  list.SetFileName(u"D:\\Lists\\all.zvp");
  ASSERT_TRUE(list.Save());

  Playlist back(&files);
  ASSERT_TRUE(back.Load(u"D:\\Lists\\all.zvp"));
  ASSERT_EQ(back.Count(), static_cast<int>(paths.size()));
  for (int i = 0; i < back.Count(); ++i) EXPECT_EQ(back.EntryPath(i + 1), paths[static_cast<size_t>(i)]);
  EXPECT_EQ(back.CurrentPosition(), 3);
  EXPECT_EQ(back.FileName(), u"D:\\Lists\\all.zvp");
}

TEST(PlaylistSave, BuildTextDropsSpacesAndCommas) {
  EXPECT_EQ(zv::BuildTextFromProductVersion(u"1, 3, 1, 9"), u"1.3.1.9");
}

TEST(PlaylistSave, DestructionWritesTheListBackToItsFile) {
  MemoryFileAccess files;
  {
    Playlist list(&files);
    list.AddEntry(u"D:\\Lists\\a.mp3");
    list.AddEntry(u"D:\\Lists\\b.mp3");
    list.SetCurrentByPosition(2);
    list.SetFileName(u"D:\\Lists\\all.zvp");
    list.SetBuildText(u"1.3.1.9");
  }
  EXPECT_EQ(Text(files.files[u"D:\\Lists\\all.zvp"]),
            u"<zentravue build=\"1.3.1.9\">\r\n<playlist lastPosition=\"2\">\r\n<media>a.mp3</media>\r\n"
            u"<media>b.mp3</media>\r\n</playlist>\r\n</zentravue>\r\n");
}

TEST(PlaylistSave, DestructionNeverEmptiesAFileOrWritesWithoutOne) {
  MemoryFileAccess files;
  files.Put(u"C:\\l.zvp", "old");
  {
    Playlist list(&files);
    list.SetFileName(u"C:\\l.zvp");
  }
  {
    Playlist list(&files);
    list.AddEntry(u"C:\\a.mp3");
  }
  ASSERT_EQ(files.files.size(), 1u);
  EXPECT_EQ(files.files[u"C:\\l.zvp"], std::vector<uint8_t>({'o', 'l', 'd'}));
}

TEST(PlaylistSave, ReplacedListNoLongerBelongsToTheFileItCameFrom) {
  MemoryFileAccess files;
  files.Put(u"C:\\l.zvp", "<zentravue><playlist><media>a.mp3</media></playlist></zentravue>");
  files.Put(u"C:\\x.m3u", "x.mp3\n");
  const std::vector<uint8_t> original = files.files[u"C:\\l.zvp"];
  {
    Playlist list(&files);
    ASSERT_TRUE(list.Load(u"C:\\l.zvp"));
    EXPECT_EQ(list.FileName(), u"C:\\l.zvp");
    list.Clear();
    EXPECT_EQ(list.FileName(), u"");
    list.AddEntry(u"C:\\dropped.avi");
  }
  {
    Playlist list(&files);
    ASSERT_TRUE(list.Load(u"C:\\l.zvp"));
    ASSERT_TRUE(list.Load(u"C:\\x.m3u"));
    EXPECT_EQ(list.FileName(), u"");
  }
  EXPECT_EQ(files.files[u"C:\\l.zvp"], original);
}
