// Writing: one line changes and every other byte stays, every type survives
// a round trip, files and folders get the right modes, symlinks stay links,
// and reads never create anything.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "platform/registry.h"
#include "settings/settingsstore.h"
#include "unit/regtestenv.h"

namespace {

using regtest::Query;
using regtest::Store;
using regtest::Stored;
namespace fs = std::filesystem;

const std::string kKeyLine = "[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]";
const std::string kHead = "REGEDIT4\n\n" + kKeyLine + "\n";

class RegistryWrite : public regtest::ConfigHome {};

TEST_F(RegistryWrite, ReplacingKeepsEveryOtherByte) {
    const std::string before = "REGEDIT4\r\n\r\n"
                               "; Settings for the launcher\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                               "\"Browser\"=\"not ours\"\r\n"
                               "\r\n" +
                               kKeyLine + "\r\n"
                                          "# paths\r\n"
                                          "\"Email\"=\"C:\\\\Mail\\\\m.exe\"\r\n"
                                          "  \"BROWSER\" = \"old\"\r\n"
                                          "this line means nothing\r\n"
                                          "\"Yahoo\"=\"YES\"\r\n"
                                          "\r\n"
                                          "[HKEY_CURRENT_USER\\Software\\Zeta]\r\n"
                                          "\"Z\"=dword:00000001";
    WriteFile(before);
    WriteSetting("Browser", "new");
    std::string after = before;
    after.replace(after.find("  \"BROWSER\" = \"old\""), 19, "\"BROWSER\"=\"new\"");
    EXPECT_EQ(FileText(), after);
}

TEST_F(RegistryWrite, WhereTheLineGoes) {
    const std::string k = kKeyLine;
    const std::string line = "\"Browser\"=\"new\"\n";
    struct Case {
        const char* what;
        std::string before, after;
    };
    const Case cases[] = {
        {"end of the key's section, before what follows it",
         "REGEDIT4\n\n" + k + "\n\"Email\"=\"m\"\n; about Zeta\n\n[HKEY_CURRENT_USER\\Zeta]\n\"Z\"=\"z\"\n",
         "REGEDIT4\n\n" + k + "\n\"Email\"=\"m\"\n" + line + "; about Zeta\n\n[HKEY_CURRENT_USER\\Zeta]\n\"Z\"=\"z\"\n"},
        {"empty section at the end without line end", "REGEDIT4\n\n" + k, "REGEDIT4\n\n" + k + "\n" + line},
        {"the key's last section", "REGEDIT4\n" + k + "\n\"A\"=\"a\"\n[HKEY_CURRENT_USER\\Z]\n" + k + "\n\"B\"=\"b\"\n",
         "REGEDIT4\n" + k + "\n\"A\"=\"a\"\n[HKEY_CURRENT_USER\\Z]\n" + k + "\n\"B\"=\"b\"\n" + line},
        {"new section after another key", "REGEDIT4\n[HKEY_CURRENT_USER\\Z]\n\"Z\"=\"z\"",
         "REGEDIT4\n[HKEY_CURRENT_USER\\Z]\n\"Z\"=\"z\"\n\n" + k + "\n" + line},
        {"new section when only a sub key exists", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\S]\n",
         "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\S]\n\n" + k + "\n" + line},
        {"new section after the key was deleted", "REGEDIT4\n" + k + "\n\"Browser\"=\"old\"\n[-" + k.substr(1) + "\n",
         "REGEDIT4\n" + k + "\n\"Browser\"=\"old\"\n[-" + k.substr(1) + "\n\n" + k + "\n" + line},
        {"header only", "REGEDIT4", "REGEDIT4\n\n" + k + "\n" + line},
        {"a deletion line is replaced", "REGEDIT4\n" + k + "\n\"Browser\"=-\n\"Email\"=\"m\"\n",
         "REGEDIT4\n" + k + "\n" + line + "\"Email\"=\"m\"\n"},
        {"the last setting line is replaced", "REGEDIT4\n" + k + "\n\"Browser\"=\"1\"\n" + k + "\n\"Browser\"=\"2\"\n",
         "REGEDIT4\n" + k + "\n\"Browser\"=\"1\"\n" + k + "\n" + line},
        {"an earlier section's line is replaced", "REGEDIT4\n" + k + "\n\"Browser\"=\"1\"\n" + k + "\n\"E\"=\"e\"\n",
         "REGEDIT4\n" + k + "\n" + line + k + "\n\"E\"=\"e\"\n"},
        {"a continued list is replaced, its line end kept",
         "REGEDIT4\r\n" + k + "\r\n\"Browser\"=hex(1):61,\\\r\n  62,\\\r\n  63\r\n\"E\"=\"e\"\r\n",
         "REGEDIT4\r\n" + k + "\r\n\"Browser\"=\"new\"\r\n\"E\"=\"e\"\r\n"},
        {"the key's spelling is kept", "REGEDIT4\n[hkey_current_user\\software\\KESTRUN\\tolvane]\n",
         "REGEDIT4\n[hkey_current_user\\software\\KESTRUN\\tolvane]\n" + line},
        {"the value's spelling is kept", "REGEDIT4\n" + k + "\n\"bRoWsEr\"=\"old\"\n",
         "REGEDIT4\n" + k + "\n\"bRoWsEr\"=\"new\"\n"},
        {"nothing changes for the same value", "REGEDIT4\n" + k + "\n\"Browser\" = \"new\"\n",
         "REGEDIT4\n" + k + "\n\"Browser\" = \"new\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(c.before);
        WriteSetting("Browser", "new");
        EXPECT_EQ(FileText(), c.after);
    }
}

TEST_F(RegistryWrite, EveryTypeRoundTrips) {
    struct Case {
        vcl::DWORD type;
        std::string bytes;
        std::string line;  // as written after "V"=
    };
    const Case cases[] = {
        {vcl::REG_SZ, "plain", "\"plain\""},
        {vcl::REG_SZ, "a\\b\"c", "\"a\\\\b\\\"c\""},
        {vcl::REG_SZ, "", "\"\""},
        {vcl::REG_SZ, "caf\xE9 \xC3\xA9", "\"caf\xE9 \xC3\xA9\""},
        {vcl::REG_SZ, std::string("a\0b", 3), "hex(1):61,00,62"},
        {vcl::REG_SZ, std::string("abc\0", 4), "hex(1):61,62,63,00"},
        {vcl::REG_SZ, "x\ny", "hex(1):78,0a,79"},
        {vcl::REG_SZ, "x\ry", "hex(1):78,0d,79"},
        {vcl::REG_SZ, "\t", "hex(1):09"},
        {vcl::REG_SZ, "\x7f", "hex(1):7f"},
        {vcl::REG_EXPAND_SZ, "%HOME%", "hex(2):25,48,4f,4d,45,25"},
        {vcl::REG_DWORD, std::string("\x2a\0\0\x80", 4), "dword:8000002a"},
        {vcl::REG_DWORD, "\x01\x02\x03", "hex(4):01,02,03"},
        {vcl::REG_BINARY, "", "hex:"},
        {vcl::REG_BINARY, std::string("\xff\x00\x10", 3), "hex:ff,00,10"},
        {vcl::REG_NONE, "", "hex(0):"},
        {vcl::REG_QWORD, std::string("\x01\0\0\0\0\0\0\0", 8), "hex(b):01,00,00,00,00,00,00,00"},
        {vcl::REG_MULTI_SZ, std::string("a\0b\0\0", 5), "hex(7):61,00,62,00,00"},
        {0x12345678u, "\xfe", "hex(12345678):fe"},
        {0xffffffffu, "", "hex(ffffffff):"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        fs::remove(File());
        ASSERT_EQ(Store("V", c.type, c.bytes), vcl::ERROR_SUCCESS);
        EXPECT_EQ(FileText(), kHead + "\"V\"=" + c.line + "\n");
        EXPECT_EQ(Query("V"), (Stored{c.type, c.bytes}));
    }
}

TEST_F(RegistryWrite, LongByteListsWrapAndRoundTrip) {
    std::string blob;
    for (int i = 0; i < 300; ++i) blob += static_cast<char>(i * 37);
    ASSERT_EQ(Store("Blob", vcl::REG_BINARY, blob), vcl::ERROR_SUCCESS);
    EXPECT_EQ(Query("Blob"), (Stored{vcl::REG_BINARY, blob}));

    std::istringstream lines(FileText().substr(kHead.size()));
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_GT(all.size(), 3u);
    EXPECT_TRUE(all.front().starts_with("\"Blob\"=hex:"));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_LE(all[i].size(), 80u) << all[i];
        if (i + 1 < all.size()) {
            EXPECT_TRUE(all[i].ends_with(",\\")) << all[i];
        }
        if (i > 0) {
            EXPECT_TRUE(all[i].starts_with("  ")) << all[i];
        }
    }
}

TEST_F(RegistryWrite, ValueNamesAreQuotedOrDefault) {
    ASSERT_EQ(Store("a\"b\\c", vcl::REG_SZ, "x"), vcl::ERROR_SUCCESS);
    ASSERT_EQ(Store("", vcl::REG_SZ, "d"), vcl::ERROR_SUCCESS);
    EXPECT_EQ(FileText(), kHead + "\"a\\\"b\\\\c\"=\"x\"\n@=\"d\"\n");
    EXPECT_EQ(Query("a\"b\\c"), (Stored{vcl::REG_SZ, "x"}));
    EXPECT_EQ(Query(""), (Stored{vcl::REG_SZ, "d"}));
}

TEST_F(RegistryWrite, NamesThatCannotBeWrittenAreRefused) {
    WriteFile(kHead);
    EXPECT_EQ(Store("two\nlines", vcl::REG_SZ, "x"), vcl::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Store("cr\r", vcl::REG_SZ, "x"), vcl::ERROR_INVALID_PARAMETER);
    for (const char* sub : {"\\Software\\Kestrun\\Tolvane", "Software\\\\Kestrun", "Software\\", "Soft\nware"})
        EXPECT_EQ(Store("V", vcl::REG_SZ, "x", sub), vcl::ERROR_INVALID_PARAMETER) << sub;
    EXPECT_EQ(FileText(), kHead);
}

TEST_F(RegistryWrite, ModesOfNewAndExistingFiles) {
    // A umask that takes even the owner's bits must not decide our modes.
    mode_t old = ::umask(0277);
    fs::path home = Root() / "fresh" / "config";
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    WriteSetting("Browser", "x");
    ::umask(old);

    auto mode = [](const fs::path& p) {
        struct stat st {};
        EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode(Root() / "fresh"), 0700u);
    EXPECT_EQ(mode(home), 0700u);
    EXPECT_EQ(mode(home / "Kestrun"), 0700u);
    EXPECT_EQ(mode(home / "Kestrun" / "Tolvane.reg"), 0600u);
    EXPECT_EQ(mode(home / "Kestrun" / "Tolvane.reg.lock"), 0600u);

    ASSERT_EQ(::chmod((home / "Kestrun" / "Tolvane.reg").c_str(), 0640), 0);
    WriteSetting("Browser", "y");
    EXPECT_EQ(mode(home / "Kestrun" / "Tolvane.reg"), 0640u);
}

TEST_F(RegistryWrite, FileLocation) {
    struct Restore {
        std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
        ~Restore() { ::setenv("HOME", home.c_str(), 1); }
    } restore;
    ::setenv("HOME", (Root() / "home").c_str(), 1);
    const fs::path fromHome = Root() / "home" / ".config" / "Kestrun" / "Tolvane.reg";
    struct Case {
        const char* what;
        std::optional<std::string> xdg;  // none: unset
        fs::path file;
    };
    const Case cases[] = {
        {"absolute", (Root() / "xdg").string(), Root() / "xdg" / "Kestrun" / "Tolvane.reg"},
        {"unset", std::nullopt, fromHome},
        {"empty", "", fromHome},
        {"relative", "relative/config", fromHome},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.xdg) {
            ::setenv("XDG_CONFIG_HOME", c.xdg->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        WriteSetting("Browser", c.what);
        EXPECT_EQ(ReadSetting("Browser"), c.what);
        EXPECT_EQ(regtest::ReadBytes(c.file), kHead + "\"Browser\"=\"" + c.what + "\"\n");
        fs::remove(c.file);
    }
    EXPECT_FALSE(fs::exists("relative"));
}

TEST_F(RegistryWrite, SymlinkedFileKeepsItsLink) {
    struct Case {
        const char* what;
        bool targetExists;
        bool absolute;
        bool twoHops;
    };
    const Case cases[] = {
        {"relative link", true, false, false},
        {"absolute link", true, true, false},
        {"link to a link", true, false, true},
        {"dangling link", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Folder());
        fs::remove_all(Root() / "dotfiles");
        fs::create_directories(Folder());
        fs::create_directories(Root() / "dotfiles");
        fs::path target = Root() / "dotfiles" / "tolvane.reg";
        if (c.targetExists) regtest::WriteBytes(target, kHead + "; mine\n\"Email\"=\"m\"\n");
        fs::path linkText = c.absolute ? target : fs::path("../../dotfiles/tolvane.reg");
        if (c.twoHops) {
            fs::create_symlink("tolvane.reg", Root() / "dotfiles" / "hop.reg");
            linkText = "../../dotfiles/hop.reg";
        }
        fs::create_symlink(linkText, File());

        WriteSetting("Browser", "b");
        ASSERT_TRUE(fs::is_symlink(File()));
        EXPECT_EQ(fs::read_symlink(File()), linkText);
        EXPECT_EQ(regtest::ReadBytes(target),
                  c.targetExists ? kHead + "; mine\n\"Email\"=\"m\"\n\"Browser\"=\"b\"\n"
                                 : kHead + "\"Browser\"=\"b\"\n");
        EXPECT_TRUE(Leftovers(Folder()).empty());
        std::vector<std::string> others;
        for (const auto& e : fs::directory_iterator(Root() / "dotfiles"))
            if (e.path().filename() != "tolvane.reg" && e.path().filename() != "hop.reg")
                others.push_back(e.path().filename());
        EXPECT_TRUE(others.empty());
    }
}

TEST_F(RegistryWrite, ReadingCreatesNothing) {
    EXPECT_EQ(ReadSetting("Browser"), "");
    EXPECT_EQ(Query("Browser"), std::nullopt);
    vcl::HKEY key = nullptr;
    EXPECT_EQ(vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, "Software", 0, vcl::KEY_ALL_ACCESS, &key),
              vcl::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_TRUE(fs::is_empty(Home()));

    const std::string file = "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n";
    WriteFile(file);
    EXPECT_EQ(ReadSetting("Browser"), "");
    EXPECT_EQ(FileText(), file);
    EXPECT_TRUE(Leftovers(Folder()).empty());
    EXPECT_FALSE(fs::exists(Folder() / "Tolvane.reg.lock"));
}

TEST_F(RegistryWrite, QueryFollowsWin32Rules) {
    ASSERT_EQ(Store("V", vcl::REG_SZ, "hello"), vcl::ERROR_SUCCESS);
    vcl::HKEY key = nullptr;
    ASSERT_EQ(vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, regtest::kSubKey, 0, vcl::KEY_READ, &key),
              vcl::ERROR_SUCCESS);

    vcl::DWORD type = 0, size = 0;
    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, &type, nullptr, &size), vcl::ERROR_SUCCESS);
    EXPECT_EQ(type, vcl::REG_SZ);
    EXPECT_EQ(size, 5u);

    vcl::BYTE buf[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
    size = 4;
    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, &type, buf, &size), vcl::ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(buf[0], '#');
    size = sizeof buf;
    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, &type, buf, &size), vcl::ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 6), "hello#");

    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, &type, buf, nullptr), vcl::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(vcl::RegQueryValueExA(key, "W", nullptr, &type, nullptr, &size), vcl::ERROR_FILE_NOT_FOUND);

    // Read-only handles may not write.
    const std::string before = FileText();
    EXPECT_EQ(vcl::RegSetValueExA(key, "V", 0, vcl::REG_SZ, reinterpret_cast<const vcl::BYTE*>("x"), 1),
              vcl::ERROR_ACCESS_DENIED);
    EXPECT_EQ(FileText(), before);

    EXPECT_EQ(vcl::RegCloseKey(key), vcl::ERROR_SUCCESS);
    EXPECT_EQ(vcl::RegCloseKey(key), vcl::ERROR_INVALID_HANDLE);
    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, &type, nullptr, &size), vcl::ERROR_INVALID_HANDLE);
}

