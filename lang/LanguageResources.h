#pragma once
// Where the languages come from on Windows: the name table and the built-in
// languages are resources of the program ("TEXT" 240, "LNG" by number);
// further languages are files in the program's folder.
#include "framework/WinInclude.h"
#include "lang/LanguageTable.h"

#include <string>

namespace zv {

// The bytes of a resource of the module (nullptr: the program); empty when
// it is missing.
std::string_view ResourceBytes(HMODULE module, const wchar_t* type, int id);

// Fills the language table's name table from IDR_RESOURCE_LZV.
bool LoadNameTableResource(LanguageTable& language, HMODULE module = nullptr);

// The built-in language with this resource number. E_FAIL when the resource
// is missing, empty or holds no section; the previous language then stays.
HRESULT LoadBuiltInLanguage(LanguageTable& language, int resourceId, HMODULE module = nullptr);

// A language file. A relative name is taken from the program's folder; a
// full path (what the language page stores) is used as it is. E_FAIL when it
// cannot be opened or read, is larger than 2 GB, or holds no section.
HRESULT LoadLanguageFile(LanguageTable& language, const std::wstring& fileName);

// The path LoadLanguageFile opens for a LanguageFile value.
std::wstring LanguageFilePath(const std::wstring& fileName);

// The whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

}  // namespace zv
