#include "platform/cmdline.h"

namespace vcl {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

std::vector<std::string> SplitCommandLine(const std::string& params) {
    std::vector<std::string> args;
    const std::size_t n = params.size();
    std::size_t i = 0;
    for (;;) {
        while (i < n && IsBlank(params[i])) ++i;
        if (i == n) break;

        std::string arg;
        bool quoted = false;
        while (i < n) {
            std::size_t slashes = 0;
            while (i < n && params[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < n && params[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    arg += '"'; // escaped quote
                } else if (quoted && i + 1 < n && params[i + 1] == '"') {
                    arg += '"'; // "" inside a quoted run; the run goes on
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            arg.append(slashes, '\\');
            if (i == n || (!quoted && IsBlank(params[i]))) break;
            arg += params[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace vcl
