#pragma once
// The program's settings key in the test prefix's registry, as the program
// of this build names it (with the product key suffix).
#include "framework/WinInclude.h"

#include <optional>
#include <string>

namespace zvtest {

// HKCU\Software\Ostrel-Software\Zentra-Vue<suffix>\Settings
std::wstring SettingsKeyPath();
// Stores the built-in English language, so that the program starts with its
// player window instead of the language page.
void PresetEnglish();
void SetSettingDword(const std::wstring& name, DWORD value);
std::optional<DWORD> SettingDword(const std::wstring& name);
std::optional<std::wstring> SettingString(const std::wstring& name);

// The number of running processes of the built program.
int ProgramProcessCount();

// The visible top-level window of a process with this class and exact title.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const std::wstring& title);
// The player window of the process, found as any remote control finds it (by its class).
HWND FindPlayerWindow(DWORD processId);

// The test program's hook (tests/testprogram/PlayerTestHook.h); -1 when the
// window does not answer within five seconds.
LRESULT QueryPlayer(HWND player, WPARAM question, LPARAM argument = 0);
// A text answer: reads and deletes the atom.
std::wstring QueryPlayerText(HWND player, WPARAM question, LPARAM argument);

}  // namespace zvtest
