#include "playlist/Playlist.h"
#include "playlist/PlaylistText.h"

#include <gtest/gtest.h>

#include "native/playlist/MemoryFileAccess.h"

using zv::Playlist;

namespace {

std::vector<std::u16string> Paths(const Playlist& list) {
  std::vector<std::u16string> out;
  for (const zv::PlaylistEntry& e : list.Entries()) out.push_back(e.path);
  return out;
}

std::vector<uint8_t> Utf16Le(std::u16string_view text) { return zv::EncodeUtf16LeWithMark(text); }

struct CountingView : zv::PlaylistView {
  int refreshes = 0;
  void RefreshPlaylistView() override { ++refreshes; }
};

}  // namespace

TEST(PlaylistLoad, PlsTakesFileLinesAnyCaseAndResolvesRelative) {
  MemoryFileAccess files;
  files.Put(u"D:\\pl\\list.pls",
            "[playlist]\r\nNumberOfEntries=2\r\nFile1=C:\\a.mp3\r\nTitle1=A\r\nfile2=b.mp3\r\n"
            "Length1=-1\r\nFILE3\r\nVersion=2\r\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"D:\\pl\\list.pls"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"C:\\a.mp3", u"D:\\pl\\b.mp3"}));
  EXPECT_EQ(list.CurrentPosition(), 1);
  EXPECT_EQ(list.FileName(), u"");
}

TEST(PlaylistLoad, M3uSkipsCommentsAndTrimsLines) {
  MemoryFileAccess files;
  files.Put(u"D:\\m\\x.M3U", "#EXTM3U\n#EXTINF:123,Title\n   x.mp3   \r\n\r\n\thttp://radio:8000/s\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"D:\\m\\x.M3U"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"D:\\m\\x.mp3", u"http://radio:8000/s"}));
}

TEST(PlaylistLoad, NetworkPathIsNotRelative) {
  MemoryFileAccess files;
  files.Put(u"D:\\pl\\l.m3u", "\\\\server\\share\\a.mp3\n\\music\\b.mp3\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"D:\\pl\\l.m3u"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"\\\\server\\share\\a.mp3", u"D:\\music\\b.mp3"}));
}

TEST(PlaylistLoad, RootRelativeEntryOnNetworkShareStaysOnShare) {
  MemoryFileAccess files;
  files.Put(u"\\\\srv\\media\\lists\\l.m3u", "\\x\\b.mp3\nc.mp3\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"\\\\srv\\media\\lists\\l.m3u"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"\\\\srv\\media\\x\\b.mp3", u"\\\\srv\\media\\lists\\c.mp3"}));
}

TEST(PlaylistLoad, OwnFormatStartPosition) {
  MemoryFileAccess files;
  auto put = [&](const char16_t* path, std::u16string_view last) {
    std::u16string text = u"<zentravue build=\"1\">\r\n<playlist lastPosition=\"" + std::u16string(last) +
                          u"\">\r\n<media>a.mp3</media>\r\n<media>C:\\b.mp3</media>\r\n<media>c &amp; d.mp3</media>\r\n"
                          u"</playlist>\r\n</zentravue>\r\n";
    files.files[path] = Utf16Le(text);
  };
  put(u"D:\\z\\zero.zvp", u"0");
  put(u"D:\\z\\neg.zvp", u"-5");
  put(u"D:\\z\\seven.zvp", u"7");
  put(u"D:\\z\\two.zvp", u"2");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"D:\\z\\zero.zvp"));
  EXPECT_EQ(list.CurrentPosition(), 1);
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"D:\\z\\a.mp3", u"C:\\b.mp3", u"D:\\z\\c & d.mp3"}));
  EXPECT_EQ(list.FileName(), u"D:\\z\\zero.zvp");
  ASSERT_TRUE(list.Load(u"D:\\z\\neg.zvp"));
  EXPECT_EQ(list.CurrentPosition(), 1);
  ASSERT_TRUE(list.Load(u"D:\\z\\seven.zvp"));
  EXPECT_EQ(list.CurrentPosition(), 0);
  EXPECT_EQ(list.Count(), 3);
  ASSERT_TRUE(list.Load(u"D:\\z\\two.zvp"));
  EXPECT_EQ(list.CurrentPosition(), 2);
}

