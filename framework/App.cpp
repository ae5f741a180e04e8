#include "framework/App.h"

#include <shellapi.h>

namespace fw {

App* App::current_ = nullptr;

App::App() { current_ = this; }

App::~App() {
  if (current_ == this) current_ = nullptr;
}

void ParseCommandLineText(const wchar_t* commandLine, CommandLineReceiver& receiver) {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(commandLine, &count);
  if (!args) return;
  // args[0] is the program itself.
  for (int i = 1; i < count; ++i) {
    const wchar_t* arg = args[i];
    const bool isFlag = arg[0] == L'/' || arg[0] == L'-';
    receiver.ParseParam(isFlag ? arg + 1 : arg, isFlag, i == count - 1);
  }
  LocalFree(args);
}

void App::ParseCommandLine(CommandLineReceiver& receiver) const {
  ParseCommandLineText(GetCommandLineW(), receiver);
}

int App::Run(HINSTANCE instance) {
  instance_ = instance;
  if (InitInstance()) {
    // The program's windows run their own loops; InitInstance returning
    // true would mean "keep running" with nothing left to run.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return ExitInstance();
}

}  // namespace fw
