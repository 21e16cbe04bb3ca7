// The settings store over the real registry file: what a read returns for
// every kind of stored data, what a write leaves, and how both behave on
// files that are damaged or that the file system will not let us replace.
#include "settings/settingsstore.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "platform/exception.h"
#include "unit/regtestenv.h"

namespace {

using regtest::Stored;
namespace fs = std::filesystem;

const std::string kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n";

// The message of the registry error a call throws; empty when it throws none.
template <typename F>
std::string ErrorOf(F&& call) {
    try {
        call();
    } catch (const vcl::ERegistryException& e) {
        return e.Message();
    }
    return {};
}

std::string SetError(const std::string& name, const std::string& value) {
    return ErrorOf([&] { WriteSetting(name, value); });
}

class SettingsStore : public regtest::ConfigHome {};

TEST_F(SettingsStore, TextRoundTripsExactlyAsRegSzWithoutTerminator) {
    const std::string texts[] = {
        "",
        "C:\\Program Files\\Mail\\mail.exe",
        "  padded  ",
        "say \"hi\" \\ bye",
        "caf\xC3\xA9 \xE9",
        "two\nlines\r\n",
        "tab\there",
        std::string(5000, 'x'),
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        WriteSetting(SettingNames::Browser, text);
        EXPECT_EQ(ReadSetting(SettingNames::Browser), text);
        EXPECT_EQ(regtest::Query("Browser"), (Stored{vcl::REG_SZ, text}));
    }
}

TEST_F(SettingsStore, FirstWriteCreatesKeyAndFile) {
    WriteSetting(SettingNames::Email, "mail");
    EXPECT_EQ(FileText(), kHead + "\"Email\"=\"mail\"\n");
}

TEST_F(SettingsStore, MissingKeyOrValueReadsEmpty) {
    EXPECT_EQ(ReadSetting("Browser"), "");  // no file at all
    const char* files[] = {
        "REGEDIT4\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun]\n\"Browser\"=\"parent's\"\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n\"Email\"=\"x\"\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n\"Browser\"=\"x\"\n"
        "[-HKEY_CURRENT_USER\\Software\\Kestrun]\n",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        WriteFile(file);
        EXPECT_EQ(ReadSetting("Browser"), "");
    }
}

TEST_F(SettingsStore, ReadByStoredType) {
    struct Case {
        const char* data;    // after "Browser"=
        const char* result;  // when the read succeeds
        const char* error;   // when it throws
    };
    const Case cases[] = {
        {"\"C:\\\\Web\\\\browser.exe\"", "C:\\Web\\browser.exe", nullptr},
        {"\"\"", "", nullptr},
        // %USERPROFILE%\x with a terminating zero: not expanded, cut at the zero
        {"hex(2):25,55,53,45,52,50,52,4f,46,49,4c,45,25,5c,78,00", "%USERPROFILE%\\x", nullptr},
        {"hex(1):61,62,00,63,64", "ab", nullptr},
        {"hex(1):00,61", "", nullptr},
        {"hex:", "", nullptr},  // size 0 counts as empty before the type is looked at
        {"dword:00000001", nullptr, "Invalid data type for 'Browser'"},
        {"hex:61,62", nullptr, "Invalid data type for 'Browser'"},
        {"hex(7):61,00,00", nullptr, "Invalid data type for 'Browser'"},
        {"hex(b):01,00,00,00,00,00,00,00", nullptr, "Invalid data type for 'Browser'"},
        {"dword:zz", "", nullptr},  // malformed: as missing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        WriteFile(kHead + "\"Browser\"=" + c.data + "\n");
        std::string result;
        std::string error = ErrorOf([&] { result = ReadSetting("Browser"); });
        if (c.error) {
            EXPECT_EQ(error, c.error);
        } else {
            EXPECT_EQ(error, "");
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST_F(SettingsStore, WriteReplacesValueOfAnyType) {
    for (const char* data : {"dword:00000001", "hex:01,02", "hex(7):61,00,00", "hex(2):61,00", "-", "dword:bad"}) {
        SCOPED_TRACE(data);
        WriteFile(kHead + "\"Browser\"=" + data + "\n\"Email\"=\"m\"\n");
        WriteSetting("Browser", "web");
        EXPECT_EQ(FileText(), kHead + "\"Browser\"=\"web\"\n\"Email\"=\"m\"\n");
        EXPECT_EQ(ReadSetting("Browser"), "web");
    }
}

TEST(SettingsFlag, OnlyExactYesIsOn) {
    struct Case {
        std::string text;
        bool on;
    };
    const Case cases[] = {
        {"YES", true},   {"yes", false},  {"Yes", false},           {"YES ", false}, {" YES", false},
        {"Y", false},    {"", false},     {"NO", false},            {"YESS", false},
        {std::string("YES\0", 4), false},
    };
    for (const auto& c : cases) EXPECT_EQ(FlagIsOn(c.text), c.on) << '"' << c.text << '"';
}

TEST_F(SettingsStore, FlagsReadFromFile) {
    WriteFile(kHead + "\"Yahoo\"=\"YES\"\n\"Lycos\"=\"yes\"\n\"Splash\"=\"YES \"\n\"AutoDock\"=hex(1):59,45,53\n");
    EXPECT_TRUE(FlagIsOn(ReadSetting(SettingNames::Yahoo)));
    EXPECT_FALSE(FlagIsOn(ReadSetting(SettingNames::Lycos)));
    EXPECT_FALSE(FlagIsOn(ReadSetting(SettingNames::Splash)));
    EXPECT_TRUE(FlagIsOn(ReadSetting(SettingNames::AutoDock)));
    EXPECT_FALSE(FlagIsOn(ReadSetting(SettingNames::HotBot)));
}

// Damaged files: a file with a registry header keeps working around what it
// cannot read; anything else is never overwritten.
TEST_F(SettingsStore, DamagedFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* browser;  // what a read gives
        bool writable;        // whether a write goes through
    };
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    const Case cases[] = {
        {"truncated in a string", kHead + "\"Email\"=\"m\"\n\"Browser\"=\"C:\\\\Prog", "", true},
        {"truncated in a key line", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Softw", "", true},
        {"truncated header", "REGED", "", false},
        {"binary garbage", garbage, "", false},
        {"garbage lines after a header", "REGEDIT4\n" + garbage + "\n" + kHead + "\"Browser\"=\"b\"\n", "b", true},
        {"empty", "", "", true},
        {"blank lines only", "\n  \n", "", false},
        {"missing header", kHead.substr(10) + "\"Browser\"=\"b\"\n", "", false},
        {"header not first", "\n" + kHead + "\"Browser\"=\"b\"\n", "", false},
        {"header in wrong case", "regedit4\n" + kHead.substr(9) + "\"Browser\"=\"b\"\n", "", false},
        {"header with more after it", "REGEDIT4 x\n" + kHead.substr(9) + "\"Browser\"=\"b\"\n", "", false},
        {"bad hex digit", kHead + "\"Browser\"=hex(1):6g,62\n", "", true},
        {"three hex digits", kHead + "\"Browser\"=hex(1):616\n", "", true},
        {"continuation to an unindented line", kHead + "\"Browser\"=hex(1):61,\\\n\"Email\"=\"m\"\n", "", true},
        {"continuation at end of file", kHead + "\"Browser\"=hex(1):61,\\", "", true},
        {"name without data", kHead + "\"Browser\"\n", "", true},
        {"UTF-16 of odd length", std::string("\xFF\xFER\0E\0", 7), "", false},
        {"UTF-16 with a lone surrogate", std::string("\xFF\xFER\0\x00\xD8\n\0", 8), "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(c.bytes);
        std::string read;
        EXPECT_EQ(ErrorOf([&] { read = ReadSetting("Browser"); }), "");
        EXPECT_EQ(read, c.browser);
        if (c.writable) {
            EXPECT_EQ(SetError("Browser", "new"), "");
            EXPECT_EQ(ReadSetting("Browser"), "new");
            EXPECT_TRUE(FileText().starts_with("REGEDIT4\n"));
        } else {
            EXPECT_EQ(SetError("Browser", "new"), "Failed to set data for 'Browser'");
            EXPECT_EQ(FileText(), c.bytes);
        }
    }
}

TEST_F(SettingsStore, OtherLinesSurviveAWriteNextToDamage) {
    WriteFile(kHead + "\"Email\"=\"m\"\n\"Browser\"=hex(1):61,\\\n\"ICQ\"=\"i\"\n");
    EXPECT_EQ(ReadSetting("ICQ"), "i");
    WriteSetting("Browser", "b");
    EXPECT_EQ(FileText(), kHead + "\"Email\"=\"m\"\n\"Browser\"=\"b\"\n\"ICQ\"=\"i\"\n");
}

// Runs `body` in a child process, after `prepare`; true when it returns
// true. The alarm turns a hang into a failure instead of a stuck test run.
bool InChild(const std::function<bool()>& body, const std::function<void()>& prepare = {}) {
    pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        ::alarm(60);
        bool ok = false;
        try {
            if (prepare) prepare();
            ok = body();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(SettingsStore, SpecialFileInPlaceOfTheDataFile) {
    auto readsNothingAndRefusesWrites = [] {
        return ReadSetting("Browser").empty() && SetError("Browser", "x") == "Failed to set data for 'Browser'";
    };
    fs::create_directories(Folder());
    ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);  // opening it the plain way would wait for a writer
    EXPECT_TRUE(InChild(readsNothingAndRefusesWrites));
    EXPECT_TRUE(fs::is_fifo(File()));

    fs::remove(File());
    fs::create_directory(File());
    EXPECT_TRUE(InChild(readsNothingAndRefusesWrites));
    EXPECT_TRUE(fs::is_directory(File()));
    EXPECT_TRUE(fs::is_empty(File()));
}

// Ways the file system refuses a write. Each must fail with the store's
// error, keep the old bytes and leave no temporary file. The write runs in a
// child process, so that it can have a file size limit or, when the tests run
// as root (whom permission bits do not stop), an ordinary user's identity.
struct Refusal {
    const char* name;
    void (*arrange)(const fs::path& home, const fs::path& folder, const fs::path& file);
    std::size_t sizeLimit;  // 0 for none
};

const Refusal kRefusals[] = {
    {"FolderReadOnly",
     [](const fs::path&, const fs::path& folder, const fs::path&) {
         fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
     },
     0},
    {"FileReadOnly",
     [](const fs::path&, const fs::path&, const fs::path& file) { fs::permissions(file, fs::perms::owner_read); }, 0},
    {"FileSizeLimit", [](const fs::path&, const fs::path&, const fs::path&) {}, 40},
    {"FolderIsAFile",
     [](const fs::path&, const fs::path& folder, const fs::path&) {
         fs::remove_all(folder);
         regtest::WriteBytes(folder, "not a folder");
     },
     0},
    {"ConfigHomeUnderAFile",
     [](const fs::path& home, const fs::path&, const fs::path&) {
         fs::remove_all(home);
         regtest::WriteBytes(home, "not a folder");
     },
     0},
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class RefusedWrite : public regtest::ConfigHome, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedWrite, FailsAndKeepsTheOldFile) {
    const Refusal& r = GetParam();
    const std::string old = kHead + "\"Browser\"=\"old\"\n";
    ASSERT_GT(old.size(), r.sizeLimit);
    WriteFile(old);
    r.arrange(Home(), Folder(), File());
    fs::path kept = fs::is_regular_file(Home()) ? Home() : fs::is_regular_file(Folder()) ? Folder() : File();
    std::string before = regtest::ReadBytes(kept);

    constexpr uid_t kNobody = 65534;
    const bool dropRoot = regtest::RunningAsRoot();
    if (dropRoot) {
        for (const auto& e : fs::recursive_directory_iterator(Root()))
            ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0) << e.path();
        ASSERT_EQ(::lchown(Root().c_str(), kNobody, kNobody), 0);
    }
    EXPECT_TRUE(InChild([] { return SetError("Browser", "a longer new value") == "Failed to set data for 'Browser'"; },
                        [&] {
                            if (r.sizeLimit) {
                                ::signal(SIGXFSZ, SIG_IGN);
                                rlimit limit{r.sizeLimit, r.sizeLimit};
                                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
                            }
                            if (dropRoot && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
                        }));
    EXPECT_EQ(regtest::ReadBytes(kept), before);
    if (fs::is_directory(Folder())) {
        fs::permissions(Folder(), fs::perms::owner_all);
        EXPECT_TRUE(Leftovers(Folder()).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, RefusedWrite, ::testing::ValuesIn(kRefusals),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
