#include "app/DebugDlg.h"

#include "framework/WideString.h"
#include "res/resource.h"

CDebugDlg::CDebugDlg(const std::wstring& logFileName, HWND parent) : fw::Dialog(IDD_DEBUG, parent) {
  logFile_.Reset(CreateFileW(logFileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  FileOpen = logFile_ ? 1 : 0;
  ProcessId = static_cast<int>(GetCurrentProcessId());
}

void CDebugDlg::Trace(const std::wstring& message) { TraceRaw(message + L"\r\n"); }

void CDebugDlg::TraceRaw(const std::wstring& text) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  AppendText(fw::Format(L"%02i:%02i:%02i.%03i %10i %s", now.wHour, now.wMinute, now.wSecond,
                        now.wMilliseconds, ProcessId, text.c_str()));
}

void CDebugDlg::AppendText(const std::wstring& text) {
  if (HWND edit = hwnd_ ? Item(IDC_EDIT1) : nullptr) {
    const std::wstring all = ItemText(IDC_EDIT1) + text;
    SetWindowTextW(edit, all.c_str());
    const LRESULT lines = SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
    SendMessageW(edit, EM_LINESCROLL, 0, lines);
  }
  if (FileOpen == 1) {
    DWORD written = 0;
    WriteFile(logFile_.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
  }
}
