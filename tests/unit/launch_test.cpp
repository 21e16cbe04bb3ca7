// The fourteen launch commands of the popup menu, each reading its setting
// at the moment it runs and making exactly one hand-over to the shell.
#include "unit/app_fixture.h"

#include "launch/launch.h"

using vcl::Application;

struct LaunchCase {
    vcl::TMenuItem* TForm1::*item;
    std::string program;
    std::optional<std::string> parameters;
};

class LaunchCommands : public AppFixture, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchCommands, HandOverTheirProgramAndParameterOnce) {
    config.WriteValues({"\"Browser\"=\"/opt/my browser/run\"", "\"Email\"=\"/usr/bin/mail-app\"",
                        "\"ICQ\"=\"/icq\"", "\"AOL\"=\"/aol\"", "\"Telnet\"=\"/usr/bin/telnet -x\"",
                        "\"NetApp\"=\"\""});
    Start();
    const LaunchCase& c = GetParam();
    (Form1->*c.item)->Click();
    ASSERT_EQ(backend->shellRequests.size(), 1u);
    EXPECT_EQ(backend->shellRequests[0].program, c.program);
    EXPECT_EQ(backend->shellRequests[0].parameters, c.parameters);
    EXPECT_TRUE(backend->errorBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LaunchCommands,
    ::testing::Values(
        LaunchCase{&TForm1::KestrunRD1, "/opt/my browser/run", "http://www.kestrun.example/"},
        LaunchCase{&TForm1::TolvaneHomePage1, "/opt/my browser/run", "http://www.kestrun.example/Tolvane/"},
        LaunchCase{&TForm1::DownloadSite1, "/opt/my browser/run", "http://www.download.com"},
        LaunchCase{&TForm1::NagFreeSite1, "/opt/my browser/run", "http://www.freewarefiles.com"},
        LaunchCase{&TForm1::SharewareSite1, "/opt/my browser/run", "http://www.tucows.com"},
        LaunchCase{&TForm1::Yahoo1, "/opt/my browser/run", "http://www.yahoo.com"},
        LaunchCase{&TForm1::ZDNet1, "/opt/my browser/run", "http://www.zdnet.com"},
        LaunchCase{&TForm1::Loadbrowser1, "/opt/my browser/run", std::nullopt},
        LaunchCase{&TForm1::CheckEmail1, "/usr/bin/mail-app", std::nullopt},
        LaunchCase{&TForm1::ICQ1, "/icq", std::nullopt},
        LaunchCase{&TForm1::AOLBuddyList1, "/aol", std::nullopt},
        LaunchCase{&TForm1::Telnet1, "/usr/bin/telnet -x", std::nullopt},
        LaunchCase{&TForm1::MiscNet11, "", std::nullopt},
        LaunchCase{&TForm1::Sendusfeedback1, "mailto:tolvane@kestrun.example", std::nullopt}));

class LaunchTest : public AppFixture {};

TEST_F(LaunchTest, WithoutSettingsEveryCommandStillMakesItsOneCallWithEmptyProgram) {
    Start();
    for (const LaunchCommand& c : kLaunchCommands) RunLaunchCommand(c);
    ASSERT_EQ(backend->shellRequests.size(), 14u);
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(backend->shellRequests[i].program, "") << kLaunchCommands[i].row;
        EXPECT_EQ(backend->shellRequests[i].parameters.has_value(), i < 7) << kLaunchCommands[i].row;
    }
    EXPECT_FALSE(fs::exists(config.RegFile())); // reading created nothing
}

TEST_F(LaunchTest, BookmarkAddressesEndAsTheirRowsSay) {
    for (std::size_t i = 0; i < 7; ++i) {
        std::string address = kLaunchCommands[i].parameter;
        ASSERT_EQ(address.rfind("http://", 0), 0u);
        std::string rest = address.substr(7);
        if (i < 2) EXPECT_EQ(rest.back(), '/') << address;
        else EXPECT_EQ(rest.find('/'), std::string::npos) << address;
    }
}

TEST_F(LaunchTest, SettingChangedBetweenTwoCommandsIsUsedByTheSecond) {
    config.WriteValues({"\"Browser\"=\"/first\""});
    Start();
    Form1->Yahoo1->Click();
    config.WriteValues({"\"Browser\"=\"/second\""});
    Form1->Yahoo1->Click();
    ASSERT_EQ(backend->shellRequests.size(), 2u);
    EXPECT_EQ(backend->shellRequests[0].program, "/first");
    EXPECT_EQ(backend->shellRequests[1].program, "/second");
}

TEST_F(LaunchTest, ValueOfAnotherTypeShowsTheErrorAndLaunchesNothing) {
    config.WriteValues({"\"Browser\"=dword:00000010", "\"Email\"=hex(7):61,00,00"});
    Start();
    // As the menu runs it: through the message loop's dispatch boundary.
    for (vcl::TMenuItem* item : {Form1->ZDNet1, Form1->Loadbrowser1, Form1->CheckEmail1})
        Application->SafeCall([item] { item->Click(); });
    EXPECT_TRUE(backend->shellRequests.empty());
    EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Invalid data type for 'Browser'",
                                                      "Invalid data type for 'Browser'",
                                                      "Invalid data type for 'Email'"}));
    // The feedback mail reads no setting and still works.
    Form1->Sendusfeedback1->Click();
    EXPECT_EQ(backend->shellRequests.size(), 1u);
}
