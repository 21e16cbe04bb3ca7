// Baseline for the hand-over alone: the same loop as tools/handover.cpp, with
// QProcess::startDetached doing the start. Prints, for each start,
//   <ns until startDetached returned> <ns until the probe took its first clock reading>
// Usage: handover_qt PROBE RUNS WORKDIR
#include <QCoreApplication>
#include <QProcess>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tools/probe_clock.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: handover_qt PROBE RUNS WORKDIR\n");
        return 2;
    }
    const QString probe = QString::fromLocal8Bit(argv[1]);
    const int runs = std::atoi(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const std::string out = std::string(argv[3]) + "/handover-qt-" + std::to_string(i);
        unlink(out.c_str());
        setenv("BENCH_PROBE_OUT", out.c_str(), 1);
        const long long t0 = NowNs();
        const bool ok = QProcess::startDetached(probe, {});
        const long long returned = NowNs();
        if (!ok) {
            std::fprintf(stderr, "handover_qt: startDetached failed\n");
            return 1;
        }
        const long long started = ProbeStart(out);
        if (started < 0) {
            std::fprintf(stderr, "handover_qt: the probe did not run\n");
            return 1;
        }
        std::printf("%lld %lld\n", returned - t0, started - t0);
        usleep(20000);
    }
    return 0;
}
