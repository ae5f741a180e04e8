// The update dialog and its worker against the test update server: every
// answer the server can give short of a successful update (which the
// end-to-end test runs with real processes). The dialog runs modally on a
// thread of its own; the test reads its controls and clicks like a user.
#include "system/UpdateDlg.h"

#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "system/UpdateConfig.h"
#include "system/UpdateProtocol.h"
#include "tests/win/support/TestEnvironment.h"
#include "tests/win/system/SystemTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr DWORD kWaitMs = 30000;

std::wstring English(const char16_t* key) {
  static LanguageTable* language = [] {
    auto* table = new LanguageTable;
    zv::LoadNameTableResource(*table);
    zv::LoadBuiltInLanguage(*table, IDR_LNG_ENGLISH);
    return table;
  }();
  return fw::ToWide(language->Message(key));
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (wcscmp(name, L"#32770") != 0 || !GetDlgItem(hwnd, IDC_TXT_STATUS)) return TRUE;
  *reinterpret_cast<HWND*>(param) = hwnd;
  return FALSE;
}

// One modal run of the dialog on a thread of its own.
class DialogRun {
 public:
  explicit DialogRun(zv::UpdateConfig config) : config_(std::move(config)) {
    zv::LoadNameTableResource(language_);
    zv::LoadBuiltInLanguage(language_, IDR_LNG_ENGLISH);
    thread_ = std::thread([this] {
      threadId_ = GetCurrentThreadId();
      CUpdateDlg dialog(nullptr, &language_, config_);
      result_ = dialog.DoModal();
      done_ = true;
    });
  }
  ~DialogRun() {
    if (!done_) Close();
    WaitEnded(kWaitMs);
    if (thread_.joinable()) thread_.join();
  }

  // The dialog window of the run's thread.
  HWND Window() {
    HWND found = nullptr;
    zvtest::WaitFor(
        [&] {
          EnumThreadWindows(threadId_, FindDialog, reinterpret_cast<LPARAM>(&found));
          return found != nullptr || done_;
        },
        kWaitMs);
    return found;
  }
  std::wstring Status() { return Text(IDC_TXT_STATUS); }
  std::wstring Button() { return Text(IDC_BUTTON_ABBRECHEN); }
  std::wstring Text(int control) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(Window(), control, text, 1024);
    return text;
  }
  bool WaitStatus(const std::wstring& expected) {
    return zvtest::WaitFor([&] { return Status() == expected; }, kWaitMs);
  }
  // The worker has ended and turned the button into OK.
  bool WaitFinished() {
    return zvtest::WaitFor([&] { return Button() == English(u"ID_BUTTON_OK"); }, kWaitMs);
  }
  void Click() { PostMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_BUTTON_ABBRECHEN, BN_CLICKED), 0); }
  void Close() {
    HWND window = Window();
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  }
  bool WaitEnded(DWORD ms) { return zvtest::WaitFor([this] { return done_.load(); }, ms); }
  INT_PTR Result() const { return result_; }
  int HistoryRows() { return ListView_GetItemCount(GetDlgItem(Window(), IDC_LIST_HISTORY)); }
  std::wstring HistoryCell(int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(GetDlgItem(Window(), IDC_LIST_HISTORY), row, column, text, 256);
    return text;
  }

 private:
  zv::UpdateConfig config_;
  LanguageTable language_;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<bool> done_{false};
  INT_PTR result_ = -1;
};

