#include "platform/sysutils.h"

#include <unistd.h>

namespace vcl {

namespace {
std::string programPath;
std::vector<std::string> parameters;
} // namespace

void SetCommandLine(const std::string& path, const std::vector<std::string>& params) {
    programPath = path;
    parameters = params;
}

void SetCommandLine(int argc, char** argv) {
    std::vector<std::string> params;
    for (int i = 1; i < argc; ++i) params.emplace_back(argv[i]);
    // Parameter 0 is the program's own full path, not whatever argv[0] says.
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string self = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : (argc > 0 ? argv[0] : "");
    SetCommandLine(self, params);
}

int ParamCount() { return static_cast<int>(parameters.size()); }

std::string ParamStr(int index) {
    std::string raw;
    if (index == 0) raw = programPath;
    else if (index >= 1 && index <= ParamCount()) raw = parameters[static_cast<std::size_t>(index - 1)];
    std::string out;
    for (char c : raw)
        if (c != '"') out += c;
    return out;
}

std::string LowerCase(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace vcl
