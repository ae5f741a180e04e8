#pragma once
// A list view of another process, read and driven through memory of that
// process (list-view messages carry pointers that are not marshalled).
#include "framework/WinInclude.h"

#include <string>
#include <vector>

namespace zvtest {

// The texts of one column, row by row.
std::vector<std::wstring> RemoteListViewColumn(HWND list, int column);
// Selects and focuses one row.
bool RemoteListViewSelect(HWND list, int row);

}  // namespace zvtest
