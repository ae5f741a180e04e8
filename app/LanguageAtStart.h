#pragma once
// The language the program starts with: the one stored in the settings key,
// or, when there is none or it cannot be loaded, the user's choice on the
// standalone language page.
#include "lang/LanguageTable.h"

#include <string>

class CSettings;

namespace zv {

// Loads the language named by LanguageType and LanguageFile or
// LanguageResource below productKey\Settings. False when a value is missing,
// of the wrong type or too long, or the language does not load.
bool LoadStoredLanguage(LanguageTable& language, const std::wstring& productKey);

// Writes the language values of the settings (LanguageType, LanguageFile,
// LanguageResource) below productKey\Settings now. False when the key cannot
// be written.
bool StoreLanguageChoice(const std::wstring& productKey, const CSettings& settings);

}  // namespace zv
