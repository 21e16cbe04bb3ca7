#include "platform/regfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vcl::reg {
namespace {

// Far beyond any settings file; larger files are refused rather than loaded.
constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting the result; the last step of a checked write.
    int Close() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

LONG FromErrno(int e) {
    switch (e) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_OUTOFMEMORY;
    case ENOENT:
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    default:
        return ERROR_WRITE_FAULT;
    }
}

std::string DirName(const std::string& path) {
    auto cut = path.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

struct RawFile {
    int err = 0;  // errno of a failed open or read
    bool exists = false;
    bool usable = false;  // a regular file of acceptable size
    mode_t mode = 0600;
    std::string bytes;
};

// O_NONBLOCK so that a FIFO in the file's place cannot stall us.
RawFile ReadRaw(const std::string& path) {
    RawFile r;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        if (errno != ENOENT && errno != ENOTDIR) r.err = errno;
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        r.err = errno;
        return r;
    }
    r.exists = true;
    r.mode = st.st_mode & 07777;
    if (!S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > kMaxFileSize) return r;

    r.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == r.bytes.size()) {
            if (got > kMaxFileSize) return r;
            r.bytes.resize(got * 2);
        }
        ssize_t n = ::read(fd.get(), r.bytes.data() + got, r.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.err = errno;
            return r;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > kMaxFileSize) return r;
    r.bytes.resize(got);
    r.usable = true;
    return r;
}

// The file a chain of symlinks ends at, existing or not, so that the new
// file replaces the target and the link stays a link.
bool ResolveLinks(const std::string& path, std::string& out) {
    std::string cur = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(cur.c_str(), &st) != 0) {
            if (errno != ENOENT) return false;
            out = cur;  // a dangling link: the new file becomes its target
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            out = cur;
            return true;
        }
        std::vector<char> buf(256);
        for (;;) {
            ssize_t n = ::readlink(cur.c_str(), buf.data(), buf.size());
            if (n < 0) return false;
            if (static_cast<std::size_t>(n) < buf.size()) {
                std::string link(buf.data(), static_cast<std::size_t>(n));
                cur = link.starts_with('/') ? link : DirName(cur) + "/" + link;
                break;
            }
            buf.resize(buf.size() * 2);
        }
    }
    errno = ELOOP;
    return false;
}

// Creates the missing folders of `dir` as 0700, whatever the umask says.
bool MakeFolders(const std::string& dir) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    for (std::size_t cut = dir.find('/', 1);; cut = dir.find('/', cut + 1)) {
        std::string part = dir.substr(0, cut);
        if (::mkdir(part.c_str(), 0700) == 0) {
            if (::chmod(part.c_str(), 0700) != 0) return false;
        } else if (errno != EEXIST) {
            return false;
        } else if (::stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            errno = ENOTDIR;
            return false;
        }
        if (cut == std::string::npos) return true;
    }
}

constexpr std::string_view kTempInfix = ".tmp-";
constexpr std::size_t kTempSuffixLength = 6;
constexpr std::string_view kTempAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";

std::string TempName(const std::string& base) {
    unsigned char noise[kTempSuffixLength] = {};
    if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
        static unsigned counter = 0;
        unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761u + ++counter;
        for (auto& b : noise) b = static_cast<unsigned char>(seed >>= 3);
    }
    std::string name = "." + base + std::string(kTempInfix);
    for (auto b : noise) name += kTempAlphabet[b % kTempAlphabet.size()];
    return name;
}

bool IsTempName(std::string_view name, const std::string& base) {
    std::size_t prefix = 1 + base.size() + kTempInfix.size();
    if (name.size() != prefix + kTempSuffixLength || name[0] != '.' || name.substr(1, base.size()) != base ||
        name.substr(1 + base.size(), kTempInfix.size()) != kTempInfix)
        return false;
    return name.substr(prefix).find_first_not_of(kTempAlphabet) == std::string_view::npos;
}

