#pragma once
// Run-time library helpers: command-line parameters and text functions.
#include <string>
#include <vector>

namespace vcl {

// Set once by the program entry. Parameter 0 is the program's own full path.
void SetCommandLine(int argc, char** argv);
void SetCommandLine(const std::string& programPath, const std::vector<std::string>& params);
int ParamCount();
// Parameter by index; empty text for an index beyond the count. Double quotes
// group text and are dropped, as the library does on the platform it came from.
std::string ParamStr(int index);

// Lower-cases the letters A to Z only; every other byte stays.
std::string LowerCase(const std::string& s);

} // namespace vcl
