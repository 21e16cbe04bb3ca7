// Start-up: the seven windows, the "-ns" switch, the "Splash" and "AutoDock"
// switches, the hide timer and the about box's own buttons.
#include "unit/app_fixture.h"

#include "dock/Dock.h"
#include "launch/Searchthenet.h"
#include "settings/Settingsform.h"
#include "windows/Creditspage.h"
#include "windows/Egg1.h"
#include "windows/Ping.h"

using vcl::Application;

class StartupTest : public AppFixture {};

TEST_F(StartupTest, CreatesTheSevenWindowsInOrderWithTheMainWindowFirst) {
    Start();
    std::vector<std::string> names;
    for (vcl::TForm* f : Application->Forms()) names.push_back(f->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Form1", "SearchNet", "Settings", "Credits", "Egg", "PingIt", "dockit"}));
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_EQ(Application->Title, "Kestrun Tolvane!");
    for (vcl::TForm* f : Application->Forms()) EXPECT_FALSE(f->Visible()) << f->Name;
    EXPECT_TRUE(SearchNet && Settings && Credits && Egg && PingIt && dockit);
    EXPECT_TRUE(backend->errorBoxes.empty());
}

TEST_F(StartupTest, AboutBoxMatchesItsDesign) {
    Start();
    EXPECT_EQ(Form1->Caption(), "Kestrun Tolvane!");
    EXPECT_EQ(Form1->ClientWidth(), 284);
    EXPECT_EQ(Form1->ClientHeight(), 134);
    EXPECT_EQ(Form1->BorderStyle(), vcl::TFormBorderStyle::Single);
    EXPECT_FALSE(Form1->HasBorderIcon(vcl::TBorderIcon::SystemMenu));
    EXPECT_FALSE(Form1->HasBorderIcon(vcl::TBorderIcon::Minimize));
    EXPECT_FALSE(Form1->HasBorderIcon(vcl::TBorderIcon::Maximize));
    EXPECT_EQ(Form1->Position(), vcl::TPosition::ScreenCenter);
    EXPECT_EQ(Form1->PopupMenu(), Form1->PopupMenu1);
    EXPECT_EQ(Form1->Label1->Font().Name, "Times New Roman");
    EXPECT_EQ(Form1->Label1->Font().Height, -29);
    EXPECT_EQ(Form1->Label2->Caption(), "v1.01 for Windows 95");
    EXPECT_EQ(Form1->Label2->Font().Height, -13);
    EXPECT_EQ(Form1->Label3->Font().Name, "Default"); // the window's font
    EXPECT_EQ(Form1->Button1->Caption(), "&Ok");
    EXPECT_EQ(vcl::AcceleratorOf(Form1->Button1->Caption()), 'O');
    EXPECT_FALSE(Form1->CheckBox1->Visible());
    EXPECT_TRUE(Form1->CheckBox1->Checked());
    EXPECT_FALSE(Form1->Image1->Visible());
    EXPECT_EQ(Form1->Image1->Icon().Resources().size(), 2u);
}

struct SwitchCase {
    std::string programPath;
    std::vector<std::string> params;
    std::vector<std::string> values; // value lines of the settings key; empty: no key at all
    bool hideTimer;
    bool autoDockTimer;
};

class StartupSwitches : public AppFixture, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(StartupSwitches, DecideTheTimers) {
    const SwitchCase& c = GetParam();
    if (!c.values.empty()) config.WriteValues(c.values);
    vcl::SetCommandLine(c.programPath, c.params);
    backend = std::make_unique<vcl::HeadlessBackend>();
    app = std::make_unique<vcl::TApplication>();
    CreateApplicationForms();
    EXPECT_EQ(Form1->Timer1->Enabled(), c.hideTimer);
    EXPECT_EQ(Form1->Timer2->Enabled(), c.autoDockTimer);
    EXPECT_TRUE(backend->errorBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupSwitches,
    ::testing::Values(
        SwitchCase{"/usr/bin/tolvane", {}, {}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"-ns"}, {}, true, false},
        SwitchCase{"/usr/bin/tolvane", {"-NS"}, {}, true, false},
        SwitchCase{"/usr/bin/tolvane", {"-Ns"}, {}, true, false},
        SwitchCase{"/usr/bin/tolvane", {"\"-ns\""}, {}, true, false},
        SwitchCase{"/usr/bin/tolvane", {"/ns"}, {}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"--ns"}, {}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"-nosplash"}, {}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"-ns:1"}, {}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"x", "-ns", "-NS", "y"}, {}, true, false},
        SwitchCase{"-ns", {}, {}, true, false}, // index 0 is scanned too
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=\"YES\""}, true, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"splash\"=\"YES\""}, true, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=\"yes\""}, false, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=\"Yes\""}, false, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=\"YES \""}, false, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=\"\""}, false, false},
        SwitchCase{"/usr/bin/tolvane", {"-ns"}, {"\"Splash\"=\"NO\""}, true, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"Splash\"=hex(2):59,45,53"}, true, false},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"AutoDock\"=\"YES\""}, false, true},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"AutoDock\"=\"YES\"", "\"Splash\"=\"YES\""}, true, true},
        SwitchCase{"/usr/bin/tolvane", {}, {"\"AutoDock\"=\"yes\""}, false, false}));

