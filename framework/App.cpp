#include "framework/App.h"

#include "framework/CommandLineSplit.h"
#include "framework/WideString.h"

namespace fw {

App* App::current_ = nullptr;

App::App() { current_ = this; }

App::~App() {
  if (current_ == this) current_ = nullptr;
}

void ParseCommandLineText(const wchar_t* commandLine, CommandLineReceiver& receiver) {
  const std::vector<std::u16string> args = SplitCommandLine(ToU16(commandLine ? commandLine : L""));
  // args[0] is the program itself.
  for (size_t i = 1; i < args.size(); ++i) {
    const std::wstring arg = ToWide(args[i]);
    const bool isFlag = !arg.empty() && (arg[0] == L'/' || arg[0] == L'-');
    receiver.ParseParam(isFlag ? arg.substr(1) : arg, isFlag, i == args.size() - 1);
  }
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
