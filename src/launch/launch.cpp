#include "launch/launch.h"

#include <stdexcept>

#include "platform/backend.h"
#include "settings/settingsstore.h"

void LaunchProgram(const std::string& program, const std::optional<std::string>& parameters) {
    // Empty program text stays empty text; only "no parameters" is none.
    vcl::GetBackend().ShellOpen(program, parameters);
}

const std::array<LaunchCommand, 14> kLaunchCommands = {{
    {"L1", "KestrunRD1Click", "Browser", nullptr, "http://www.kestrun.example/"},
    {"L2", "TolvaneHomePage1Click", "Browser", nullptr, "http://www.kestrun.example/Tolvane/"},
    {"L3", "DownloadSite1Click", "Browser", nullptr, "http://www.download.com"},
    {"L4", "NagFreeSite1Click", "Browser", nullptr, "http://www.freewarefiles.com"},
    {"L5", "SharewareSite1Click", "Browser", nullptr, "http://www.tucows.com"},
    {"L6", "Yahoo1Click", "Browser", nullptr, "http://www.yahoo.com"},
    {"L7", "ZDNet1Click", "Browser", nullptr, "http://www.zdnet.com"},
    {"L8", "Loadbrowser1Click", "Browser", nullptr, nullptr},
    {"L9", "CheckEmail1Click", "Email", nullptr, nullptr},
    {"L10", "ICQ1Click", "ICQ", nullptr, nullptr},
    {"L11", "AOLBuddyList1Click", "AOL", nullptr, nullptr},
    {"L12", "Telnet1Click", "Telnet", nullptr, nullptr},
    {"L13", "MiscNet11Click", "NetApp", nullptr, nullptr},
    {"L14", "Sendusfeedback1Click", nullptr, kFeedbackAddress, nullptr},
}};

const LaunchCommand& LaunchCommandFor(std::string_view handler) {
    for (const LaunchCommand& c : kLaunchCommands)
        if (handler == c.handler) return c;
    throw std::logic_error("no launch command for " + std::string(handler));
}

void RunLaunchCommand(const LaunchCommand& command) {
    std::string program = command.setting ? ReadSetting(command.setting) : std::string(command.program);
    std::optional<std::string> parameters;
    if (command.parameter) parameters = command.parameter;
    LaunchProgram(program, parameters);
}
