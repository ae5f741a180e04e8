#pragma once
// Splits a command line into its parameters the way the platform's shell
// and C runtime do, without loading the shell library at start-up.
#include <string>
#include <vector>

namespace fw {

// The first parameter is the program: up to the next quote when the line
// starts with one, else up to the first blank. The others are separated by
// blanks (spaces, tabs) outside quotes; a quote toggles quoting and is
// dropped; inside quotes two quotes give one and end the quoting.
// Backslashes count only before a quote: 2n of them and a quote give n
// backslashes and a toggle, 2n+1 give n backslashes and a literal quote.
std::vector<std::u16string> SplitCommandLine(const std::u16string& line);

}  // namespace fw
