// The playlist on real files of the Wine prefix: loading, the atomic save,
// the write-back at destruction and the build attribute.
#include "playlist/CPlaylist.h"
#include "playlist/PlaylistFileIo.h"
#include "playlist/ProgramBuildText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/WideString.h"
#include "tests/win/playlist/PlaylistTestSupport.h"

using zvtest::FileBytes;
using zvtest::PutFile;
using zvtest::TempFolder;

namespace {

// A saved playlist's bytes: FF FE and the text as UTF-16 LE.
std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::wstring Entry(const CPlaylist& list, int position) { return fw::ToWide(list.EntryPath(position)); }

// The product version as the version resource holds it, read the way the
// shell reads it from the file.
std::wstring ProductVersionOfThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) return L"";
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040704b0\\ProductVersion", reinterpret_cast<void**>(&value),
                      &length))
    return L"";
  return value;
}

bool NoTempFilesLeft(const TempFolder& folder) {
  for (const std::wstring& name : folder.FileNames())
    if (name.size() > 4 && name.compare(name.size() - 4, 4, L".tmp") == 0) return false;
  return true;
}

}  // namespace

TEST(PlaylistFiles, LoadsM3uFromDiskWithEntriesBesideIt) {
  TempFolder folder;
  PutFile(folder / L"list.m3u", "#EXTM3U\r\n#EXTINF:1,x\r\n  x.mp3  \r\nD:\\abs\\y.mp3\n\xC3\xA4.ogg\r\n");
  CPlaylist list;
  ASSERT_TRUE(list.Load(fw::ToU16(folder / L"list.m3u")));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(Entry(list, 1), folder / L"x.mp3");
  EXPECT_EQ(Entry(list, 2), L"D:\\abs\\y.mp3");
  EXPECT_EQ(Entry(list, 3), folder / L"\u00E4.ogg");
  EXPECT_EQ(list.CurrentPosition(), 1);
  EXPECT_TRUE(list.FileName().empty());
}

TEST(PlaylistFiles, MissingFileLeavesListAlone) {
  TempFolder folder;
  CPlaylist list;
  list.AddEntry(u"C:\\keep.mp3");
  EXPECT_FALSE(list.Load(fw::ToU16(folder / L"absent.m3u")));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(Entry(list, 1), L"C:\\keep.mp3");
}

TEST(PlaylistFiles, SavedListReadsBackAndStoresEntriesBelowItsFolderRelative) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  {
    CPlaylist list;
    list.AddEntry(fw::ToU16(folder / L"a.mp3"));
    list.AddEntry(u"http://radio.example/s?a=1&b=2");
    list.AddEntry(u"E:\\Other\\R&B.flac");
    list.SetCurrentByPosition(2);
    list.SetFileName(fw::ToU16(file));
    ASSERT_TRUE(list.Save());
    list.Clear();  // so that the destructor writes nothing more
  }
  const std::wstring build = fw::ToWide(ProgramBuildText());
  EXPECT_EQ(FileBytes(file), Utf16File(L"<zentravue build=\"" + build + L"\">\r\n<playlist lastPosition=\"2\">\r\n"
                                       L"<media>a.mp3</media>\r\n<media>http://radio.example/s?a=1&amp;b=2</media>\r\n"
                                       L"<media>E:\\Other\\R&amp;B.flac</media>\r\n</playlist>\r\n</zentravue>\r\n"));
  CPlaylist back;
  ASSERT_TRUE(back.Load(fw::ToU16(file)));
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(Entry(back, 1), folder / L"a.mp3");
  EXPECT_EQ(Entry(back, 2), L"http://radio.example/s?a=1&b=2");
  EXPECT_EQ(Entry(back, 3), L"E:\\Other\\R&B.flac");
  EXPECT_EQ(back.CurrentPosition(), 2);
  EXPECT_EQ(fw::ToWide(back.FileName()), file);
}

TEST(PlaylistFiles, SaveReplacesLongerOldFileCompletely) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  PutFile(file, std::string(100000, 'x'));
  CPlaylist list;
  list.SetFileName(fw::ToU16(file));
  list.AddEntry(u"C:\\a.mp3");
  ASSERT_TRUE(list.Save());
  const std::string bytes = FileBytes(file);
  EXPECT_EQ(bytes.size(), list.SaveBytes().size());
  EXPECT_EQ(bytes.find('x'), std::string::npos);
  EXPECT_TRUE(NoTempFilesLeft(folder));
  list.Clear();
}

TEST(PlaylistFiles, FailedSaveKeepsOldFileWhenTargetIsOpenWithoutSharing) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  PutFile(file, "old content");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  CPlaylist list;
  list.SetFileName(fw::ToU16(file));
  list.AddEntry(u"C:\\a.mp3");
  EXPECT_FALSE(list.Save());
  CloseHandle(lock);
  EXPECT_EQ(FileBytes(file), "old content");
  EXPECT_TRUE(NoTempFilesLeft(folder));
  list.Clear();
}

TEST(PlaylistFiles, FailedSaveKeepsOldFileWhenTargetIsReadOnly) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  PutFile(file, "old content");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  CPlaylist list;
  list.SetFileName(fw::ToU16(file));
  list.AddEntry(u"C:\\a.mp3");
  EXPECT_FALSE(list.Save());
  EXPECT_EQ(FileBytes(file), "old content");
  EXPECT_TRUE(NoTempFilesLeft(folder));
  list.Clear();
}