// A temporary file left by a writer that was killed. Only called under the
// lock, so no live writer can own one.
void RemoveStaleTemps(const std::string& dir, const std::string& base) {
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return;
    DIR* d = ::fdopendir(dfd);
    if (!d) {
        ::close(dfd);
        return;
    }
    while (dirent* ent = ::readdir(d)) {
        struct stat st {};
        if (IsTempName(ent->d_name, base) && ::fstatat(dfd, ent->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            ::unlinkat(dfd, ent->d_name, 0);
    }
    ::closedir(d);
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SyncFolder(const std::string& dir) {
    Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    // Some file systems cannot sync a folder; the rename is then as durable as they allow.
    return ::fsync(fd.get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

LONG ReplaceFile(const std::string& target, const std::string& content, mode_t mode) {
    std::string dir = DirName(target);
    std::string base = BaseName(target);
    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = dir + "/" + TempName(base);
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
        if (raw < 0 && errno != EEXIST) return FromErrno(errno);
    }
    if (raw < 0) return ERROR_WRITE_FAULT;

    Fd fd(raw);
    bool ok = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), content) && ::fsync(fd.get()) == 0 &&
              fd.Close() == 0 && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        int err = errno;
        ::unlink(temp.c_str());
        return FromErrno(err);
    }
    return SyncFolder(dir) ? ERROR_SUCCESS : FromErrno(errno);
}

// The lock file stays for good; a new one gets 0600 whatever the umask, or
// a umask without owner write would lock out every later writer.
int OpenLockFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd >= 0) {
        if (::fchmod(fd, 0600) != 0) {
            int err = errno;
            ::close(fd);
            errno = err;
            return -1;
        }
        return fd;
    }
    if (errno != EEXIST) return -1;
    return ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
}

} // namespace

std::optional<StorePaths> LocateStore() {
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else if (home && home[0] == '/') {
        base = std::string(home) + "/.config";
    } else {
        std::vector<char> buf(16384);
        passwd pw{};
        passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) != 0 || !found || !pw.pw_dir ||
            pw.pw_dir[0] != '/')
            return std::nullopt;
        base = std::string(pw.pw_dir) + "/.config";
    }
    StorePaths paths;
    paths.dir = base + "/Kestrun";
    paths.file = paths.dir + "/Tolvane.reg";
    paths.lock = paths.file + ".lock";
    return paths;
}

DecodedFile LoadStore(const std::string& file) {
    RawFile raw = ReadRaw(file);
    if (!raw.exists && raw.err == 0) return {};
    if (!raw.usable) return {FileKind::NotRegistry, {}};
    return DecodeFile(std::move(raw.bytes));
}

LONG UpdateStore(const StorePaths& paths, const Edit& edit) {
    if (!MakeFolders(paths.dir)) return FromErrno(errno);
    Fd lock(OpenLockFile(paths.lock));
    if (lock.get() < 0) return FromErrno(errno);
    while (::flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR) return ERROR_LOCK_FAILED;

    std::string target;
    if (!ResolveLinks(paths.file, target)) return FromErrno(errno);
    RemoveStaleTemps(DirName(target), BaseName(target));
    RawFile raw = ReadRaw(target);
    if (raw.err != 0) return FromErrno(raw.err);
    if (raw.exists && !raw.usable) return ERROR_BADDB;
    // Renaming would get past a file its owner made read-only; refuse as writing into it would.
    if (raw.exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return FromErrno(errno);
    mode_t mode = raw.mode;
    DecodedFile current = DecodeFile(std::move(raw.bytes));
    if (current.kind == FileKind::NotRegistry) return ERROR_BADDB;

    EditResult result = edit(current.text);
    if (result.status != ERROR_SUCCESS || !result.text || *result.text == current.text) return result.status;
    return ReplaceFile(target, *result.text, mode);
}

} // namespace vcl::reg
