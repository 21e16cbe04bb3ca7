#pragma once
// A fresh XDG_CONFIG_HOME per test, so every registry test starts without a
// settings file and leaves nothing behind, plus small helpers to look at the
// file the way a person would.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace regtest {

namespace fs = std::filesystem;

inline constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane";
inline constexpr const char* kSubKey = "Software\\Kestrun\\Tolvane";

inline std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return std::move(all).str();
}

inline void WriteBytes(const fs::path& p, std::string_view bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct Stored {
    vcl::DWORD type;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

// Type and data of a value of the settings key, or nothing when the key or
// value cannot be read.
inline std::optional<Stored> Query(const std::string& name, const char* subKey = kSubKey) {
    vcl::HKEY key = nullptr;
    if (vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, subKey, 0, vcl::KEY_READ, &key) != vcl::ERROR_SUCCESS)
        return std::nullopt;
    Stored out{};
    vcl::DWORD size = 0;
    std::optional<Stored> result;
    if (vcl::RegQueryValueExA(key, name.c_str(), nullptr, &out.type, nullptr, &size) == vcl::ERROR_SUCCESS) {
        out.bytes.resize(size);
        if (vcl::RegQueryValueExA(key, name.c_str(), nullptr, &out.type,
                                  reinterpret_cast<vcl::BYTE*>(out.bytes.data()), &size) == vcl::ERROR_SUCCESS)
            result = out;
    }
    vcl::RegCloseKey(key);
    return result;
}

inline vcl::LONG Store(const std::string& name, vcl::DWORD type, const std::string& bytes,
                       const char* subKey = kSubKey) {
    vcl::HKEY key = nullptr;
    vcl::LONG rc = vcl::RegCreateKeyExA(vcl::HKEY_CURRENT_USER, subKey, 0, nullptr, vcl::REG_OPTION_NON_VOLATILE,
                                        vcl::KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != vcl::ERROR_SUCCESS) return rc;
    rc = vcl::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const vcl::BYTE*>(bytes.data()),
                             static_cast<vcl::DWORD>(bytes.size()));
    vcl::RegCloseKey(key);
    return rc;
}

// Running as root, permission bits stop nothing; tests that need a refusal
// use other means then.
inline bool RunningAsRoot() { return ::geteuid() == 0; }

class ConfigHome : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
        std::string pattern = (fs::temp_directory_path() / "tolvane-reg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        home_ = root_ / "config";
        fs::create_directory(home_);
        ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
    }

    void TearDown() override {
        if (saved_)
            ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it); it.increment(ec))
            if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }

    fs::path Root() const { return root_; }  // scratch space beside the config folder
    fs::path Home() const { return home_; }
    fs::path Folder() const { return home_ / "Kestrun"; }
    fs::path File() const { return Folder() / "Tolvane.reg"; }

    void WriteFile(std::string_view bytes) const { WriteBytes(File(), bytes); }
    std::string FileText() const { return ReadBytes(File()); }

    // Everything in the Kestrun folder except the data and lock files.
    std::vector<std::string> Leftovers(const fs::path& dir) const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir, ec)) {
            auto name = e.path().filename().string();
            if (name != "Tolvane.reg" && name != "Tolvane.reg.lock") names.push_back(name);
        }
        return names;
    }

private:
    std::optional<std::string> saved_;
    fs::path root_, home_;
};

} // namespace regtest
