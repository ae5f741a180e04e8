#pragma once
// The trace sink: a modeless window that shows every trace line and writes
// it to the log file beside the program. Exists only with "/debug"; every
// part that traces holds a pointer that may be empty.
#include "framework/Dialog.h"
#include "framework/Handle.h"

#include <string>

class CDebugDlg : public fw::Dialog {
 public:
  CDebugDlg(const std::wstring& logFileName, HWND parent);

  // Appends "\r\n" and writes the line.
  void Trace(const std::wstring& message);
  // One line in the log format around text that carries its own line breaks.
  void TraceRaw(const std::wstring& text);
  void AppendText(const std::wstring& text);

  int FileOpen = 0;
  int ProcessId = 0;

 private:
  fw::FileHandle logFile_;
};

// Traces only when the sink exists.
inline void TraceStep(CDebugDlg* log, const std::wstring& message) {
  if (log) log->Trace(message);
}
