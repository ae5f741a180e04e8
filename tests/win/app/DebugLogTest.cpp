// The trace window and its log file.
#include "app/DebugDlg.h"
#include "res/resource.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

std::string FileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

std::wstring Utf16(const std::string& bytes) {
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

}  // namespace

TEST(TraceLog, LinesAreUtf16WithUtcTimeAndTheProcessIdInTenColumns) {
  const std::wstring path = zvtest::ExeFolder() + L"trace-test.log";
  {
    HANDLE old = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(old, "old contents", 12, &written, nullptr);
    CloseHandle(old);
  }
  SYSTEMTIME before{};
  GetSystemTime(&before);
  {
    CDebugDlg log(path, nullptr);
    EXPECT_EQ(log.FileOpen, 1);
    EXPECT_EQ(FileBytes(path), "") << "the log starts empty";
    ASSERT_TRUE(log.CreateModeless());
    log.Trace(L"MAIN_Test::Step");
    log.TraceRaw(L"raw\r\n");
    const std::wstring text = Utf16(FileBytes(path));
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    const std::wstring column = std::wstring(10 - pid.size(), L' ') + pid;
    const std::wregex line(L"(\\d\\d):\\d\\d:\\d\\d\\.\\d\\d\\d " + column + L" MAIN_Test::Step\r\n"
                           L"\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d " + column + L" raw\r\n");
    std::wsmatch match;
    ASSERT_TRUE(std::regex_match(text, match, line)) << std::string(text.begin(), text.end());
    SYSTEMTIME after{};
    GetSystemTime(&after);
    const int hour = std::stoi(match[1].str());
    EXPECT_TRUE(hour == before.wHour || hour == after.wHour) << "the time must be UTC";
    EXPECT_NE(text[0], 0xFEFF) << "no byte-order mark";
    // The window shows the same text.
    EXPECT_EQ(log.ItemText(IDC_EDIT1), text);
    EXPECT_EQ(log.GetText(), L"Debug");
  }
  DeleteFileW(path.c_str());
}

TEST(TraceLog, TheWindowAlwaysShowsTheLastLine) {
  CDebugDlg log(zvtest::ExeFolder() + L"trace-scroll.log", nullptr);
  ASSERT_TRUE(log.CreateModeless());
  for (int i = 0; i < 200; ++i) log.Trace(L"line " + std::to_wstring(i));
  HWND edit = log.Item(IDC_EDIT1);
  const LRESULT lines = SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
  const LRESULT first = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  RECT r{};
  GetClientRect(edit, &r);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(edit);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  GetTextMetricsW(dc, &metrics);
  ReleaseDC(edit, dc);
  const LRESULT visible = (r.bottom - r.top) / metrics.tmHeight;
  EXPECT_GE(first + visible, lines - 1) << "first visible " << first << " of " << lines;
  log.EndDialog(IDCANCEL);
  DeleteFileW((zvtest::ExeFolder() + L"trace-scroll.log").c_str());
}

TEST(TraceLog, AnUnwritableLogStillTracesToTheWindow) {
  CDebugDlg log(L"Z:\\no\\such\\folder\\x.log", nullptr);
  EXPECT_EQ(log.FileOpen, 0);
  ASSERT_TRUE(log.CreateModeless());
  log.Trace(L"still shown");
  EXPECT_NE(log.ItemText(IDC_EDIT1).find(L"still shown\r\n"), std::wstring::npos);
}
