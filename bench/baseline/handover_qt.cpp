// Baseline for the hand-over alone: the same loop as tools/handover.cpp, with
// QProcess::startDetached doing the start. Prints, for each start,
//   <ns until startDetached returned> <ns until the probe took its first clock reading>
// Usage: handover_qt PROBE RUNS WORKDIR
#include <QCoreApplication>
#include <QProcess>

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long long NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long long ProbeStart(const std::string& path) {
    const long long give_up = NowNs() + 5000000000LL;
    while (NowNs() < give_up) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line) && !in.eof()) return std::atoll(line.c_str());
        usleep(100);
    }
    return -1;
}

} // namespace

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
