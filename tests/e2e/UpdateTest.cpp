// The whole online update with real processes: a copy of the program in a
// folder of its own asks the test update server, downloads a newer signed
// copy, exits; step 1 (the downloaded copy) replaces the program and starts
// step 2 (the new program), which reports and comes up as the player.
#include "framework/Handle.h"
#include "framework/WideString.h"
#include "res/resource.h"
#include "system/FileAssociations.h"
#include "system/UpdateConfig.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/e2e/support/RemoteListView.h"
#include "tests/win/support/TestEnvironment.h"
#include "tests/win/system/SystemTestSupport.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 60000;
constexpr wchar_t kCaption[] = L"Zentra-Vue Update";

std::wstring ImageOf(DWORD processId) {
  fw::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return path;
}

struct WindowSearch {
  std::wstring image;      // the process's executable, compared without case
  const wchar_t* className;
  std::wstring titleStart;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  if (wcscmp(className, search->className) != 0) return TRUE;
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (std::wstring(title).rfind(search->titleStart, 0) != 0) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (_wcsicmp(ImageOf(processId).c_str(), search->image.c_str()) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A visible top-level window of a process running this executable.
HWND WaitForWindowOf(const std::wstring& image, const wchar_t* className, const std::wstring& titleStart) {
  WindowSearch search{image, className, titleStart};
  zvtest::WaitFor(
      [&] {
        search.found = nullptr;
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kWaitMs);
  return search.found;
}

std::wstring Text(HWND window, int control) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(window, control, text, 1024);
  return text;
}

// Ends every process still running an executable of the folder.
void EndProcessesIn(const std::wstring& folder) {
  std::vector<DWORD> ids(20000);
  DWORD bytes = 0;
  if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return;
  for (size_t i = 0; i < bytes / sizeof(DWORD); ++i) {
    const std::wstring image = ImageOf(ids[i]);
    if (image.size() < folder.size() || _wcsnicmp(image.c_str(), folder.c_str(), folder.size()) != 0) continue;
    fw::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ids[i]));
    if (!process) continue;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
  }
}

TEST(Update, ReplacesTheProgramThroughBothSteps) {
  ASSERT_GT(zvtest::UpdateServerPort(), 0) << "update server fixture missing";
  std::string server;
  const std::wstring www = zvtest::MakeServerCase(L"e2e_update", &server);
  const std::wstring folder = zvtest::FreshTempFolder(L"e2e-update");
  const std::wstring program = folder + L"Zentravue.exe";
  const std::string key = zvtest::FixtureKey("good");
  ASSERT_TRUE(zvtest::MakeProgramCopy(program, server, key));
  ASSERT_TRUE(zvtest::MakeProgramCopy(www + L"zentravue-9300.exe", server, key, L"9, 3, 0, 0"));
  ASSERT_TRUE(zvtest::SignOnServer(L"e2e_update/zentravue-9300.exe", "good"));
  ASSERT_TRUE(zvtest::WriteFileBytes(www + L"versioninfo_zentravueX64", "9.3.0.0\r\nzentravue-9300.exe\r\n"));
  ASSERT_TRUE(zvtest::WriteFileBytes(www + L"zentravue_update_history.php", "9.3.0.0\r\nNew\r\nSigned updates\r\n"));
  zvtest::PresetEnglish();

  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &started));
  fw::KernelHandle oldProcess(started.hProcess);
  CloseHandle(started.hThread);

  HWND player = WaitForWindowOf(program, L"ZentravueClass", L"ZentravueX64");
  ASSERT_NE(player, nullptr);
  PostMessageW(player, WM_COMMAND, MAKEWPARAM(IDM_HILFE_UPDATE, 0), 0);
  HWND dialog = WaitForWindowOf(program, L"#32770", kCaption);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(zvtest::WaitFor([&] { return Text(dialog, IDC_BUTTON_ABBRECHEN) == L"Yes"; }, kWaitMs))
      << Text(dialog, IDC_TXT_STATUS);
  const std::vector<std::wstring> details = zvtest::RemoteListViewColumn(GetDlgItem(dialog, IDC_LIST_HISTORY), 2);
  ASSERT_EQ(details.size(), 1u);
  EXPECT_EQ(details[0], L"Signed updates");
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_ABBRECHEN, BN_CLICKED), 0);

  // The old program ends by itself; step 1 replaces it and starts step 2.
  EXPECT_EQ(WaitForSingleObject(oldProcess.get(), kWaitMs), WAIT_OBJECT_0);
  HWND report = WaitForWindowOf(program, L"#32770", kCaption);
  ASSERT_NE(report, nullptr) << "no report of step 2";
  EXPECT_EQ(Text(report, 0xFFFF), L"Update successful!");
  EXPECT_EQ(zv::ProductVersionOfFile(program), L"9, 3, 0, 0");
  EXPECT_FALSE(zvtest::FileExists(zv::FirstTempPath(program)));
  EXPECT_FALSE(zvtest::FileExists(zv::SecondTempPath(program)));
  PostMessageW(report, WM_COMMAND, IDOK, 0);

  // Step 2 goes on as the player.
  HWND newPlayer = WaitForWindowOf(program, L"ZentravueClass", L"ZentravueX64");
  ASSERT_NE(newPlayer, nullptr);
  DWORD newId = 0;
  GetWindowThreadProcessId(newPlayer, &newId);
  fw::KernelHandle newProcess(OpenProcess(SYNCHRONIZE, FALSE, newId));
  PostMessageW(newPlayer, WM_CLOSE, 0, 0);
  if (newProcess) EXPECT_EQ(WaitForSingleObject(newProcess.get(), kWaitMs), WAIT_OBJECT_0);
  EndProcessesIn(folder);
}

}  // namespace
