// Starts the real recorder tool (tests/tools/recorder.cpp) through
// ShellExecuteA and checks what arrived in the started process.
#include "platform/shellexecute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kRecorder = std::string(TOLVANE_TOOLS_DIR) + "/recorder";

// ---- Reading the recorder's lines ----

struct Record {
    std::string prog;
    std::vector<std::string> argv;
    std::vector<int> fds;
    long sid = 0, pid = 0, ppid = 0;
};

// Just enough JSON for the recorder's one-line objects.
class RecordParser {
public:
    explicit RecordParser(std::string_view text) : s_(text) {}

    std::optional<Record> Parse() {
        Record r;
        if (!Eat('{')) return std::nullopt;
        do {
            auto key = String();
            if (!key || !Eat(':')) return std::nullopt;
            bool ok = *key == "prog"   ? Assign(String(), r.prog)
                      : *key == "argv" ? List(r.argv, [this] { return String(); })
                      : *key == "fds"  ? List(r.fds, [this] { return Int<int>(); })
                      : *key == "sid"  ? Assign(Int<long>(), r.sid)
                      : *key == "pid"  ? Assign(Int<long>(), r.pid)
                      : *key == "ppid" ? Assign(Int<long>(), r.ppid)
                                       : false;
            if (!ok) return std::nullopt;
        } while (Eat(','));
        if (!Eat('}') || i_ != s_.size()) return std::nullopt;
        return r;
    }

private:
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    template <class T> static bool Assign(std::optional<T> v, T& out) {
        if (v) out = std::move(*v);
        return v.has_value();
    }
    template <class T, class F> bool List(std::vector<T>& out, F item) {
        if (!Eat('[')) return false;
        if (Eat(']')) return true;
        do {
            auto v = item();
            if (!v) return false;
            out.push_back(std::move(*v));
        } while (Eat(','));
        return Eat(']');
    }
    template <class T> std::optional<T> Int() {
        std::size_t start = i_;
        while (i_ < s_.size() && (isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '-')) ++i_;
        if (start == i_) return std::nullopt;
        return static_cast<T>(std::stol(std::string(s_.substr(start, i_ - start))));
    }
    std::optional<std::string> String() {
        if (!Eat('"')) return std::nullopt;
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] != '\\') {
                out += s_[i_++];
                continue;
            }
            // The recorder escapes every other byte as \u00xx.
            if (s_.substr(i_, 4) != "\\u00" || i_ + 6 > s_.size()) return std::nullopt;
            out += static_cast<char>(std::stoi(std::string(s_.substr(i_ + 4, 2)), nullptr, 16));
            i_ += 6;
        }
        if (!Eat('"')) return std::nullopt;
        return out;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

std::vector<Record> ReadRecords(const fs::path& file) {
    std::vector<Record> records;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof()) break; // a line without its newline is still being written
        auto r = RecordParser(line).Parse();
        if (!r) ADD_FAILURE() << "bad record line: " << line;
        else records.push_back(std::move(*r));
    }
    return records;
}

// Polls until `count` records exist. The deadline only bounds a broken run.
std::vector<Record> WaitForRecords(const fs::path& file, std::size_t count = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (;;) {
        auto records = ReadRecords(file);
        if (records.size() >= count || std::chrono::steady_clock::now() > deadline) return records;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// ---- Looking at processes ----

// State letter from /proc/<pid>/stat, or 0 when the process is gone.
char ProcessState(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat)) return 0;
    auto close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? 0 : stat[close + 2];
}

long ParentOf(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string stat;
    if (!std::getline(in, stat)) return -1;
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    char state;
    long ppid = -1;
    rest >> state >> ppid;
    return ppid;
}

// Processes whose parent is this test process, zombies included, other than
// those in `before` (other tests in this process may have children of their own).
std::vector<long> NewChildren(const std::vector<long>& before = {}) {
    std::vector<long> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const long pid = std::stol(name);
        if (ParentOf(name) == getpid() && std::find(before.begin(), before.end(), pid) == before.end())
            children.push_back(pid);
    }
    return children;
}

