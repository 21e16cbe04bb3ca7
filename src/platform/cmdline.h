#pragma once
// Splitting a parameter text into arguments the way programs built with the
// classic Windows C runtime split theirs, so stored launch entries keep
// meaning what their authors typed.
#include <string>
#include <vector>

namespace vcl {

// Splits the text that follows the program name:
// - blanks and tabs separate arguments; other bytes (>= 0x80 too) are kept;
// - a double quote starts or ends a quoted run and is dropped; inside a
//   quoted run, "" gives one literal quote and the run goes on;
// - 2n backslashes before a quote give n backslashes and the quote acts as
//   above; 2n+1 backslashes before a quote give n backslashes and a literal
//   quote; backslashes before anything else are kept as they are;
// - a quoted run with nothing in it ("") still makes an (empty) argument.
std::vector<std::string> SplitCommandLine(const std::string& params);

} // namespace vcl