TEST(PlaylistLoad, AsxNamesCompareWithoutCase) {
  MemoryFileAccess files;
  files.Put(u"C:\\r\\upper.asx",
            "<ASX VERSION=\"3.0\"><TITLE>t</TITLE><ENTRY><REF HREF=\" http://h/a.mp3 \"/></ENTRY>"
            "<Entry><Ref href=\"mms://h/b\"/></Entry><ENTRY><TITLE>none</TITLE></ENTRY>"
            "<ENTRY><REF HREF=\"  \"/></ENTRY><entry><ref href=\"c.wma\"/></entry></ASX>");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"C:\\r\\upper.asx"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"http://h/a.mp3", u"mms://h/b", u"C:\\r\\c.wma"}));
}

TEST(PlaylistLoad, WrongDocumentLeavesListAlone) {
  MemoryFileAccess files;
  files.Put(u"C:\\keep.m3u", "one.mp3\n");
  files.Put(u"C:\\bad.asx", "<notasx><entry><ref href=\"x\"/></entry></notasx>");
  files.Put(u"C:\\broken.zvp", "<zentravue><playlist><media>x</media></playlist>");
  files.Put(u"C:\\other.zvp", "<other><playlist><media>x</media></playlist></other>");
  files.Put(u"C:\\list.txt", "x.mp3\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"C:\\keep.m3u"));
  EXPECT_FALSE(list.Load(u"C:\\bad.asx"));
  EXPECT_FALSE(list.Load(u"C:\\broken.zvp"));
  EXPECT_FALSE(list.Load(u"C:\\other.zvp"));
  EXPECT_FALSE(list.Load(u"C:\\list.txt"));
  EXPECT_FALSE(list.Load(u"C:\\missing.m3u"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"C:\\one.mp3"}));
}

TEST(PlaylistLoad, EmptyLineListClearsTheList) {
  MemoryFileAccess files;
  files.Put(u"C:\\keep.m3u", "one.mp3\n");
  files.Put(u"C:\\empty.m3u", "#EXTM3U\n\n");
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"C:\\keep.m3u"));
  EXPECT_FALSE(list.Load(u"C:\\empty.m3u"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.CurrentPosition(), 0);
}

TEST(PlaylistLoad, AddressIsFetchedAndNeverBecomesFileName) {
  MemoryFileAccess files;
  std::u16string text = u"<zentravue><playlist><media>http://h/a.mp3</media></playlist></zentravue>";
  files.urls[u"http://h/list.zvp"] = Utf16Le(text);
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"http://h/list.zvp"));
  EXPECT_EQ(list.EntryPath(1), u"http://h/a.mp3");
  EXPECT_EQ(list.FileName(), u"");
}

TEST(PlaylistLoad, LoadRefreshesTheView) {
  MemoryFileAccess files;
  files.Put(u"C:\\a.m3u", "a.mp3\n");
  CountingView view;
  Playlist list(&files);
  list.SetView(&view);
  ASSERT_TRUE(list.Load(u"C:\\a.m3u"));
  EXPECT_GE(view.refreshes, 1);
}

TEST(PlaylistLoad, EmptyEntriesAreIgnoredNotMadeTheListsFolder) {
  MemoryFileAccess files;
  files.Put(u"D:\\pl\\l.pls", "[playlist]\r\nFile1=\r\nFile2=a.mp3\r\nFile3=   \r\n");
  std::u16string own = u"<zentravue><playlist><media/><media>b.mp3</media><media></media><media> </media>"
                       u"</playlist></zentravue>";
  files.files[u"D:\\pl\\l.zvp"] = Utf16Le(own);
  Playlist list(&files);
  ASSERT_TRUE(list.Load(u"D:\\pl\\l.pls"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"D:\\pl\\a.mp3"}));
  ASSERT_TRUE(list.Load(u"D:\\pl\\l.zvp"));
  EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"D:\\pl\\b.mp3"}));
  files.Put(u"D:\\pl\\none.pls", "[playlist]\r\nFile1=\r\n");
  EXPECT_FALSE(list.Load(u"D:\\pl\\none.pls"));
  EXPECT_EQ(list.Count(), 0);
}
