// Writes settings in a loop through WriteSetting, for tests that run several
// writers at once or kill one mid-write. Honours XDG_CONFIG_HOME.
//   regwriter cycle <count> <name> <value>...   writes the values in turn, count writes
//   regwriter distinct <count> <prefix>         writes <prefix><i> = "value <i>" for i < count
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/exception.h"
#include "settings/settingsstore.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: regwriter cycle <count> <name> <value>... | distinct <count> <prefix>\n");
        return 64;
    }
    std::string mode = argv[1];
    long count = std::strtol(argv[2], nullptr, 10);
    try {
        if (mode == "cycle" && argc >= 5) {
            for (long i = 0; i < count; ++i) WriteSetting(argv[3], argv[4 + i % (argc - 4)]);
        } else if (mode == "distinct") {
            for (long i = 0; i < count; ++i) WriteSetting(argv[3] + std::to_string(i), "value " + std::to_string(i));
        } else {
            std::fprintf(stderr, "regwriter: unknown mode %s\n", argv[1]);
            return 64;
        }
    } catch (const vcl::Exception& e) {
        std::fprintf(stderr, "regwriter: %s\n", e.what());
        return 1;
    }
    return 0;
}
