#pragma once
// The application object: one per process, constructed as a global. The
// program's entry point calls its start hook; there is no message loop of
// the application's own (the main dialog runs its loop).
#include "framework/WinInclude.h"

#include <string>

namespace fw {

class Window;

// Receives the command line one parameter at a time, as the user typed it:
// a parameter starting with "/" or "-" is a flag and arrives without it.
class CommandLineReceiver {
 public:
  virtual ~CommandLineReceiver() = default;
  virtual void ParseParam(const std::wstring& param, bool isFlag, bool isLast) = 0;
};

class App {
 public:
  App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  virtual ~App();

  static App* Current() { return current_; }

  // The start hook. Returning false ends the process with the exit code set
  // by SetExitCode (0 unless set).
  virtual BOOL InitInstance() = 0;
  virtual int ExitInstance() { return exitCode_; }

  void ParseCommandLine(CommandLineReceiver& receiver) const;

  HINSTANCE instance() const { return instance_; }
  Window* mainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }
  void SetExitCode(int code) { exitCode_ = code; }

  // Runs InitInstance and ExitInstance; called by the entry point.
  int Run(HINSTANCE instance);

 private:
  static App* current_;
  HINSTANCE instance_ = nullptr;
  Window* mainWindow_ = nullptr;
  int exitCode_ = 0;
};

// Splits a command line as the shell does and feeds it to the receiver.
void ParseCommandLineText(const wchar_t* commandLine, CommandLineReceiver& receiver);

}  // namespace fw