TEST(PlaylistFiles, SaveIntoMissingFolderOrOverAFolderFails) {
  TempFolder folder;
  CPlaylist list;
  list.AddEntry(u"C:\\a.mp3");
  list.SetFileName(fw::ToU16(folder / L"absent\\list.zvp"));
  EXPECT_FALSE(list.Save());
  ASSERT_TRUE(CreateDirectoryW((folder / L"dir.zvp").c_str(), nullptr));
  list.SetFileName(fw::ToU16(folder / L"dir.zvp"));
  EXPECT_FALSE(list.Save());
  EXPECT_EQ(GetFileAttributesW((folder / L"dir.zvp").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(NoTempFilesLeft(folder));
  RemoveDirectoryW((folder / L"dir.zvp").c_str());
  list.Clear();
}

TEST(PlaylistFiles, DestructionWritesLoadedListBackWithItsEditsAndPosition) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  PutFile(file, Utf16File(L"<zentravue build=\"1\">\r\n<playlist lastPosition=\"1\">\r\n<media>a.mp3</media>\r\n"
                          L"<media>b.mp3</media>\r\n</playlist>\r\n</zentravue>\r\n"));
  {
    CPlaylist list;
    ASSERT_TRUE(list.Load(fw::ToU16(file)));
    list.AddEntry(fw::ToU16(folder / L"c.mp3"));
    list.SetCurrentByPosition(2);
  }
  CPlaylist back;
  ASSERT_TRUE(back.Load(fw::ToU16(file)));
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(Entry(back, 3), folder / L"c.mp3");
  EXPECT_EQ(back.CurrentPosition(), 2);
  EXPECT_NE(FileBytes(file).find(Utf16File(L"build=\"" + fw::ToWide(ProgramBuildText()) + L"\"").substr(2)),
            std::string::npos);
}

TEST(PlaylistFiles, DestructionAfterTheListWasReplacedLeavesTheFileAlone) {
  TempFolder folder;
  const std::wstring file = folder / L"list.zvp";
  const std::string original = Utf16File(
      L"<zentravue build=\"1\">\r\n<playlist lastPosition=\"1\">\r\n<media>a.mp3</media>\r\n</playlist>\r\n"
      L"</zentravue>\r\n");
  PutFile(file, original);
  PutFile(folder / L"other.m3u", "x.mp3\r\n");
  {
    CPlaylist list;
    ASSERT_TRUE(list.Load(fw::ToU16(file)));
    list.Clear();  // the player making a one-entry list of a dropped file
    list.AddEntry(u"C:\\dropped.avi");
  }
  EXPECT_EQ(FileBytes(file), original);
  {
    CPlaylist list;
    ASSERT_TRUE(list.Load(fw::ToU16(file)));
    ASSERT_TRUE(list.Load(fw::ToU16(folder / L"other.m3u")));
    EXPECT_TRUE(list.FileName().empty());
  }
  EXPECT_EQ(FileBytes(file), original);
}

TEST(PlaylistFiles, BuildAttributeIsTheProductVersionWithPointsAndNoSpaces) {
  const std::wstring product = ProductVersionOfThisProgram();
  ASSERT_FALSE(product.empty());
  std::wstring expected;
  for (wchar_t c : product) {
    if (c != L' ') expected += c == L',' ? L'.' : c;
  }
  EXPECT_EQ(fw::ToWide(ProgramBuildText()), expected);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), L'.'), 3);
  EXPECT_EQ(expected.find_first_not_of(L"0123456789."), std::wstring::npos);

  TempFolder folder;
  CPlaylist list;
  list.SetFileName(fw::ToU16(folder / L"b.zvp"));
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(FileBytes(folder / L"b.zvp"), Utf16File(L"<zentravue build=\"" + expected +
                                                    L"\">\r\n<playlist lastPosition=\"0\"/>\r\n</zentravue>\r\n"));
}

TEST(PlaylistFiles, ReadingStopsAtTheSizeLimit) {
  TempFolder folder;
  PutFile(folder / L"big.m3u", std::string(5000, 'a'));
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadWholeFile(folder / L"big.m3u", bytes, 4999));
  EXPECT_TRUE(ReadWholeFile(folder / L"big.m3u", bytes, 5000));
  EXPECT_EQ(bytes.size(), 5000u);
}

// A list saved in a drive's root: the new file is written beside it there,
// not in whatever directory is current on that drive.
TEST(PlaylistFiles, SaveInADriveRootWritesBesideTheList) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 2u);
  const std::wstring drive(windows, 2);
  const std::wstring path = drive + L"\\zv_root_list.zvp";
  // With the process elsewhere, the drive's current directory is the one its
  // "=X:" variable names: here one that does not exist.
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  if (_wcsnicmp(current, drive.c_str(), 2) == 0) GTEST_SKIP() << "the process runs on that drive";
  const std::wstring variable = L"=" + drive;
  ASSERT_TRUE(SetEnvironmentVariableW(variable.c_str(), (drive + L"\\zv no such folder").c_str()));
  DeleteFileW(path.c_str());
  bool saved = false;
  {
    CPlaylist list;
    list.AddEntry(u"C:\\music\\a.mp3");
    list.SetFileName(fw::ToU16(path));
    saved = list.Save();
    list.Clear();
  }
  SetEnvironmentVariableW(variable.c_str(), nullptr);
  EXPECT_TRUE(saved);
  CPlaylist back;
  EXPECT_TRUE(back.Load(fw::ToU16(path)));
  EXPECT_EQ(Entry(back, 1), L"C:\\music\\a.mp3");
  back.Clear();
  DeleteFileW(path.c_str());
}
