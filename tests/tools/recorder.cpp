// Records how it was started, for tests that start real programs.
//
// Appends one line to the file named by TOLVANE_RECORD, written with a single
// write() on an O_APPEND descriptor so that concurrent recorders never mix:
//   {"prog":"...","argv":["...",...],"fds":[0,1,2],"sid":N,"pid":N,"ppid":N}
// "prog" is argv[0], "argv" the arguments after it. Every byte of a string is
// one JSON character: 0x20..0x7e other than '"' and '\' as itself, all else as
// \u00xx (lower-case hex), so s.encode('latin-1') gives the exact bytes back.
// "fds" lists /proc/self/fd, leaving out the descriptor used for the listing
// and the record file itself. With TOLVANE_RECORD_SLEEP_MS set, it then sleeps
// that long, so a test can tell it was not waited for.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

void AppendString(std::string& out, const char* s) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (; *s; ++s) {
        const auto byte = static_cast<unsigned char>(*s);
        if (byte >= 0x20 && byte <= 0x7e && byte != '"' && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        }
    }
    out += '"';
}

std::vector<int> OpenDescriptors(int recordFd) {
    std::vector<int> fds;
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return fds;
    const int listingFd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
        const int fd = std::atoi(entry->d_name);
        if (fd != listingFd && fd != recordFd) fds.push_back(fd);
    }
    closedir(dir);
    std::sort(fds.begin(), fds.end());
    return fds;
}

void SleepMs(long ms) {
    timespec left{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* recordPath = std::getenv("TOLVANE_RECORD");
    if (!recordPath || !*recordPath) {
        std::fputs("recorder: TOLVANE_RECORD is not set\n", stderr);
        return 2;
    }
    const int recordFd = open(recordPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (recordFd < 0) return 3;

    std::string line = "{\"prog\":";
    AppendString(line, argc > 0 ? argv[0] : "");
    line += ",\"argv\":[";
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ',';
        AppendString(line, argv[i]);
    }
    line += "],\"fds\":[";
    const auto fds = OpenDescriptors(recordFd);
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (i > 0) line += ',';
        line += std::to_string(fds[i]);
    }
    line += "],\"sid\":" + std::to_string(getsid(0));
    line += ",\"pid\":" + std::to_string(getpid());
    line += ",\"ppid\":" + std::to_string(getppid());
    line += "}\n";

    const bool written = write(recordFd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    close(recordFd);
    if (!written) return 4;

    if (const char* sleepMs = std::getenv("TOLVANE_RECORD_SLEEP_MS")) {
        const long ms = std::strtol(sleepMs, nullptr, 10);
        if (ms > 0) SleepMs(ms);
    }
    return 0;
}