void WaitUntilExited(long pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ProcessState(pid) != 0 && ProcessState(pid) != 'Z' &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

std::string StatusField(long pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0) return line.substr(line.find_first_not_of(" \t", field.size() + 1));
    return {};
}

// ---- Fixture ----

class EnvVar {
public:
    EnvVar(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~EnvVar() { Set(old_); }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    void Set(const std::optional<std::string>& v) {
        if (v) setenv(name_, v->c_str(), 1);
        else unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

class ShellExecuteTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tolvane-shell-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        record_ = dir_ / "record.jsonl";
        recordEnv_.emplace("TOLVANE_RECORD", record_.string());
        handlerEnv_.emplace("TOLVANE_OPEN_HANDLER", kRecorder);
        sleepEnv_.emplace("TOLVANE_RECORD_SLEEP_MS", std::nullopt);
    }
    void TearDown() override {
        sleepEnv_.reset();
        handlerEnv_.reset();
        recordEnv_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static std::intptr_t Open(const std::string& file, const char* params, const char* directory = nullptr) {
        return vcl::ShellExecuteA(nullptr, "open", file.c_str(), params, directory, vcl::SW_SHOWNORMAL);
    }

    // A symlink to the recorder at dir_/relative.
    fs::path LinkRecorder(const fs::path& relative) {
        const fs::path link = dir_ / relative;
        fs::create_directories(link.parent_path());
        fs::create_symlink(kRecorder, link);
        return link;
    }

    fs::path WriteFile(const std::string& name, const std::string& text, fs::perms perms) {
        const fs::path file = dir_ / name;
        std::ofstream(file) << text;
        fs::permissions(file, perms);
        return file;
    }

    // The only record, after one start.
    Record OnlyRecord() {
        auto records = WaitForRecords(record_);
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? Record{} : records.front();
    }

    fs::path dir_, record_;
    std::optional<EnvVar> recordEnv_, handlerEnv_, sleepEnv_;
};

// ---- Programs ----

struct ParamsCase {
    const char* name;
    const char* params; // nullptr: no parameter text at all
    std::vector<std::string> argv;
};

class ProgramArguments : public ShellExecuteTest, public testing::WithParamInterface<ParamsCase> {};

TEST_P(ProgramArguments, ArriveExactly) {
    ASSERT_GT(Open(kRecorder, GetParam().params), 32);
    const Record r = OnlyRecord();
    EXPECT_EQ(r.prog, kRecorder);
    EXPECT_EQ(r.argv, GetParam().argv);
}

const ParamsCase kParamsCases[] = {
    {"NoParameterText", nullptr, {}},
    {"EmptyParameterText", "", {}},
    {"OnlyBlanks", "  \t ", {}},
    {"EmptyQuotedArgument", "a \"\" b", {"a", "", "b"}},
    {"Blanks", "one \"two three\"  four", {"one", "two three", "four"}},
    {"Quotes", "\"say \\\"hi\\\"\" \"a\"\"b\"", {"say \"hi\"", "a\"b"}},
    {"Backslashes", "C:\\dir\\ \"D:\\x y\\\\\" \\\\\\\"q", {"C:\\dir\\", "D:\\x y\\", "\\\"q"}},
    {"ShellCharactersAreJustBytes", "$HOME `id` ';' a|b *", {"$HOME", "`id`", "';'", "a|b", "*"}},
    {"EightBitBytes", "\xe4\xf6 \"\xff\x80 \x01\"", {"\xe4\xf6", "\xff\x80 \x01"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProgramArguments, testing::ValuesIn(kParamsCases),
                         [](const auto& tc) { return std::string(tc.param.name); });

// One sleeping start, checked for everything that makes it detached: it is
// not waited for, not our child, in its own session, with /dev/null streams,
// none of our descriptors or locks, and default signal handling.
TEST_F(ShellExecuteTest, StartedProgramIsDetached) {
    EnvVar sleep("TOLVANE_RECORD_SLEEP_MS", "60000");

    const int extra = open("/dev/null", O_RDONLY); // deliberately inheritable
    ASSERT_GE(extra, 0);
    const fs::path lockPath = dir_ / "lock";
    const int locked = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(locked, 0);
    ASSERT_EQ(flock(locked, LOCK_EX), 0);

    sigset_t usr1, oldMask;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    ASSERT_EQ(sigprocmask(SIG_BLOCK, &usr1, &oldMask), 0);
    auto oldUsr2 = signal(SIGUSR2, SIG_IGN);

    const auto before = NewChildren();
    const auto result = Open(kRecorder, "x");

    signal(SIGUSR2, oldUsr2);
    sigprocmask(SIG_SETMASK, &oldMask, nullptr);
    close(extra);
    ASSERT_GT(result, 32);
    EXPECT_EQ(NewChildren(before), std::vector<long>{}) << "intermediate left unreaped, or program is our child";

    const Record r = OnlyRecord();
    ASSERT_GT(r.pid, 0);
    EXPECT_NE(ProcessState(r.pid), 0) << "returned only after the program ended";
    EXPECT_NE(ProcessState(r.pid), 'Z') << "returned only after the program ended";
    EXPECT_EQ(r.fds, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(r.sid, r.pid);
    EXPECT_NE(r.ppid, getpid());
    for (int fd = 0; fd <= 2; ++fd) {
        std::error_code ec;
        EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(r.pid) + "/fd/" + std::to_string(fd), ec),
                  "/dev/null")
            << "fd " << fd;
    }
    EXPECT_EQ(StatusField(r.pid, "SigBlk"), "0000000000000000");
    EXPECT_EQ(StatusField(r.pid, "SigIgn"), "0000000000000000");

    // Had the program inherited the locked descriptor, the lock would outlive ours.
    close(locked);
    const int again = open(lockPath.c_str(), O_RDWR);
    EXPECT_EQ(flock(again, LOCK_EX | LOCK_NB), 0);
    close(again);

    kill(static_cast<pid_t>(r.pid), SIGTERM);
    WaitUntilExited(r.pid);
    EXPECT_EQ(NewChildren(before), std::vector<long>{});
}

TEST_F(ShellExecuteTest, PathWithBlanksIsOnePath) {
    const fs::path link = LinkRecorder("my tools/rec order");
    ASSERT_GT(Open(link.string(), "a b"), 32);
    const Record r = OnlyRecord();
    EXPECT_EQ(r.prog, link.string());
    EXPECT_EQ(r.argv, (std::vector<std::string>{"a", "b"}));
}

TEST_F(ShellExecuteTest, BareNameIsLookedUpOnPath) {
    LinkRecorder("bin/tolvane-rec");
    EnvVar path("PATH", "/nonexistent-dir:" + (dir_ / "bin").string());
    ASSERT_GT(Open("tolvane-rec", "a"), 32);
    const Record r = OnlyRecord();
    EXPECT_EQ(r.prog, "tolvane-rec");
    EXPECT_EQ(r.argv, std::vector<std::string>{"a"});
}

// A relative program path is taken from our folder, not from `directory`,
// which becomes the program's working folder (the relative record file
// lands there).
TEST_F(ShellExecuteTest, RelativePathAndWorkingFolder) {
    LinkRecorder("bin/rec");
    const fs::path work = dir_ / "work";
    fs::create_directory(work);
    const fs::path oldCwd = fs::current_path();
    fs::current_path(dir_);
    EnvVar record("TOLVANE_RECORD", "rec.jsonl");

    const auto result = Open("bin/rec", "a", work.c_str());
    fs::current_path(oldCwd);

    ASSERT_GT(result, 32);
    const auto records = WaitForRecords(work / "rec.jsonl");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].prog, "bin/rec");
    EXPECT_EQ(records[0].argv, std::vector<std::string>{"a"});
}

// ---- Addresses and documents go to the default handler ----

TEST_F(ShellExecuteTest, AddressesAndDocumentsReachTheHandler) {
    const fs::path doc = WriteFile("notes file.txt", "text", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir_ / "folder");
    struct {
        std::string file;
        const char* params;
        std::string expected;
    } cases[] = {
        {"http://example.com/", "--ignored \"x\"", "http://example.com/"},
        {"mailto:a@b.example", nullptr, "mailto:a@b.example"},
        {"", "https://example.com/a b?q=\"1\"", "https://example.com/a b?q=\"1\""},
        {"x-my.app+1:open?\xe4", nullptr, "x-my.app+1:open?\xe4"},
        {doc.string(), "ignored", doc.string()},
        {(dir_ / "folder").string(), nullptr, (dir_ / "folder").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("file [" + c.file + "]");
        fs::remove(record_);
        ASSERT_GT(Open(c.file, c.params), 32);
        const Record r = OnlyRecord();
        EXPECT_EQ(r.prog, kRecorder);
        EXPECT_EQ(r.argv, std::vector<std::string>{c.expected});
    }
}

TEST_F(ShellExecuteTest, DefaultHandlerIsXdgOpenOnPath) {
    const fs::path link = LinkRecorder("bin/xdg-open");
    EnvVar handler("TOLVANE_OPEN_HANDLER", std::nullopt);
    EnvVar path("PATH", (dir_ / "bin").string());
    ASSERT_GT(Open("https://example.com/", nullptr), 32);
    const Record r = OnlyRecord();
    EXPECT_EQ(r.prog, link.string());
    EXPECT_EQ(r.argv, std::vector<std::string>{"https://example.com/"});
}

// ---- Requests that start nothing ----

// Every case would reach the recorder (as program or handler) if it started
// anything. A last, valid start is recorded alone, so none of them did.
TEST_F(ShellExecuteTest, RequestsThatStartNothing) {
    const fs::path script = WriteFile("script", "echo no interpreter line\n", fs::perms::owner_all);
    const fs::path plain = WriteFile("plain", "", fs::perms::owner_read);
    struct {
        const char* operation;
        std::string file;
        const char* params;
        const char* directory;
    } cases[] = {
        {"open", "C:\\Program Files\\x.exe", nullptr, nullptr},
        {"open", "c:\\x.exe", nullptr, nullptr},
        {"open", "command.com /c ping.exe ", nullptr, nullptr},
        {"open", "/nonexistent/tolvane/program", nullptr, nullptr},
        {"open", "tolvane-no-such-program", nullptr, nullptr},
        {"open", kRecorder + " x", nullptr, nullptr},
        {"open", "", nullptr, nullptr},
        {"open", "", "not-an-address", nullptr},
        {"open", "", " http://example.com/", nullptr},
        {"open", "", "c:\\x", nullptr},
        {"print", kRecorder, nullptr, nullptr},
        {"edit", "http://example.com/", nullptr, nullptr},
        {"open", kRecorder, nullptr, "/nonexistent/tolvane/folder"},
        {"open", script.string(), nullptr, nullptr}, // executable but not a program: no shell fallback
        {"open", plain.string() + "/x", nullptr, nullptr},
    };
    const auto before = NewChildren();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " [" + c.file + "] params [" + (c.params ? c.params : "(none)") +
                     "]");
        EXPECT_LE(vcl::ShellExecuteA(nullptr, c.operation, c.file.c_str(), c.params, c.directory,
                                     vcl::SW_SHOWNORMAL),
                  32);
    }
    EXPECT_EQ(NewChildren(before), std::vector<long>{});

    ASSERT_GT(Open(kRecorder, "sentinel"), 32);
    const auto records = WaitForRecords(record_);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].argv, std::vector<std::string>{"sentinel"});
}

// A handler override that cannot run must not fall back to the desktop's.
TEST_F(ShellExecuteTest, MissingHandlerOverrideStartsNothing) {
    LinkRecorder("bin/xdg-open");
    EnvVar path("PATH", (dir_ / "bin").string());
    EnvVar handler("TOLVANE_OPEN_HANDLER", (dir_ / "no-handler").string());
    EXPECT_LE(Open("http://example.com/", nullptr), 32);

    ASSERT_GT(Open(kRecorder, "sentinel"), 32);
    const auto records = WaitForRecords(record_);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].argv, std::vector<std::string>{"sentinel"});
}

} // namespace
