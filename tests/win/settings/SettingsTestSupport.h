#pragma once
// What the settings dialog tests share: scripts that run inside whatever
// modal loop is current, finding the dialog and its page, driving controls
// as the user's clicks would notify them, the languages, and reading the
// prefix's registry.
#include "app/Settings.h"
#include "app/WinSettingsHost.h"
#include "lang/LanguageTable.h"
#include "player/ZentravueDlg.h"
#include "settings/SettingsDialog.h"
#include "tests/win/support/TestEnvironment.h"

#include <objbase.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zvtest {

// A sequence of steps run from a thread timer, so that they run inside the
// modal loop that is current (the player's, the settings dialog's). Each
// step waits for its condition, then acts. Actions must not block in a loop
// of their own (post the command that opens a dialog instead); one that
// pumps messages does not see the next steps run meanwhile. A step that
// waits longer than the limit fails the run and ends every dialog of the
// thread.
class StepRunner {
 public:
  using Condition = std::function<bool()>;
  using Action = std::function<void()>;

  StepRunner& Then(Action action) { return When([] { return true; }, std::move(action)); }
  StepRunner& When(Condition condition, Action action);
  void Start(DWORD limitMs = 30000);
  bool Finished() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }
  std::string Failure() const { return failure_; }

  ~StepRunner();

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  void Run();

  struct Step {
    Condition condition;
    Action action;
  };
  std::vector<Step> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
  DWORD limitMs_ = 30000;
  ULONGLONG waitingSince_ = 0;
  bool timedOut_ = false;
  bool running_ = false;
  std::string failure_;
};

// The built-in English or German language with the name table.
std::unique_ptr<LanguageTable> BuiltInLanguage(int resourceId);
constexpr int kEnglish = 250;
constexpr int kGerman = 248;

// The settings dialog of this thread (or of any thread with 0), or none.
HWND FindSettingsDialog(DWORD threadId = GetCurrentThreadId());
// The page window now shown in the dialog, or none.
HWND CurrentPageOf(HWND dialog);
// The dialog is visible, its page is shown and nothing waits to be painted.
bool SettingsDialogPainted(HWND dialog);

// Selects a tree node as a click would (the tree notifies the dialog).
void SelectNode(CSettingsDialog& dialog, CSettingsDialog::Node node);
// A check box click, a list choice and typing, with the notifications the
// controls send to their page.
void Click(HWND page, int id);
void Choose(HWND page, int id, int index);
void Type(HWND page, int id, const std::wstring& text);
std::wstring TextOf(HWND window);
std::wstring ListSelectionText(HWND page, int id);
std::vector<std::wstring> ListEntries(HWND page, int id);
bool IsChecked(HWND page, int id);
void PressButton(HWND dialog, int id);

// A persistent settings object on the prefix's registry, as the program
// has it.
struct RegistrySettings {
  RegistrySettings();
  zv::WinSettingsHost host;
  std::unique_ptr<CSettings> settings;
};

// A value of the program's settings key with its registry type.
struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  std::optional<DWORD> Dword() const;
  std::optional<std::wstring> String() const;
};
std::optional<RegistryValue> SettingsValue(const std::wstring& name);
void WriteSettingsDword(const std::wstring& name, DWORD value);
void WriteSettingsString(const std::wstring& name, const std::wstring& value);
// The whole product key as the platform's reg tool exports it.
std::string ExportProgramKey();

// The player window with a language and settings, driven by a step runner.
class SettingsPlayer : public CZentravueDlg {
 public:
  SettingsPlayer(LanguageTable* language, CSettings* settings)
      : CZentravueDlg(nullptr, nullptr, language, settings) {}
  bool up = false;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CZentravueDlg::OnInitDialog();
    up = true;
    return result;
  }
};

// Opens the settings through the player's command (returns at once; the
// dialog runs inside the player's loop).
void PostSettingsCommand(HWND player);

}  // namespace zvtest

namespace zvtest {

// Real input through the system's input queue, for a driver thread while
// the dialog runs on the test's main thread.
void PressKey(WORD key, bool shift = false);
void ClickAt(POINT screen);
void ClickCentre(HWND window);
// The focus window of another thread.
HWND FocusOf(DWORD threadId);
// Waits on the calling thread (no message pump) until the condition holds.
bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs);

}  // namespace zvtest
