// Opening media from the command line of the real program: "close" ends it
// at the end of its file, shuffle keeps it playing, wildcards keep the
// file-system order.
#include "tests/testprogram/PlayerTestHook.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <shlobj.h>

#include <gtest/gtest.h>

using zvtest::ProgramProcess;
using Q = PlayerTestQuery;

namespace {

WPARAM Ask(Q q) { return static_cast<WPARAM>(q); }

std::wstring TempFolderFor(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name + L"\\";
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  return folder;
}

class Opening : public testing::Test {
 protected:
  void SetUp() override {
    zvtest::DeleteProgramRegistry();
    zvtest::PresetEnglish();
  }
  void TearDown() override { zvtest::DeleteProgramRegistry(); }
};

}  // namespace

TEST_F(Opening, CloseWithOneFileEndsTheProgramAtTheEndOfTheFile) {
  ProgramProcess program(L"\"" + zvtest::MediaPath(L"v.avi") + L"\" /close");
  ASSERT_TRUE(program.Started());
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::MediaOpen)) == 1; }, 10000));
  // Two seconds of media, then the program ends by itself.
  EXPECT_EQ(program.WaitForExit(30000), 0);
}

TEST_F(Opening, ShuffleKeepsPlayingAndCloseNeverEndsTheProgram) {
  zvtest::SetSettingDword(L"PlaylistShuffle", 1);
  const std::wstring folder = TempFolderFor(L"zv_e2e_shuffle");
  const std::wstring list = folder + L"three.m3u";
  std::string text;
  for (const wchar_t* name : {L"v.avi", L"v.mkv", L"v.ogg"}) {
    const std::wstring path = zvtest::MediaPath(name);
    text += std::string(path.begin(), path.end()) + "\r\n";
  }
  HANDLE file = CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);

  ProgramProcess program(L"\"" + list + L"\" /close");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::PlaylistCount)) == 3; }, 10000));
  // Each end draws another entry; four changes are several whole entries.
  int changes = 0;
  LRESULT last = zvtest::QueryPlayer(player, Ask(Q::CurrentEntry));
  const bool kept = zvtest::WaitFor(
      [&] {
        if (program.WaitForExit(0) != -1) return true;
        const LRESULT now = zvtest::QueryPlayer(player, Ask(Q::CurrentEntry));
        if (now > 0 && now != last) {
          ++changes;
          last = now;
        }
        return changes >= 4;
      },
      60000);
  EXPECT_TRUE(kept);
  EXPECT_GE(changes, 4);
  EXPECT_EQ(program.WaitForExit(0), -1) << "\"close\" ended the program although shuffle is on";
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
  DeleteFileW(list.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(Opening, WildcardOnTheCommandLineKeepsTheFileSystemOrder) {
  const std::wstring folder = TempFolderFor(L"zv_e2e_wildcard");
  for (const wchar_t* name : {L"b.avi", L"C.avi", L"a.avi"})
    CopyFileW(zvtest::MediaPath(L"v.avi").c_str(), (folder + name).c_str(), FALSE);
  std::vector<std::wstring> expected;
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW((folder + L"*.avi").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do expected.push_back(folder + data.cFileName);
  while (FindNextFileW(search, &data));
  FindClose(search);

  ProgramProcess program(L"\"" + folder + L"*.avi\"");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(zvtest::WaitFor([&] { return zvtest::QueryPlayer(player, Ask(Q::MediaOpen)) == 1; }, 10000));
  std::vector<std::wstring> entries;
  const LRESULT count = zvtest::QueryPlayer(player, Ask(Q::PlaylistCount));
  for (LRESULT i = 1; i <= count; ++i) entries.push_back(zvtest::QueryPlayerText(player, Ask(Q::PlaylistEntry), i));
  EXPECT_EQ(entries, expected);
  EXPECT_EQ(zvtest::QueryPlayer(player, Ask(Q::CurrentEntry)), 1);
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
  for (const std::wstring& path : expected) DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}
