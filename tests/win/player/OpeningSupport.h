#pragma once
// What the opening and event tests of the player window share: the window
// run modally in this process with a script that runs once it is up, a
// temporary folder of media copies, and reading the registry and menus.
#include "app/CmdLineInfo.h"
#include "app/Settings.h"
#include "player/ZentravueDlg.h"
#include "tests/win/support/TestEnvironment.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zvtest {

// The player window with a script: after initialisation the script runs
// inside the window's own message loop (waits pump messages, so graph
// events arrive), then the window is closed.
class ScriptedPlayer : public CZentravueDlg {
 public:
  using Script = std::function<void(ScriptedPlayer&)>;
  ScriptedPlayer(CCmdLineInfo* cmdLine, CSettings* settings, Script script, LanguageTable* language = nullptr)
      : CZentravueDlg(nullptr, cmdLine, language, settings), script_(std::move(script)) {}
  bool scriptRan = false;

 protected:
  BOOL OnInitDialog() override;
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  Script script_;
};

// Settings of a fresh installation with the default file types, never stored.
std::unique_ptr<CSettings> PlayerSettings();

// Runs the player window with the script; returns the dialog's result.
INT_PTR RunPlayer(const ScriptedPlayer::Script& script, CSettings* settings = nullptr,
                  CCmdLineInfo* cmdLine = nullptr, LanguageTable* language = nullptr);

// A fresh folder under the temporary folder, deleted with its files at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name);
  ~TempFolder();
  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  // Copies a generated media file into the folder under a new name.
  std::wstring Copy(const std::wstring& mediaName, const std::wstring& as) const;
  std::wstring Write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

// The full paths a wildcard finds, in the order the file system gives them.
std::vector<std::wstring> FileSystemOrder(const std::wstring& pattern);

// Item texts and ids of a menu, in order (separators have id 0 and no text).
struct MenuItem {
  UINT id;
  std::wstring text;
};
std::vector<MenuItem> ItemsOf(HMENU menu);

// A string value below the program's root key.
std::wstring ProgramRegistryString(const std::wstring& subKey, const std::wstring& value);

// An HDROP of files and folders, as the shell hands it to a window.
HDROP MakeDrop(const std::vector<std::wstring>& names);

// The playlist's entries as Windows paths.
std::vector<std::wstring> Entries(CZentravueDlg& player);

// Waits for a file dialog of this process, types the text into its name box
// and presses OK (or Cancel with an empty text), as a user would.
class FileDialogAnswer {
 public:
  explicit FileDialogAnswer(std::wstring text);
  ~FileDialogAnswer();
  bool Answered() const { return answered_; }

 private:
  void Run();

  std::wstring text_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> answered_{false};
  std::thread thread_;
};

}  // namespace zvtest
