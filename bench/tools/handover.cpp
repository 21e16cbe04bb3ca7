// The hand-over alone, without windows or events: how long
// vcl::ShellExecuteA takes to start a program, and how long until that
// program runs. Starts the probe RUNS times; for each start prints
//   <ns until ShellExecuteA returned> <ns until the probe took its first clock reading>
// Usage: handover PROBE RUNS WORKDIR
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "probe_clock.h"

#include "platform/shellexecute.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: handover PROBE RUNS WORKDIR\n");
        return 2;
    }
    const char* probe = argv[1];
    const int runs = std::atoi(argv[2]);
    for (int i = 0; i < runs; ++i) {
        // One record file per start; the started program inherits our environment.
        const std::string out = std::string(argv[3]) + "/handover-" + std::to_string(i);
        unlink(out.c_str());
        setenv("BENCH_PROBE_OUT", out.c_str(), 1);
        const long long t0 = NowNs();
        const auto result = vcl::ShellExecuteA(nullptr, "open", probe, nullptr, nullptr, 1);
        const long long returned = NowNs();
        if (result <= 32) {
            std::fprintf(stderr, "handover: ShellExecuteA failed with %ld\n", static_cast<long>(result));
            return 1;
        }
        const long long started = ProbeStart(out);
        if (started < 0) {
            std::fprintf(stderr, "handover: the probe did not run\n");
            return 1;
        }
        std::printf("%lld %lld\n", returned - t0, started - t0);
        usleep(20000); // let the probe finish before the next start
    }
    return 0;
}
