// Reading registry files the way a person or regedit wrote them: every data
// form, line ends, comments, key and value semantics, UTF-16 files and very
// large files.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "settings/settingsstore.h"
#include "unit/regtestenv.h"

namespace {

using regtest::Query;
using regtest::Stored;
namespace fs = std::filesystem;

const std::string kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n";

std::string Bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out += static_cast<char>(b);
    return out;
}

class RegistryRead : public regtest::ConfigHome {};

TEST_F(RegistryRead, EveryDataForm) {
    struct Case {
        std::string data;  // after "V"=
        std::optional<Stored> value;
    };
    const Case cases[] = {
        {"\"plain\"", Stored{vcl::REG_SZ, "plain"}},
        {"\"\"", Stored{vcl::REG_SZ, ""}},
        {"\"a\\\\b\\\"c\"", Stored{vcl::REG_SZ, "a\\b\"c"}},
        {"\"C:\\dir\\new\"", Stored{vcl::REG_SZ, "C:\\dir\\new"}},  // other backslashes stand
        {"\"caf\xE9 \xC3\xA9\"", Stored{vcl::REG_SZ, "caf\xE9 \xC3\xA9"}},
        {"\"tab\there\"  ", Stored{vcl::REG_SZ, "tab\there"}},
        {"dword:0000002a", Stored{vcl::REG_DWORD, Bytes({0x2a, 0, 0, 0})}},
        {"dword:1", Stored{vcl::REG_DWORD, Bytes({1, 0, 0, 0})}},
        {"DWORD:FFFFfffe", Stored{vcl::REG_DWORD, Bytes({0xfe, 0xff, 0xff, 0xff})}},
        {"hex:de,ad, BE ,ef", Stored{vcl::REG_BINARY, Bytes({0xde, 0xad, 0xbe, 0xef})}},
        {"hex:5,0a,", Stored{vcl::REG_BINARY, Bytes({5, 10})}},
        {"hex:", Stored{vcl::REG_BINARY, ""}},
        {"hex(0):", Stored{vcl::REG_NONE, ""}},
        {"hex(1):61,00,62", Stored{vcl::REG_SZ, std::string("a\0b", 3)}},
        {"hex(2):25,50,41,54,48,25,00", Stored{vcl::REG_EXPAND_SZ, std::string("%PATH%\0", 7)}},
        {"hex(7):61,00,62,00,00", Stored{vcl::REG_MULTI_SZ, std::string("a\0b\0\0", 5)}},
        {"HEX(B):01,00,00,00,00,00,00,80", Stored{vcl::REG_QWORD, Bytes({1, 0, 0, 0, 0, 0, 0, 0x80})}},
        {"hex(ffffffff):7f", Stored{0xffffffffu, "\x7f"}},
        {"hex(00000004):01,02", Stored{vcl::REG_DWORD, Bytes({1, 2})}},
        // Malformed: read as missing.
        {"dword:123456789", std::nullopt},
        {"dword:", std::nullopt},
        {"dword: 1", std::nullopt},
        {"dword:12g", std::nullopt},
        {"hex:1,2,3x", std::nullopt},
        {"hex:123", std::nullopt},
        {"hex:01,,02", std::nullopt},
        {"hex(100000000):00", std::nullopt},
        {"hex(2)01", std::nullopt},
        {"hex():01", std::nullopt},
        {"\"unterminated", std::nullopt},
        {"\"ends in escape\\\"", std::nullopt},
        {"\"text\" trailing", std::nullopt},
        {"text", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        WriteFile(kHead + "\"V\"=" + c.data + "\n\"After\"=\"ok\"\n");
        EXPECT_EQ(Query("V"), c.value);
        EXPECT_EQ(Query("After"), (Stored{vcl::REG_SZ, "ok"}));
    }
}

// Whole files, each read for value "V" of the settings key.
TEST_F(RegistryRead, FileStructure) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]";
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::string> v;  // REG_SZ text of "V"
    };
    const Case cases[] = {
        {"CRLF", "REGEDIT4\r\n\r\n" + key + "\r\n\"V\"=\"x\"\r\n", "x"},
        {"lone CR", "REGEDIT4\r\r" + key + "\r\"V\"=\"x\"\r\"W\"=\"y\"", "x"},
        {"no final line end", "REGEDIT4\n" + key + "\n\"V\"=\"x\"", "x"},
        {"indented header", "  \tREGEDIT4\n" + key + "\n\"V\"=\"x\"\n", "x"},
        {"version 5 header", "Windows Registry Editor Version 5.00\n" + key + "\n\"V\"=\"x\"\n", "x"},
        {"blanks around =", "REGEDIT4\n" + key + "\n  \"V\" \t=  \"x\"\n", "x"},
        {"comments", "REGEDIT4\n; one\n" + key + "\n# two\n\"V\"=\"x\"\n;\"V\"=\"y\"\n", "x"},
        {"key in any case", "REGEDIT4\n[hkey_current_user\\SOFTWARE\\kestrun\\tolvane]\n\"v\"=\"x\"\n", "x"},
        {"key line with text after it", "REGEDIT4\n" + key + " ; note\n\"V\"=\"x\"\n", "x"},
        {"later line wins", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n[HKEY_CURRENT_USER\\Other]\n" + key +
                                "\n\"V\"=\"y\"\n",
         "y"},
        {"later malformed line hides", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n\"V\"=hex:zz\n", std::nullopt},
        {"value deleted", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n\"V\"=-\n", std::nullopt},
        {"key deleted", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n[-HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n",
         std::nullopt},
        {"parent deleted", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n[-hkey_current_user\\software]\n", std::nullopt},
        {"sibling deleted", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n[-HKEY_CURRENT_USER\\Software\\Kestrun\\Tol]\n",
         "x"},
        {"deleted then made again", "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n\"W\"=\"w\"\n[-" + key.substr(1) + "\n" +
                                        key + "\n\"V\"=\"z\"\n",
         "z"},
        {"deleted then made again without it",
         "REGEDIT4\n" + key + "\n\"V\"=\"x\"\n[-" + key.substr(1) + "\n" + key + "\n\"W\"=\"w\"\n", std::nullopt},
        {"value of a sub key", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\Sub]\n\"V\"=\"x\"\n",
         std::nullopt},
        {"value of another root", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Kestrun\\Tolvane]\n\"V\"=\"x\"\n",
         std::nullopt},
        {"value before any key", "REGEDIT4\n\"V\"=\"x\"\n" + key + "\n", std::nullopt},
        {"abbreviated root ends the section", "REGEDIT4\n" + key + "\n[HKCU\\Software\\Kestrun\\Tolvane]\n\"V\"=\"x\"\n",
         std::nullopt},
        {"unknown lines pass", "REGEDIT4\n" + key + "\nwhat is this\n=\"x\"\n\"V\"=\"x\"\n", "x"},
        {"continued byte list", "REGEDIT4\n" + key + "\n\"V\"=hex(1):61,\\\n  62,\\\r\n\t63\n", "abc"},
        {"continuation with blanks", "REGEDIT4\n" + key + "\n\"V\"=hex(1):61 , \\  \n    62\n", "ab"},
        {"continuation needs the comma", "REGEDIT4\n" + key + "\n\"V\"=hex(1):61\\\n  62\n", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(c.file);
        auto got = Query("V");
        if (c.v) {
            EXPECT_EQ(got, (Stored{vcl::REG_SZ, *c.v}));
        } else {
            EXPECT_EQ(got, std::nullopt);
        }
    }
}

