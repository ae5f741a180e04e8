#pragma once
// Translating a dialog from its section of the active language: the caption
// from ID_CAPTION and every child whose control identifier has a name in the
// name table and a text in the section. Missing keys keep the template text.
#include "framework/WinInclude.h"

#include <string>

class LanguageTable;

namespace zv {

// Call before the dialog becomes visible (usually at the end of its
// initialisation). Nothing happens without a language.
void TranslateDialog(HWND dialog, const LanguageTable* language, const std::u16string& section);

}  // namespace zv
