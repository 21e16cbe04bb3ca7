// Shared by the two hand-over programs, so that both wait for the probe the
// same way and only the start itself differs between them.
#pragma once
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

inline long long NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// The probe's first clock reading, once its line is complete; -1 after 5 s.
inline long long ProbeStart(const std::string& path) {
    const long long give_up = NowNs() + 5000000000LL;
    while (NowNs() < give_up) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line) && !in.eof()) return std::atoll(line.c_str());
        usleep(100);
    }
    return -1;
}
