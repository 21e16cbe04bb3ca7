// Several processes on one registry file: writers killed at random moments,
// writers running side by side, a writer waiting for the lock, readers racing
// a writer, and programs started mid-write. Uses the regwriter tool built
// beside the tests.
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include "platform/exception.h"
#include "settings/settingsstore.h"
#include "unit/regtestenv.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string kKeyLine = "[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]";
const std::string kHead = "REGEDIT4\n\n" + kKeyLine + "\n";

pid_t StartWriter(const std::vector<std::string>& args) {
    std::string tool = std::string(TOLVANE_TOOLS_DIR) + "/regwriter";
    std::vector<char*> argv{tool.data()};
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(::posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv.data(), environ), 0) << tool;
    return pid;
}

// The exit code, or -1 when the process did not exit normally.
int WaitFor(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Waits (boundedly) for the file to change once, so the writer is known to
// be in its loop before the test picks a moment to kill it.
bool WaitForChange(const fs::path& file, const std::string& old) {
    for (int i = 0; i < 20000; ++i) {
        if (regtest::ReadBytes(file) != old) return true;
        ::usleep(500);
    }
    return false;
}

// True once `pid` waits for an flock, as /proc/locks shows ("->" marks a
// blocked request). Without /proc/locks, gives it a moment instead.
bool WaitUntilBlockedOnLock(pid_t pid) {
    const std::string needle = " " + std::to_string(pid) + " ";
    for (int i = 0; i < 20000; ++i) {
        std::string locks = regtest::ReadBytes("/proc/locks");
        if (locks.empty()) {
            ::usleep(300000);
            return true;
        }
        std::size_t at = 0;
        while ((at = locks.find("->", at)) != std::string::npos) {
            std::size_t end = locks.find('\n', at);
            if (locks.substr(at, end - at).find(needle) != std::string::npos) return true;
            ++at;
        }
        ::usleep(500);
    }
    return false;
}

class RegistryProcesses : public regtest::ConfigHome {};

TEST_F(RegistryProcesses, KilledWriterLeavesOldOrNewFile) {
    const std::string a = "alpha";
    const std::string b = "beta " + std::string(300, 'b');
    // A padding value makes each write long enough to be cut at many points.
    std::string padding = "\"Padding\"=hex:00";
    for (int i = 1; i < 60000; ++i) padding += i % 25 == 0 ? ",\\\r\n  5a" : ",5a";
    auto file = [&](const std::string& browser) {
        return "REGEDIT4\r\n; mine\r\n" + kKeyLine + "\r\n\"Email\"=\"m\"\r\n\"Browser\"=\"" + browser + "\"\r\n" +
               padding + "\r\n\"Yahoo\"=\"YES\"\r\n";
    };
    const std::string withA = file(a), withB = file(b);
    WriteFile(withA);

    std::mt19937 rng(20240601);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        pid_t pid = StartWriter({"cycle", "1000000", "Browser", b, a});
        ASSERT_GT(pid, 0);
        bool started = WaitForChange(File(), withA);
        ::usleep(static_cast<useconds_t>(rng() % 8000));
        ::kill(pid, SIGKILL);
        EXPECT_EQ(WaitFor(pid), -1);
        ASSERT_TRUE(started);

        std::string text = FileText();
        EXPECT_TRUE(text == withA || text == withB) << "size " << text.size();
        EXPECT_LE(Leftovers(Folder()).size(), 1u);

        // The kill freed the lock, and the next write succeeds and clears the leftover.
        int lock = ::open((Folder() / "Tolvane.reg.lock").c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_GE(lock, 0);
        EXPECT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
        ::close(lock);
        WriteSetting("Browser", a);
        EXPECT_EQ(FileText(), withA);
        EXPECT_TRUE(Leftovers(Folder()).empty());
    }
}

TEST_F(RegistryProcesses, TwoWritersLoseNothing) {
    WriteFile("REGEDIT4\n; keep\n" + kKeyLine + "\n\"Email\"=\"m\"\n");
    pid_t first = StartWriter({"distinct", "200", "A"});
    pid_t second = StartWriter({"distinct", "200", "B"});
    EXPECT_EQ(WaitFor(first), 0);
    EXPECT_EQ(WaitFor(second), 0);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(ReadSetting("A" + std::to_string(i)), "value " + std::to_string(i));
        EXPECT_EQ(ReadSetting("B" + std::to_string(i)), "value " + std::to_string(i));
    }
    EXPECT_EQ(ReadSetting("Email"), "m");
    EXPECT_TRUE(FileText().starts_with("REGEDIT4\n; keep\n" + kKeyLine + "\n\"Email\"=\"m\"\n"));
    EXPECT_TRUE(Leftovers(Folder()).empty());
}

// A second writer waits for the lock and then works on the file as it is
// after the first one, not as it was when it started.
TEST_F(RegistryProcesses, WriterWaitsForTheLockAndRereads) {
    WriteFile(kHead + "\"Email\"=\"m\"\n");
    int lock = ::open((Folder() / "Tolvane.reg.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    pid_t pid = StartWriter({"cycle", "1", "Browser", "b"});
    EXPECT_TRUE(WaitUntilBlockedOnLock(pid));
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, WNOHANG), 0);
    WriteFile(kHead + "\"Email\"=\"m\"\n\"ICQ\"=\"i\"\n");
    ::close(lock);

    EXPECT_EQ(WaitFor(pid), 0);
    EXPECT_EQ(FileText(), kHead + "\"Email\"=\"m\"\n\"ICQ\"=\"i\"\n\"Browser\"=\"b\"\n");
}

// Readers take no lock; each read sees the old or the new file, or, when the
// value changed between the size query and the data read, says so.
TEST_F(RegistryProcesses, ReadersRacingAWriter) {
    const std::string a = "alpha";
    const std::string b = "beta " + std::string(100, 'b');
    WriteFile(kHead + "\"Email\"=\"m\"\n\"Browser\"=\"" + a + "\"\n");
    pid_t pid = StartWriter({"cycle", "300", "Browser", b, a});
    int status = 0;
    pid_t done = 0;
    for (int i = 0; i < 100000 && (done = ::waitpid(pid, &status, WNOHANG)) == 0; ++i) {
        try {
            std::string got = ReadSetting("Browser");
            EXPECT_TRUE(got == a || got == b) << got;
        } catch (const vcl::ERegistryException& e) {
            EXPECT_EQ(e.Message(), "Failed to get data for 'Browser'");
        }
        EXPECT_EQ(ReadSetting("Email"), "m");
        if (HasFailure()) break;
    }
    if (done == 0) done = ::waitpid(pid, &status, 0);
    EXPECT_EQ(done, pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Programs started while a write is under way must not get its files: the
// lock would stay held for as long as such a program runs.
TEST_F(RegistryProcesses, StartedProgramsInheritNoRegistryFiles) {
    WriteFile(kHead + "\"Browser\"=\"a\"\n");
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) WriteSetting("Browser", i % 2 ? "a" : "b");
    });
    std::string seen;
    for (int i = 0; i < 60 && seen.empty(); ++i) {
        FILE* ls = ::popen("ls -l /proc/self/fd/ 2>/dev/null", "r");
        ASSERT_NE(ls, nullptr);
        char line[512];
        while (std::fgets(line, sizeof line, ls))
            if (std::strstr(line, Folder().c_str())) seen = line;
        ::pclose(ls);
    }
    stop = true;
    writer.join();
    EXPECT_EQ(seen, "");
}

} // namespace
