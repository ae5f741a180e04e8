#pragma once
// The player window: the program's main window, a dialog of class
// "ZentravueClass" run modally by the application. This file holds its
// frame: the start-up hook, the trace window and the receiving side of the
// single-instance hand-over.
#include "app/CmdLineInfo.h"
#include "framework/Dialog.h"

#include <memory>
#include <string>
#include <vector>

class CDebugDlg;
class CSettings;
class LanguageTable;

class CZentravueDlg : public fw::Dialog {
 public:
  // The command-line record, the language and the settings are borrowed from
  // the application; a window made without them (tests) keeps its own record.
  CZentravueDlg(HWND parent, CCmdLineInfo* cmdLine = nullptr, LanguageTable* language = nullptr,
                CSettings* settings = nullptr);
  ~CZentravueDlg() override;

  CDebugDlg* TraceLog() const { return debugDlg_.get(); }
  CCmdLineInfo& CommandLine() { return *cmdLine_; }

  // Registered message of the test hook (see OnTestQuery).
  static UINT TestQueryMessage();

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnHandOver(WPARAM code, LPARAM value);

  void ReceiveHandOverText(int code, ATOM atom);
  void ApplyHandOver();
  // The command-line options as applied at start-up, after every opening and
  // at the end of a hand-over. The transport, layout and window-mode commands
  // it drives arrive with the player window's own issue.
  void ApplyCommandLineOptions();
  // Adds a handed-over name to the playlist; returns its entry number.
  int AddToPlaylist(const std::wstring& name);
  void PlayEntry(int entry);

  CCmdLineInfo ownCmdLine_;
  CCmdLineInfo* cmdLine_;
  LanguageTable* language_;
  CSettings* settings_;
  std::unique_ptr<CDebugDlg> debugDlg_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  // Hand-over state. The time is that of the previous hand-over's end, or of
  // the window's construction before the first one.
  int handedOverEntry_ = -1;
  ULONGLONG lastHandOverTime_ = 0;

  // ---- Test hook: stands in for the playlist and the opening of media until
  // they exist, so that another process can observe a hand-over. ----
  LRESULT OnTestQuery(WPARAM question, LPARAM argument);
  std::vector<std::wstring> playlist_;  // handed-over names, entry n at n - 1
  std::vector<int> playedEntries_;      // entries that were started
  int handOversApplied_ = 0;
};

// Questions of the test hook (first parameter of TestQueryMessage()).
// Numbers are answered directly; texts as a global atom that the asker deletes
// (0 when there is no such text).
enum class PlayerTestQuery : WPARAM {
  PlaylistCount = 0,    // number of handed-over entries
  PlaylistEntry = 1,    // name of entry lParam (1-based), as an atom
  PlayedCount = 2,      // how many entries were started
  PlayedEntry = 3,      // the entry started as number lParam (1-based)
  HandOversApplied = 4, // completed hand-overs (end code received)
  CommandLineFlag = 5,  // flag of hand-over code lParam (3001..4010): 0 or 1
  CommandLineText = 6,  // text of hand-over code lParam (1002..1007), as an atom
  TraceLogOpen = 7,     // 1 when the trace window exists
};