class UpdateDialog : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(zvtest::UpdateServerPort(), 0) << "update server fixture missing";
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    caseName_ = fw::Utf8ToWide(name);
    www_ = zvtest::MakeServerCase(caseName_, &server_);
    program_ = zvtest::FreshTempFolder(caseName_) + L"Zentravue.exe";
    ASSERT_TRUE(zvtest::WriteFileBytes(program_, "the program that must stay"));
  }

  zv::UpdateConfig Config() const {
    zv::UpdateConfig config;
    config.server = fw::ToU16(fw::Utf8ToWide(server_));
    config.publicKey = zvtest::FixtureKey("good");
    config.programPath = program_;
    config.runningVersion = zv::UpdateVersionText(fw::ToU16(zvtest::BuildProductVersion()));
    config.suffix = u"X64";
    return config;
  }

  void Serve(const std::wstring& object, const std::string& body, const char* mode = nullptr) {
    ASSERT_TRUE(zvtest::WriteFileBytes(www_ + object, body));
    if (mode) ASSERT_TRUE(zvtest::WriteFileBytes(www_ + object + L".mode", mode));
  }
  void ServeVersionInfo(const std::string& body, const char* mode = nullptr) {
    Serve(L"versioninfo_zentravueX64", body, mode);
  }
  // A newer, signed copy of the program as the download.
  void ServeNewProgram(const std::wstring& productVersion = L"9, 3, 0, 0") {
    ASSERT_TRUE(zvtest::MakeProgramCopy(www_ + L"new.exe", "nowhere.invalid", zvtest::FixtureKey("good"),
                                        productVersion));
    ASSERT_TRUE(zvtest::SignOnServer(caseName_ + L"/new.exe", "good"));
  }
  std::string Requests() const { return zvtest::FileBytes(www_ + L"requests.log"); }

  // Nothing was started and nothing replaced: no temporary copy is left and
  // the program file is the one from before.
  void ExpectProgramUntouched() {
    EXPECT_TRUE(zvtest::WaitFor([&] { return !zvtest::FileExists(zv::FirstTempPath(program_)); }, kWaitMs));
    EXPECT_TRUE(zvtest::WaitFor([&] { return !zvtest::FileExists(zv::SecondTempPath(program_)); }, kWaitMs));
    EXPECT_EQ(zvtest::FileBytes(program_), "the program that must stay");
  }

  // Runs up to the question, says yes and waits for the worker to end.
  void AnswerYesAndFinish(DialogRun& run) {
    ASSERT_TRUE(zvtest::WaitFor([&] { return run.Button() == English(u"YES"); }, kWaitMs)) << run.Status();
    run.Click();
    ASSERT_TRUE(run.WaitFinished()) << run.Status();
  }

  std::wstring caseName_;
  std::wstring www_;
  std::string server_;
  std::wstring program_;
};

TEST_F(UpdateDialog, SameVersionIsUpToDate) {
  ServeVersionInfo("1.3.0.0\r\nnew.exe\r\n");
  DialogRun run(Config());
  EXPECT_TRUE(run.WaitStatus(English(u"STATUS_ZV_UP2DATE"))) << run.Status();
  EXPECT_TRUE(run.WaitFinished());
  EXPECT_EQ(run.HistoryRows(), 0);
  run.Click();  // OK closes
  EXPECT_TRUE(run.WaitEnded(kWaitMs));
  EXPECT_EQ(run.Result(), IDCANCEL);
  EXPECT_EQ(Requests().find("history"), std::string::npos);
}

