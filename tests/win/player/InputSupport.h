#pragma once
// What the keyboard, mouse and countdown tests of the player window share:
// the window run modally with a script and the English language, a message
// pump that passes every message through the window's own pre-filter (as
// its modal loop does), real input through SendInput, and a helper thread
// that waits for a window of the process (a dialog, a menu) and acts on it
// while the script is blocked in that window's own loop.
#include "app/Settings.h"
#include "lang/LanguageTable.h"
#include "player/SystemShutdown.h"
#include "player/ZentravueDlg.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zvtest {

class InputPlayer : public CZentravueDlg {
 public:
  using Script = std::function<void(InputPlayer&)>;
  InputPlayer(CCmdLineInfo* cmdLine, CSettings* settings, LanguageTable* language, Script script)
      : CZentravueDlg(nullptr, cmdLine, language, settings), script_(std::move(script)) {}

  // Commands that arrived as keys, wheel turns and clicks run them (code 1).
  std::vector<UINT> keyCommands;
  // While set, those commands are only noted, not run.
  bool swallowKeyCommands = false;
  bool scriptRan = false;

  bool Opened(const wchar_t* mediaName);
  std::wstring Title() const { return GetText(); }
  int Position();
  bool CheckedInBoth(UINT id) const;
  bool UncheckedInBoth(UINT id) const;

 protected:
  BOOL OnInitDialog() override;
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  Script script_;
};

// The built-in English language with the name table.
LanguageTable& English();

// Runs the player with the script (English, fresh settings unless given).
INT_PTR RunInputPlayer(const InputPlayer::Script& script, CSettings* settings = nullptr,
                       CCmdLineInfo* cmdLine = nullptr);

// Pumps this thread's messages the way the window's modal loop does (its
// pre-filter first) until the condition holds or the time is up.
bool PumpUntil(CZentravueDlg& player, const std::function<bool()>& condition, DWORD timeoutMs);
void PumpFor(CZentravueDlg& player, DWORD ms);

// Brings the window to the front with the keyboard focus.
bool Focus(HWND window);

// Real input, as a hand would give it.
void KeyDown(WORD key);
void KeyUp(WORD key);
void Press(WORD key);
void PressWithCtrl(WORD key);
void MoveMouseTo(POINT screen);
void MouseButton(DWORD downFlag, DWORD upFlag, DWORD data = 0);
void Wheel(int delta, bool horizontal = false);
POINT CenterOf(HWND window);

// A visible top-level window of this process with the class (other than the
// excluded one), or null.
HWND FindOwnWindow(const wchar_t* className, HWND exclude = nullptr);

// Runs `act` on a thread of its own once a window of the class appears
// (within the time); remembers what it saw.
class WindowWatcher {
 public:
  using Action = std::function<void(HWND)>;
  WindowWatcher(const wchar_t* className, DWORD timeoutMs, Action act, HWND exclude = nullptr);
  ~WindowWatcher();
  // Waits for the thread; true when the window appeared and was acted on.
  bool Finish();
  HWND Seen() const { return seen_; }

 private:
  std::thread thread_;
  std::atomic<bool> done_{false};
  HWND seen_ = nullptr;
};

// Dismissing dialogs and menus of the process.
void CancelDialog(HWND dialog);
void PressEscapeFor(HWND window);

// The shutdown request, recorded instead of made.
class RecordingShutdown : public zv::SystemShutdown {
 public:
  RecordingShutdown() { zv::SetSystemShutdown(this); }
  ~RecordingShutdown() override { zv::SetSystemShutdown(nullptr); }
  void ShutDownAndPowerOff() override { ++calls; }
  std::atomic<int> calls{0};
};

std::wstring ItemText(HWND dialog, int id);

}  // namespace zvtest