TEST_F(StartupTest, SplashOfAnotherTypeShowsTheErrorAndStartUpGoesOn) {
    config.WriteValues({"\"Splash\"=dword:00000001", "\"AutoDock\"=\"YES\""});
    Start({"-ns"});
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Invalid data type for 'Splash'"});
    EXPECT_EQ(backend->errorBoxes[0].caption, "Kestrun Tolvane!");
    EXPECT_TRUE(Form1->Timer1->Enabled());  // the command line had set it
    EXPECT_FALSE(Form1->Timer2->Enabled()); // never reached
    EXPECT_EQ(backend->trayIcons.size(), 1u); // registered before the failing read
    EXPECT_EQ(Application->Forms().size(), 7u);
}

TEST_F(StartupTest, AutoDockOfAnotherTypeLeavesItsTimerOff) {
    config.WriteValues({"\"AutoDock\"=hex:59,45,53", "\"Splash\"=\"YES\""});
    Start();
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Invalid data type for 'AutoDock'"});
    EXPECT_TRUE(Form1->Timer1->Enabled());
    EXPECT_FALSE(Form1->Timer2->Enabled());
}

TEST_F(StartupTest, WithoutSwitchesTheAboutBoxStaysUntilOk) {
    Start();
    ShowMainWindow();
    backend->Advance(60000);
    EXPECT_TRUE(Form1->Visible());
    Form1->Button1->Click();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(backend->trayIcons.size(), 1u); // hiding leaves the tray icon
}

TEST_F(StartupTest, HideTimerHidesAtItsFirstTickAndAfterEveryAbout) {
    Start({"-ns"});
    ShowMainWindow();
    EXPECT_TRUE(Form1->Visible());
    // A 1-ms timer ticks no sooner than after 55 ms.
    backend->Advance(54);
    EXPECT_TRUE(Form1->Visible());
    backend->Advance(1);
    EXPECT_FALSE(Form1->Visible());
    Form1->Properties1Click(Form1);
    EXPECT_TRUE(Form1->Visible());
    backend->Advance(55);
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Form1->Timer1->Enabled()); // nothing switches it off
}

TEST_F(StartupTest, TimersNeverTickFasterThanFiftyFiveMilliseconds) {
    config.WriteValues({"\"AutoDock\"=\"YES\""});
    Start();
    int ticks = 0;
    Form1->Timer2->OnTimer = [&](vcl::TObject*) { ++ticks; };
    backend->Advance(1000);
    EXPECT_EQ(ticks, 1000 / 55);
}

TEST_F(StartupTest, ExitEndsTheProgramAndRemovesTheTrayIcon) {
    Start();
    ASSERT_EQ(backend->trayIcons.size(), 1u);
    backend->PostMessage([] { Form1->Shutdown1Click(Form1); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(backend->trayIcons.empty());
    EXPECT_EQ(backend->trayRequests.back().request, vcl::NIM_DELETE);
    EXPECT_TRUE(backend->trayRequests.back().accepted);
    EXPECT_EQ(Form1, nullptr); // every window destroyed
}

TEST_F(StartupTest, TitleDoubleClickOpensTheGreetingWindowModally) {
    Start();
    ShowMainWindow();
    bool wasVisible = false;
    backend->onModal = [&](vcl::TForm& f) { wasVisible = (&f == Egg) && f.Visible() && f.Modal(); };
    Form1->Label1->DblClick();
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(Egg->Visible());
}