TEST_F(RegistryWrite, CreateReportsWhetherTheKeyWasNew) {
    vcl::DWORD disposition = 0;
    vcl::HKEY key = nullptr;
    for (vcl::DWORD expected : {vcl::REG_CREATED_NEW_KEY, vcl::REG_OPENED_EXISTING_KEY}) {
        ASSERT_EQ(vcl::RegCreateKeyExA(vcl::HKEY_CURRENT_USER, regtest::kSubKey, 0, nullptr,
                                       vcl::REG_OPTION_NON_VOLATILE, vcl::KEY_ALL_ACCESS, nullptr, &key, &disposition),
                  vcl::ERROR_SUCCESS);
        EXPECT_EQ(disposition, expected);
        vcl::RegCloseKey(key);
    }
    EXPECT_EQ(FileText(), kHead);
}

// A handle reads the file again for each query, so another program's edits
// show at once, a deletion included.
TEST_F(RegistryWrite, OpenHandleSeesOtherProgramsChanges) {
    WriteFile(kHead + "\"V\"=\"one\"\n");
    vcl::HKEY key = nullptr;
    ASSERT_EQ(vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, regtest::kSubKey, 0, vcl::KEY_ALL_ACCESS, &key),
              vcl::ERROR_SUCCESS);
    vcl::DWORD size = 0;
    ASSERT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, &size), vcl::ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);

    WriteFile(kHead + "\"V\"=\"three\"\n");
    ASSERT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, &size), vcl::ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);

    const std::string gone = "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n";
    WriteFile(gone);
    EXPECT_EQ(vcl::RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, &size), vcl::ERROR_KEY_DELETED);
    EXPECT_EQ(vcl::RegSetValueExA(key, "V", 0, vcl::REG_SZ, reinterpret_cast<const vcl::BYTE*>("x"), 1),
              vcl::ERROR_KEY_DELETED);
    EXPECT_EQ(FileText(), gone);
    vcl::RegCloseKey(key);
}

} // namespace
