#include "tests/e2e/support/ProgramProcess.h"

#include "tests/win/support/TestEnvironment.h"

#include <vector>

namespace zvtest {

ProgramProcess::ProgramProcess(const std::wstring& arguments) : ProgramProcess(arguments, ProgramPath()) {}

ProgramProcess::ProgramProcess(const std::wstring& arguments, const std::wstring& program,
                               const std::wstring& workingFolder) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  id_ = info.dwProcessId;
}

ProgramProcess::~ProgramProcess() { Kill(); }

void ProgramProcess::Kill() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

namespace {
struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  if (WindowClassOf(hwnd) != search->className) return TRUE;
  search->found = hwnd;
  return FALSE;
}
}  // namespace

HWND ProgramProcess::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
  WindowSearch search{id_, className, nullptr};
  WaitFor(
      [&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

long ProgramProcess::WaitForExit(DWORD timeoutMs) const {
  if (!process_) return -1;
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

std::wstring WindowClassOf(HWND hwnd) {
  wchar_t name[128] = {};
  GetClassNameW(hwnd, name, 128);
  return name;
}

std::wstring WindowTitleOf(HWND hwnd) {
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  return title;
}

}  // namespace zvtest
