#pragma once
#include "framework/WinInclude.h"

#include <string>

// The "build" attribute of saved playlists: the product version of the
// module's version resource ("040704b0" table), "," turned into "." and
// spaces removed ("1, 3, 1, 9" gives "1.3.1.9"). Empty when the module has
// no version resource. nullptr means the program's executable.
std::u16string ProgramBuildText(HMODULE module = nullptr);

// The product version itself, as the version resource writes it
// ("1, 3, 1, 9"); empty when the module has none.
std::u16string ProgramProductVersion(HMODULE module = nullptr);