TEST_F(RegistryRead, KeyExistence) {
    struct Case {
        const char* file;
        bool exists;
    };
    const Case cases[] = {
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n", true},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\Deeper]\n", true},  // made with its path
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun]\n", false},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\Deeper]\n[-HKEY_CURRENT_USER\\Software\\Kestrun"
         "\\Tolvane\\Deeper]\n",
         true},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n[-HKEY_CURRENT_USER\\Software]\n", false},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane\\]\n", false},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\\\Kestrun\\Tolvane]\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile(c.file);
        vcl::HKEY key = nullptr;
        vcl::LONG rc = vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, regtest::kSubKey, 0, vcl::KEY_ALL_ACCESS, &key);
        EXPECT_EQ(rc, c.exists ? vcl::ERROR_SUCCESS : vcl::ERROR_FILE_NOT_FOUND);
        if (rc == vcl::ERROR_SUCCESS) {
            EXPECT_EQ(vcl::RegCloseKey(key), vcl::ERROR_SUCCESS);
        }
    }
}

TEST_F(RegistryRead, NamesIgnoreAsciiCaseOnly) {
    struct Case {
        const char* stored;
        const char* asked;
        bool match;
    };
    const Case cases[] = {
        {"EMAIL", "Email", true},
        {"e-Mail_1", "E-MAIL_1", true},
        {"\xC3\x84pp", "\xC3\xA4pp", false},  // UTF-8 letters are not folded
        {"\xC4pp", "\xE4pp", false},          // nor 8-bit ones
        {"Email ", "Email", false},
        {"[@]", "[@]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteFile(kHead + "\"" + c.stored + "\"=\"x\"\n");
        EXPECT_EQ(Query(c.asked).has_value(), c.match);
    }
}

