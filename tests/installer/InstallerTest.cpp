// The installer in a fresh Wine prefix (run by installer-test.sh): a silent
// install for all users and for the current user, the program started from
// its Start-menu shortcut, a Matroska file opened through the shell's
// association, and silent uninstalls that leave no file and no key of ours.
// The script compares the whole registry before and after.
#include "framework/Handle.h"
#include "framework/WideString.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/win/support/TestEnvironment.h"

#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The name of the file playing, as the remote-control query 33 answers it
// (a global atom the asker deletes); empty without an answer.
std::wstring PlayingFileName(HWND player) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(player, WM_APP + 5, 33, 0, SMTO_ABORTIFHUNG, 5000, &answer) || answer == 0) return {};
  wchar_t text[256] = {};
  const UINT length = GlobalGetAtomNameW(static_cast<ATOM>(answer), text, 256);
  GlobalDeleteAtom(static_cast<ATOM>(answer));
  return std::wstring(text, length);
}

constexpr DWORD kWaitMs = 90000;
constexpr wchar_t kApp[] = L"ZentravueX64";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZentravueX64";

std::wstring Environment(const wchar_t* name) {
  wchar_t value[2048] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 2048);
  return n > 0 && n < 2048 ? std::wstring(value, n) : std::wstring();
}

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::wstring> Value(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

DWORD RunAndWait(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return static_cast<DWORD>(-1);
  CloseHandle(started.hThread);
  fw::KernelHandle process(started.hProcess);
  if (WaitForSingleObject(process.get(), kWaitMs) != WAIT_OBJECT_0) return static_cast<DWORD>(-2);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

std::wstring ImageOf(DWORD processId) {
  fw::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!process || !QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return path;
}

// The player window of a process that runs this executable.
HWND PlayerOf(const std::wstring& program) {
  struct Search {
    const std::wstring* program;
    HWND found;
  } search{&program, nullptr};
  zvtest::WaitFor(
      [&] {
        EnumWindows(
            [](HWND hwnd, LPARAM param) -> BOOL {
              auto* s = reinterpret_cast<Search*>(param);
              wchar_t name[32] = {};
              GetClassNameW(hwnd, name, 32);
              DWORD id = 0;
              GetWindowThreadProcessId(hwnd, &id);
              if (!IsWindowVisible(hwnd) || wcscmp(name, L"ZentravueClass") != 0 ||
                  _wcsicmp(ImageOf(id).c_str(), s->program->c_str()) != 0)
                return TRUE;
              s->found = hwnd;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kWaitMs);
  return search.found;
}

void ClosePlayer(HWND player) {
  DWORD id = 0;
  GetWindowThreadProcessId(player, &id);
  fw::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
  PostMessageW(player, WM_CLOSE, 0, 0);
  if (process) EXPECT_EQ(WaitForSingleObject(process.get(), kWaitMs), WAIT_OBJECT_0);
}

bool ShellOpen(const std::wstring& file) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

// A silent uninstall hands over to a copy of the uninstaller in the
// temporary folder and returns; it is done when the folder is gone and no
// uninstaller runs any more.
bool UninstallSilently(const std::wstring& folder) {
  if (RunAndWait(folder + L"Uninstall.exe", L"/S") != 0) return false;
  return zvtest::WaitFor(
      [&] {
        if (Exists(folder)) return false;
        std::vector<DWORD> ids(4096);
        DWORD bytes = 0;
        EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes);
        for (size_t i = 0; i < bytes / sizeof(DWORD); ++i) {
          const std::wstring image = ImageOf(ids[i]);
          if (image.find(L"~nsu") != std::wstring::npos) return false;
        }
        return true;
      },
      kWaitMs);
}

TEST(Installer, ForAllUsersStartsOpensByAssociationAndUninstallsCompletely) {
  const std::wstring setup = Environment(L"ZV_INSTALLER");
  ASSERT_TRUE(Exists(setup)) << "installer missing: " << fw::WideToUtf8(setup);
  ASSERT_EQ(RunAndWait(setup, L"/S"), 0u);

  const std::wstring folder = Folder(CSIDL_PROGRAM_FILES) + L"\\Zentravue\\";
  const std::wstring program = folder + L"Zentravue.exe";
  const std::wstring shortcut = Folder(CSIDL_COMMON_PROGRAMS) + L"\\Zentravue.lnk";
  EXPECT_TRUE(Exists(program));
  EXPECT_TRUE(Exists(folder + L"Uninstall.exe"));
  EXPECT_TRUE(Exists(shortcut));
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), kApp);
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"1.3.0.0\u03B2");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), L"Ostrel-Software");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"), L"\"" + folder + L"Uninstall.exe\"");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon"), program);
  // The program registered itself and the media types through the shell.
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, L".mkv", nullptr), kApp);
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, L"ZentravueX64\\shell\\open\\command", nullptr),
            L"\"" + program + L"\" \"%1\"");
  // Installed per machine: no second uninstall entry for the user.
  EXPECT_FALSE(Value(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"));

  zvtest::PresetEnglish();
  ASSERT_TRUE(ShellOpen(shortcut));
  HWND player = PlayerOf(program);
  ASSERT_NE(player, nullptr) << "the shortcut started no player";
  ClosePlayer(player);

  const std::wstring clip = zvtest::MediaPath(L"v.mkv");
  ASSERT_TRUE(ShellOpen(clip));
  player = PlayerOf(program);
  ASSERT_NE(player, nullptr) << "opening a .mkv started no player";
  // The installed program opened the clip: its file name, as a remote
  // control's query asks for it (the shipped program has no test hook).
  std::wstring playing;
  zvtest::WaitFor([&] { return (playing = PlayingFileName(player)) == L"v.mkv"; }, 20000);
  EXPECT_EQ(playing, L"v.mkv");
  ClosePlayer(player);

  ASSERT_TRUE(UninstallSilently(folder));
  EXPECT_FALSE(Exists(shortcut));
  EXPECT_FALSE(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"));
  EXPECT_FALSE(Value(HKEY_CLASSES_ROOT, L"ZentravueX64", nullptr));
  EXPECT_NE(Value(HKEY_CLASSES_ROOT, L".mkv", nullptr), std::optional<std::wstring>(kApp));
}

TEST(Installer, ForTheCurrentUserInstallsIntoTheUsersProgramsAndUninstalls) {
  const std::wstring setup = Environment(L"ZV_INSTALLER");
  ASSERT_EQ(RunAndWait(setup, L"/S /CurrentUser"), 0u);
  const std::wstring folder = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zentravue\\";
  const std::wstring shortcut = Folder(CSIDL_PROGRAMS) + L"\\Zentravue.lnk";
  EXPECT_TRUE(Exists(folder + L"Zentravue.exe"));
  EXPECT_TRUE(Exists(shortcut));
  EXPECT_EQ(Value(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"), L"\"" + folder + L"Uninstall.exe\"");
  EXPECT_FALSE(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"));

  ASSERT_TRUE(UninstallSilently(folder));
  EXPECT_FALSE(Exists(shortcut));
  EXPECT_FALSE(Value(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"));
}

}  // namespace
