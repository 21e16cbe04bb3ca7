#pragma once
// A headless run of the program: a temporary settings folder, the headless
// backend, the application object and the seven forms.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/headless/headless.h"
#include "platform/sysutils.h"
#include "shell/mainwindow.h"
#include "shell/program.h"

namespace fs = std::filesystem;

// XDG_CONFIG_HOME pointed at a fresh folder for the test's lifetime.
class TempConfig {
public:
    TempConfig() {
        char pattern[] = "/tmp/tolvane-test-XXXXXX";
        dir_ = mkdtemp(pattern);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) old_ = old;
        hadOld_ = old != nullptr;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    ~TempConfig() {
        if (hadOld_) setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path Dir() const { return dir_; }
    fs::path RegFile() const { return dir_ / "Kestrun" / "Tolvane.reg"; }
    // Writes the settings key with the given value lines ("\"Name\"=...").
    void WriteValues(const std::vector<std::string>& valueLines) const {
        fs::create_directories(RegFile().parent_path());
        std::ofstream out(RegFile(), std::ios::binary);
        out << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrun\\Tolvane]\n";
        for (const auto& line : valueLines) out << line << "\n";
    }

private:
    fs::path dir_;
    std::string old_;
    bool hadOld_ = false;
};

class AppFixture : public ::testing::Test {
protected:
    TempConfig config;
    std::unique_ptr<vcl::HeadlessBackend> backend;
    std::unique_ptr<vcl::TApplication> app;

    // Starts the program as far as the message loop, with these command-line words.
    void Start(const std::vector<std::string>& params = {}) {
        vcl::SetCommandLine("/usr/bin/tolvane", params);
        backend = std::make_unique<vcl::HeadlessBackend>();
        app = std::make_unique<vcl::TApplication>();
        CreateApplicationForms();
    }
    // Shows the main window as the message loop does when it starts.
    void ShowMainWindow() { vcl::Application->MainForm()->Show(); }

    void TearDown() override {
        app.reset();
        backend.reset();
    }

    std::vector<std::string> ErrorTexts() const {
        std::vector<std::string> out;
        for (const auto& box : backend->errorBoxes) out.push_back(box.text);
        return out;
    }
};
