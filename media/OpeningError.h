#pragma once
// The one message box that tells the user a medium could not be opened:
// caption ERROR2, text ERROROPENING with the name and the reason
// (media/MediaErrorText.h says where the reason comes from).
#include "framework/WinInclude.h"

#include <string>

class LanguageTable;

namespace zv {

// The reason for a result code, in the active language where it has one.
std::wstring OpeningErrorReason(const LanguageTable* texts, HRESULT hr);

// ERROROPENING filled with the name and the reason.
std::wstring OpeningErrorMessage(const LanguageTable* texts, const std::wstring& name, HRESULT hr);

// The same message with a reason the caller knows better (a network stream's).
std::wstring OpeningErrorMessage(const LanguageTable* texts, const std::wstring& name, const std::wstring& reason);

// Shows the message (from OpeningErrorMessage) in a modal error box.
void ShowOpeningErrorBox(HWND owner, const LanguageTable* texts, const std::wstring& message);

}  // namespace zv
