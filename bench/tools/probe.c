/* The program the launch measurements start. The first thing it does is take
 * CLOCK_MONOTONIC (comparable with the clock of whoever started it) and
 * CLOCK_REALTIME, and append them with its pid as one line
 *   <monotonic ns> <realtime ns> <pid>
 * to the file named by BENCH_PROBE_OUT, with a single write() on an O_APPEND
 * descriptor so that lines never mix. Built static where possible, so that
 * as little as possible lies between exec and the first clock reading. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long long ns(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

int main(void) {
    const long long mono = ns(CLOCK_MONOTONIC);
    const long long real = ns(CLOCK_REALTIME);
    const char* path = getenv("BENCH_PROBE_OUT");
    if (!path || !*path) return 2;
    char line[96];
    const int len = snprintf(line, sizeof line, "%lld %lld %ld\n", mono, real, (long)getpid());
    const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return 3;
    const int ok = write(fd, line, (size_t)len) == len;
    close(fd);
    return ok ? 0 : 4;
}
