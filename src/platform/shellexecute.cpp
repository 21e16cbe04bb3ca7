#include "platform/shellexecute.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/cmdline.h"

extern char** environ;

namespace vcl {

namespace {

// Any value above 32 means "started"; this is the one the original returns.
constexpr std::intptr_t kStarted = 42;

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// "scheme:rest". One-letter schemes are refused so that "c:\..." stays a path.
bool IsAddress(std::string_view s) {
    if (s.empty() || !IsAsciiAlpha(s[0])) return false;
    std::size_t i = 1;
    while (i < s.size() && (IsAsciiAlpha(s[i]) || IsAsciiDigit(s[i]) || s[i] == '+' ||
                            s[i] == '-' || s[i] == '.'))
        ++i;
    return i >= 2 && i < s.size() && s[i] == ':';
}

bool IsOpen(const char* operation) {
    if (operation == nullptr || *operation == '\0') return true; // the default operation
    constexpr std::string_view open = "open";
    std::string_view op = operation;
    if (op.size() != open.size()) return false;
    for (std::size_t i = 0; i < op.size(); ++i)
        if ((op[i] | 0x20) != open[i]) return false;
    return true;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool IsDirectory(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Like execvp's search: an empty PATH entry stands for the current folder.
std::string FindOnPath(const std::string& name) {
    const char* env = std::getenv("PATH");
    std::string_view path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    for (;;) {
        const std::size_t colon = path.find(':');
        std::string dir(path.substr(0, colon));
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        path.remove_prefix(colon + 1);
    }
}

// The started program may get another working folder, so relative paths are
// fixed against ours first.
std::string Absolute(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

std::intptr_t FromErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return SE_ERR_FNF;
    case ENOEXEC:
    case ELIBBAD:
        return ERROR_BAD_FORMAT;
    case ENOMEM:
    case EAGAIN:
        return SE_ERR_OOM;
    default:
        return SE_ERR_ACCESSDENIED;
    }
}

// Keeps a descriptor out of 0..2, which the started program's streams take.
int AboveStdStreams(int fd) {
    if (fd < 0 || fd > 2) return fd;
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

// ---- After fork: async-signal-safe calls only (no allocation, no locks). ----

[[noreturn]] void ReportAndExit(int reportFd, int err) {
    ssize_t ignored = write(reportFd, &err, sizeof err);
    (void)ignored;
    _exit(127);
}

void CloseAllExcept(int keep, int fallbackLimit) {
    bool ok = close_range(static_cast<unsigned>(keep + 1), ~0U, 0) == 0;
    if (ok && keep > 3) ok = close_range(3, static_cast<unsigned>(keep - 1), 0) == 0;
    if (ok) return;
    for (int fd = 3; fd < fallbackLimit; ++fd)
        if (fd != keep) close(fd);
}

// The started program: own session, /dev/null streams, only fds 0..2, default
// signal handling, then exec. Failures before exec go back over reportFd,
// which exec closes on success.
[[noreturn]] void ExecDetached(const char* path, char* const argv[], char* const envp[],
                               const char* directory, int reportFd, int fallbackLimit) {
    setsid();

    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &dfl, nullptr); // SIG_IGN survives exec

    const int null = open("/dev/null", O_RDWR | O_NOCTTY);
    if (null < 0) ReportAndExit(reportFd, errno);
    for (int target = 0; target <= 2; ++target)
        if (null != target && dup2(null, target) < 0) ReportAndExit(reportFd, errno);
    CloseAllExcept(reportFd, fallbackLimit);

    if (directory && chdir(directory) != 0) ReportAndExit(reportFd, errno);

    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execve(path, argv, envp);
    ReportAndExit(reportFd, errno);
}

// Starts `path` with `args` (args[0] included) so that it is not our child:
// an intermediate child forks it and exits at once, and we reap only the
// intermediate. Waits until the exec happened or failed, never longer.
std::intptr_t StartDetached(const std::string& path, const std::vector<std::string>& args,
                            const char* directory) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const long openMax = sysconf(_SC_OPEN_MAX);
    const int fallbackLimit = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return SE_ERR_OOM;
    const int readFd = AboveStdStreams(report[0]);
    const int writeFd = AboveStdStreams(report[1]);
    if (readFd < 0 || writeFd < 0) {
        if (readFd >= 0) close(readFd);
        if (writeFd >= 0) close(writeFd);
        return SE_ERR_OOM;
    }

    // Blocked across fork so that no handler of ours runs in the children.
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &old);

    const pid_t pid = fork();
    if (pid == 0) {
        close(readFd);
        const pid_t grandchild = fork();
        if (grandchild < 0) ReportAndExit(writeFd, errno);
        if (grandchild > 0) _exit(0);
        ExecDetached(path.c_str(), argv.data(), environ, directory, writeFd, fallbackLimit);
    }
    const int forkErr = errno;
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    close(writeFd);
    if (pid < 0) {
        close(readFd);
        return FromErrno(forkErr);
    }

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    int err = 0;
    ssize_t got;
    do {
        got = read(readFd, &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    close(readFd);
    return got == static_cast<ssize_t>(sizeof err) ? FromErrno(err) : kStarted;
}

std::intptr_t OpenWithHandler(const std::string& target, const char* directory) {
    const char* custom = std::getenv("TOLVANE_OPEN_HANDLER");
    std::string handler;
    if (custom && *custom) {
        handler = std::string_view(custom).find('/') == std::string_view::npos
                      ? FindOnPath(custom)
                      : (IsExecutableFile(custom) ? Absolute(custom) : std::string());
    } else {
        handler = FindOnPath("xdg-open");
    }
    if (handler.empty()) return SE_ERR_NOASSOC;
    return StartDetached(handler, {handler, target}, directory);
}

std::intptr_t StartProgram(const std::string& path, const std::string& asTyped,
                           const char* parameters, const char* directory) {
    std::vector<std::string> args{asTyped};
    if (parameters) {
        auto rest = SplitCommandLine(parameters);
        args.insert(args.end(), std::make_move_iterator(rest.begin()),
                    std::make_move_iterator(rest.end()));
    }
    return StartDetached(path, args, directory);
}

} // namespace

std::intptr_t ShellExecuteA(HWND /*owner*/, const char* operation, const char* file,
                            const char* parameters, const char* directory, int /*showCommand*/) {
    if (!IsOpen(operation)) return SE_ERR_NOASSOC;
    const char* workDir = directory && *directory ? directory : nullptr;
    if (workDir && !IsDirectory(workDir)) return SE_ERR_PNF;

    const std::string target = file ? file : "";
    if (target.empty()) {
        if (parameters && IsAddress(parameters)) return OpenWithHandler(parameters, workDir);
        return SE_ERR_FNF;
    }
    if (IsAddress(target)) return OpenWithHandler(target, workDir);

    if (target.find('/') == std::string::npos) {
        const std::string found = FindOnPath(target);
        if (found.empty()) return SE_ERR_FNF;
        return StartProgram(Absolute(found), target, parameters, workDir);
    }

    struct stat st {};
    if (stat(target.c_str(), &st) != 0) return SE_ERR_FNF;
    const std::string path = Absolute(target);
    if (IsExecutableFile(path)) return StartProgram(path, target, parameters, workDir);
    return OpenWithHandler(path, workDir); // documents and folders
}

} // namespace vcl
