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
#include <sched.h>
#include <sys/mman.h>
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

// ---- Starting without fork() ----
//
// The started program must not be our child (an intermediate child starts it
// and exits at once), and fork() would copy the page tables of our whole
// process for each of the two, which was most of what a start cost. Both are
// made with clone(CLONE_VM | CLONE_VFORK) instead: they run in our memory on
// stacks of their own, and whoever made each stays suspended until it has
// exec'd or exited. That also makes the outcome plain memory: the children
// write exec's error into the Launch below, and nothing else.
//
// So in the children: no allocation, no locks, nothing that returns into our
// frames, and no signal handler of ours, which is why every signal is blocked
// until its disposition is back to the default. glibc's posix_spawn would do
// much the same, but it leaves glibc's two internal signals ignored in the
// started program, and the ignoring survives exec.

struct Launch {
    const char* path;
    char* const* argv;
    char* const* envp;
    const char* directory;
    int fallbackLimit;
    void* programStackTop;
    int err; // errno of the step that failed, 0 when the program was started
};

// Our frames are not theirs: sanitizer bookkeeping in them would poison
// stack shadow that nobody unpoisons, as the children never return.
#define TOLVANE_CHILD_CODE __attribute__((no_sanitize("address")))

TOLVANE_CHILD_CODE [[noreturn]] void Fail(Launch* launch, int err) {
    launch->err = err;
    _exit(127);
}

TOLVANE_CHILD_CODE void CloseFromThree(int fallbackLimit) {
    if (close_range(3, ~0U, 0) == 0) return;
    for (int fd = 3; fd < fallbackLimit; ++fd) close(fd);
}

// The started program: own session, /dev/null streams, only fds 0..2, default
// signal handling, working folder, then exec.
TOLVANE_CHILD_CODE int ExecProgram(void* arg) {
    auto* launch = static_cast<Launch*>(arg);
    setsid();

    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &dfl, nullptr); // SIG_IGN survives exec

    const int null = open("/dev/null", O_RDWR | O_NOCTTY);
    if (null < 0) Fail(launch, errno);
    for (int target = 0; target <= 2; ++target)
        if (null != target && dup2(null, target) < 0) Fail(launch, errno);
    CloseFromThree(launch->fallbackLimit);

    if (launch->directory && chdir(launch->directory) != 0) Fail(launch, errno);

    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execve(launch->path, launch->argv, launch->envp);
    Fail(launch, errno);
}

// The intermediate: starts the program, and is gone once it has exec'd, so
// that the program's parent becomes init (or the nearest subreaper).
TOLVANE_CHILD_CODE int StartProgramAndLeave(void* arg) {
    auto* launch = static_cast<Launch*>(arg);
    if (clone(ExecProgram, launch->programStackTop, CLONE_VM | CLONE_VFORK | SIGCHLD, launch) < 0)
        launch->err = errno;
    _exit(0);
}

// Stacks for the two children, a guard page under each. The program's has
// room for lazy symbol binding, which saves the whole vector register state.
class ChildStacks {
public:
    static constexpr std::size_t kProgram = 256 * 1024;
    static constexpr std::size_t kIntermediate = 64 * 1024;

    ChildStacks() {
        const long pageSize = sysconf(_SC_PAGESIZE);
        page_ = pageSize > 0 ? static_cast<std::size_t>(pageSize) : 4096;
        size_ = page_ + kProgram + page_ + kIntermediate;
        void* base = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK,
                          -1, 0);
        if (base == MAP_FAILED) return;
        base_ = static_cast<char*>(base);
        if (mprotect(base_, page_, PROT_NONE) != 0 ||
            mprotect(base_ + page_ + kProgram, page_, PROT_NONE) != 0) {
            munmap(base_, size_);
            base_ = nullptr;
        }
    }
    ~ChildStacks() {
        if (base_) munmap(base_, size_);
    }
    ChildStacks(const ChildStacks&) = delete;
    ChildStacks& operator=(const ChildStacks&) = delete;

    bool Ok() const { return base_ != nullptr; }
    void* ProgramTop() const { return base_ + page_ + kProgram; }
    void* IntermediateTop() const { return base_ + size_; }

private:
    char* base_ = nullptr;
    std::size_t page_ = 0, size_ = 0;
};

// Starts `path` with `args` (args[0] included) so that it is not our child.
// Returns once the exec happened or failed, never later.
std::intptr_t StartDetached(const std::string& path, const std::vector<std::string>& args,
                            const char* directory) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const long openMax = sysconf(_SC_OPEN_MAX);
    const int fallbackLimit = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;

    ChildStacks stacks;
    if (!stacks.Ok()) return SE_ERR_OOM;
    Launch launch{path.c_str(), argv.data(), environ, directory, fallbackLimit, stacks.ProgramTop(), 0};

    // The children share our errno; ours is kept from before them.
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &old);
    const pid_t pid = clone(StartProgramAndLeave, stacks.IntermediateTop(), CLONE_VM | CLONE_VFORK | SIGCHLD,
                            &launch);
    const int cloneErr = errno;
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (pid < 0) return FromErrno(cloneErr);

    // Already gone or about to be: it only waited for the program's exec.
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return launch.err != 0 ? FromErrno(launch.err) : kStarted;
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
