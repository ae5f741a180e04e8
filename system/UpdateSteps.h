#pragma once
// The two extra runs that replace the program's own file after a download.
// Step 1 runs from the ".tmp1.exe" copy beside the program: it waits until
// the old program has ended, moves the ".tmp2.exe" copy over it and starts
// it with "/update_step_2". Step 2 runs from the new program: it removes the
// first copy, reports, and the start-up goes on as usual.
#include <string>

class LanguageTable;

namespace zv {

// The program path step 1 replaces: its own path without ".tmp1.exe";
// empty when it does not run from such a copy (then it does nothing).
std::wstring UpdateTargetOf(const std::wstring& ownPath);

void RunUpdateStepOne(const LanguageTable* language, const std::wstring& ownPath);
void RunUpdateStepTwo(const LanguageTable* language, const std::wstring& ownPath);

}  // namespace zv