TEST_F(UpdateDialog, NewerVersionAsksWithHistoryAndClosingDownloadsNothing) {
  ServeVersionInfo("9.3.0.0\nnew.exe\n");
  // The last group is cut short; its row shows what there is.
  Serve(L"zentravue_update_history.php", "9.3.0.0\nFix\nNo more crashes\n9.2.0.0\nNew\n");
  DialogRun run(Config());
  ASSERT_TRUE(zvtest::WaitFor([&] { return run.Button() == English(u"YES"); }, kWaitMs)) << run.Status();
  const std::wstring running = L"1.3.0.0\u03B2";
  EXPECT_EQ(run.Status(), L"Your Zentra-Vue version is outdated! (Build: " + running +
                              L")\nWould you like to download\nand install the new version (Build: 9.3.0.0)?");
  ASSERT_EQ(run.HistoryRows(), 2);
  EXPECT_EQ(run.HistoryCell(0, 0), L"9.3.0.0");
  EXPECT_EQ(run.HistoryCell(0, 1), L"Fix");
  EXPECT_EQ(run.HistoryCell(0, 2), L"No more crashes");
  EXPECT_EQ(run.HistoryCell(1, 1), L"New");
  EXPECT_EQ(run.HistoryCell(1, 2), L"");
  EXPECT_NE(Requests().find("zentravue_update_history.php?lang=English&version=1.3.0.0%CE%B2"), std::string::npos)
      << Requests();

  run.Close();
  ASSERT_TRUE(run.WaitEnded(kWaitMs));
  EXPECT_EQ(run.Result(), IDCANCEL);
  EXPECT_EQ(Requests().find("new.exe"), std::string::npos);
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, MissingVersionInfoAndMissingDownloadPath) {
  {
    DialogRun run(Config());  // nothing served: 404
    EXPECT_TRUE(run.WaitStatus(English(u"ERROR_VERSIONINFO_NOT_FOUND"))) << run.Status();
    EXPECT_TRUE(run.WaitFinished());
  }
  ServeVersionInfo("9.3.0.0");
  DialogRun run(Config());
  AnswerYesAndFinish(run);
  EXPECT_EQ(run.Status(), English(u"ERROR_PATH_NOT_FOUND"));
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, MissingDownloadAndLockedTemporaryFile) {
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n");
  {
    DialogRun run(Config());
    AnswerYesAndFinish(run);
    EXPECT_EQ(run.Status(), English(u"ERROR_FILE_NOT_FOUND"));
  }
  ServeNewProgram();
  HANDLE locked = CreateFileW(zv::FirstTempPath(program_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  {
    DialogRun run(Config());
    AnswerYesAndFinish(run);
    EXPECT_EQ(run.Status(), L"Error occured at temporary file \"" + zv::FirstTempPath(program_) +
                                L"\".\nReason: SHARE.EXE was not loaded, or a shared region was locked.");
  }
  CloseHandle(locked);
  DeleteFileW(zv::FirstTempPath(program_).c_str());
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, EverySignatureFailureInstallsNothing) {
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n");
  ServeNewProgram();
  const std::string good = zvtest::FileBytes(www_ + L"new.exe.sig");
  ASSERT_EQ(good.size(), 64u);
  std::string flipped = good;
  flipped[10] = static_cast<char>(flipped[10] ^ 0x20);
  struct Case {
    const char* name;
    std::string signature;  // empty: none on the server
    const char16_t* status;
  };
  const Case cases[] = {
      {"missing", "", u"ERROR_SIGNATURE_NOT_FOUND"},
      {"flipped", flipped, u"ERROR_SIGNATURE_INVALID"},
      {"truncated", good.substr(0, 40), u"ERROR_SIGNATURE_INVALID"},
      {"padded", good + good, u"ERROR_SIGNATURE_INVALID"},
  };
  for (const Case& c : cases) {
    DeleteFileW((www_ + L"new.exe.sig").c_str());
    if (!c.signature.empty()) ASSERT_TRUE(zvtest::WriteFileBytes(www_ + L"new.exe.sig", c.signature));
    DialogRun run(Config());
    AnswerYesAndFinish(run);
    EXPECT_EQ(run.Status(), English(c.status)) << c.name;
    ExpectProgramUntouched();
  }
  // Signed, but by a key the program does not know.
  ASSERT_TRUE(zvtest::SignOnServer(caseName_ + L"/new.exe", "wrong"));
  DialogRun run(Config());
  AnswerYesAndFinish(run);
  EXPECT_EQ(run.Status(), English(u"ERROR_SIGNATURE_INVALID"));
  EXPECT_NE(Requests().find("new.exe.sig"), std::string::npos);
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, SignedButOlderProgramIsRefused) {
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n");
  ServeNewProgram(L"0, 3, 0, 0");
  DialogRun run(Config());
  AnswerYesAndFinish(run);
  EXPECT_EQ(run.Status(), English(u"ERROR_NOT_NEWER"));
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, DownloadsOfNoOrAnOversizedLengthAreRefused) {
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n");
  ServeNewProgram();
  for (const char* mode : {"no-length", "huge"}) {
    ASSERT_TRUE(zvtest::WriteFileBytes(www_ + L"new.exe.mode", mode));
    DialogRun run(Config());
    AnswerYesAndFinish(run);
    EXPECT_EQ(run.Status(), English(u"ERROR_DOWNLOAD_SIZE")) << mode;
    ExpectProgramUntouched();
  }
}

TEST_F(UpdateDialog, DownloadEndingEarlyIsRemoved) {
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n");
  ServeNewProgram();
  ASSERT_TRUE(zvtest::WriteFileBytes(www_ + L"new.exe.mode", "short"));
  DialogRun run(Config());
  AnswerYesAndFinish(run);
  const std::wstring status = run.Status();
  // Either the transfer reports the cut, or the count falls short.
  EXPECT_TRUE(status == English(u"ERROR_DOWNLOAD_INCOMPLETE") || status.rfind(L"Error: ", 0) == 0) << status;
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, HostileVersionInformationEndsInAStatus) {
  const std::string garbage = [] {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
    return bytes;
  }();
  const struct {
    const char* name;
    std::string body;
    const char* mode;
  } cases[] = {
      {"100 MB", "", "huge"},
      {"binary", garbage, nullptr},
      {"1 MB line", std::string(1024 * 1024, '9') + "\r\nnew.exe\r\n", nullptr},
  };
  for (const auto& c : cases) {
    DeleteFileW((www_ + L"versioninfo_zentravueX64.mode").c_str());
    ServeVersionInfo(c.body, c.mode);
    DialogRun run(Config());
    EXPECT_TRUE(run.WaitStatus(English(u"ERROR_VERSIONINFO_NOT_FOUND"))) << c.name << ": " << run.Status();
    EXPECT_TRUE(run.WaitFinished()) << c.name;
  }
  ExpectProgramUntouched();
}

TEST_F(UpdateDialog, CancelWorksWhileTheServerStalls) {
  // Stalled before any answer.
  ServeVersionInfo("9.3.0.0\r\nnew.exe\r\n", "stall");
  {
    DialogRun run(Config());
    ASSERT_TRUE(run.WaitStatus(L"Establishing connection to \"127.0.0.1\"...")) << run.Status();
    const ULONGLONG start = GetTickCount64();
    run.Close();
    ASSERT_TRUE(run.WaitEnded(10000));
    EXPECT_LT(GetTickCount64() - start, 8000u);
    EXPECT_EQ(run.Result(), IDCANCEL);
  }
  // Stalled in the middle of the download.
  DeleteFileW((www_ + L"versioninfo_zentravueX64.mode").c_str());
  ServeNewProgram();
  ASSERT_TRUE(zvtest::WriteFileBytes(www_ + L"new.exe.mode", "stall-body"));
  DialogRun run(Config());
  ASSERT_TRUE(zvtest::WaitFor([&] { return run.Button() == English(u"YES"); }, kWaitMs)) << run.Status();
  run.Click();
  ASSERT_TRUE(zvtest::WaitFor([&] { return run.Status().find(L"bytes downloaded") != std::wstring::npos; }, kWaitMs))
      << run.Status();
  const ULONGLONG start = GetTickCount64();
  run.Close();
  ASSERT_TRUE(run.WaitEnded(10000));
  EXPECT_LT(GetTickCount64() - start, 8000u);
  EXPECT_EQ(run.Result(), IDCANCEL);
  ExpectProgramUntouched();
}

}  // namespace