TEST_F(RegistryRead, DefaultValue) {
    WriteFile(kHead + "@=\"d\"\n\"@\"=\"at\"\n");
    EXPECT_EQ(Query(""), (Stored{vcl::REG_SZ, "d"}));
    EXPECT_EQ(Query("@"), (Stored{vcl::REG_SZ, "at"}));
    vcl::HKEY key = nullptr;
    ASSERT_EQ(vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, regtest::kSubKey, 0, vcl::KEY_READ, &key), vcl::ERROR_SUCCESS);
    vcl::DWORD size = 0;
    EXPECT_EQ(vcl::RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size), vcl::ERROR_SUCCESS);
    EXPECT_EQ(size, 1u);
    vcl::RegCloseKey(key);
}

// regedit's own export format: UTF-16LE with a byte-order mark and CRLF.
TEST_F(RegistryRead, Utf16FileIsReadAsUtf8AndWrittenBackAs8Bit) {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n"
                          u"[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\r\n"
                          u"\"Email\"=\"C:\\\\Post\\\\caf\u00e9 \U0001F600.exe\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    WriteFile(bytes);
    EXPECT_EQ(ReadSetting("Email"), "C:\\Post\\caf\xC3\xA9 \xF0\x9F\x98\x80.exe");

    WriteSetting("Browser", "b");
    EXPECT_EQ(FileText(), "Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\r\n"
                          "\"Email\"=\"C:\\\\Post\\\\caf\xC3\xA9 \xF0\x9F\x98\x80.exe\"\r\n"
                          "\"Browser\"=\"b\"\n");
}

// A big file is read in one linear pass; a quadratic step would not finish.
TEST_F(RegistryRead, FiftyMegabyteFiles) {
    std::string file = kHead;
    file.reserve(51u << 20);
    for (int i = 0; file.size() < (50u << 20); ++i)
        file += "\"Filler" + std::to_string(i) + "\"=hex:00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff\n";
    file += "\"Browser\"=\"found\"\n";
    WriteFile(file);
    EXPECT_EQ(ReadSetting("Browser"), "found");
    EXPECT_EQ(Query("Filler7"), (Stored{vcl::REG_BINARY, Bytes({0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                                                                0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff})}));
    WriteSetting("Email", "m");
    EXPECT_EQ(FileText(), file + "\"Email\"=\"m\"\n");

    // One giant continued byte list.
    std::string list = kHead + "\"Blob\"=hex:00";
    std::size_t lines = 0;
    for (; list.size() < (50u << 20); ++lines)
        list += ",\\\n  01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16";
    list += "\n\"Browser\"=\"after\"\n";
    WriteFile(list);
    EXPECT_EQ(ReadSetting("Browser"), "after");
    auto blob = Query("Blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->bytes.size(), 1 + 22 * lines);
    EXPECT_EQ(blob->bytes.substr(blob->bytes.size() - 2), "\x15\x16");

    // Garbage of the same size, no line ends at all.
    WriteFile(std::string(50u << 20, '\x01'));
    EXPECT_EQ(ReadSetting("Browser"), "");
}

} // namespace
