// The tray icon, its notification record, the mouse messages and the popup menu.
#include <cstring>

#include "unit/app_fixture.h"
#include "platform/winuser.h"

#include "settings/Settingsform.h"
#include "launch/Searchthenet.h"

using vcl::Application;
using vcl::NIM_ADD;
using vcl::NIM_DELETE;
using vcl::NIM_MODIFY;

class TrayTest : public AppFixture {};

TEST_F(TrayTest, RecordHoldsTheFieldsOfEachRequestByteForByte) {
    Start();
    for (unsigned request : {NIM_ADD, NIM_MODIFY, NIM_DELETE}) {
        vcl::NOTIFYICONDATAA d = Form1->TrayRecord(request);
        unsigned char bytes[88];
        std::memcpy(bytes, &d, sizeof bytes);
        auto word = [&](int offset) {
            return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
                   std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
        };
        EXPECT_EQ(word(0), 88u);
        EXPECT_EQ(word(4), Form1->Handle());
        EXPECT_NE(word(4), 0u);
        EXPECT_EQ(word(8), 1006u);
        EXPECT_EQ(word(12), 7u);
        EXPECT_EQ(word(16), 32868u);
        if (request == NIM_MODIFY) {
            EXPECT_EQ(word(20), Form1->GetTrayIcon());
            EXPECT_NE(word(20), 0u);
            EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes + 24)), "Kestrun Tolvane!");
        } else {
            EXPECT_EQ(word(20), 0u);
            EXPECT_EQ(bytes[24], 0);
        }
        for (int i = 24 + 17; i < 88; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
}

TEST_F(TrayTest, TipIsCutToSixtyThreeBytesAndEndedByZero) {
    char tip[64];
    std::memset(tip, 'x', sizeof tip);
    std::string longTip(100, 'a');
    vcl::lstrcpynA(tip, longTip.c_str(), sizeof tip);
    EXPECT_EQ(std::strlen(tip), 63u);
    EXPECT_EQ(tip[63], '\0');
}

TEST_F(TrayTest, StartRegistersAddThenModifyAndTheIconCarriesTheTip) {
    Start();
    ASSERT_EQ(backend->trayRequests.size(), 2u);
    EXPECT_EQ(backend->trayRequests[0].request, NIM_ADD);
    EXPECT_EQ(backend->trayRequests[1].request, NIM_MODIFY);
    EXPECT_TRUE(backend->trayRequests[0].accepted && backend->trayRequests[1].accepted);
    const auto& icon = backend->trayIcons.begin()->second;
    EXPECT_STREQ(icon.szTip, "Kestrun Tolvane!");
    EXPECT_EQ(icon.hIcon, Form1->GetTrayIcon());
}

TEST_F(TrayTest, HiddenCheckBoxAddIsRefusedAndTheModifySendsIconAgain) {
    Start();
    backend->trayRequests.clear();
    Form1->CheckBox1Click(Form1->CheckBox1);
    ASSERT_EQ(backend->trayRequests.size(), 2u);
    EXPECT_FALSE(backend->trayRequests[0].accepted);
    EXPECT_TRUE(backend->trayRequests[1].accepted);
    EXPECT_EQ(backend->trayIcons.size(), 1u);
}

struct MouseCase {
    vcl::LPARAM lParam;
    bool cursorReadable;
    std::vector<unsigned> trayRequests;
    std::vector<std::string> log;
};

class TrayMouse : public AppFixture, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(TrayMouse, MessageActsAsItsTableSays) {
    const MouseCase& c = GetParam();
    Start();
    backend->trayRequests.clear();
    backend->cursorReadable = c.cursorReadable;
    backend->cursor = {640, 750};
    Form1->Perform(32868, 1006, c.lParam);
    std::vector<unsigned> requests;
    for (const auto& r : backend->trayRequests) requests.push_back(r.request);
    EXPECT_EQ(requests, c.trayRequests);
    EXPECT_EQ(backend->log, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayMouse,
    ::testing::Values(MouseCase{514, true, {NIM_MODIFY}, {}},
                      MouseCase{517, true, {}, {"foreground Form1", "popup PopupMenu1 at 640,750"}},
                      MouseCase{517, false, {}, {"show Form1", "front Form1"}},
                      MouseCase{515, true, {}, {}}, MouseCase{512, true, {}, {}}, MouseCase{513, true, {}, {}},
                      MouseCase{516, true, {}, {}}, MouseCase{520, true, {}, {}}, MouseCase{0, true, {}, {}}));

TEST_F(TrayTest, OtherMessagesGoToTheFormsOwnDispatch) {
    Start();
    backend->trayRequests.clear();
    Form1->Perform(32869, 1006, 514);
    Form1->Perform(0x0200, 0, 514);
    EXPECT_TRUE(backend->trayRequests.empty());
    EXPECT_TRUE(backend->log.empty());
}

// The visible menu as a person sees it: captions, submenus indented.
static void Describe(const vcl::TMenuItem& parent, const std::string& indent, std::vector<std::string>& out) {
    for (const vcl::TMenuItem* item : parent.Items()) {
        if (!item->Visible) continue;
        out.push_back(indent + item->Caption);
        Describe(*item, indent + "  ", out);
    }
}

TEST_F(TrayTest, MenuShowsExactlyTheVisibleItemsInFormOrder) {
    Start();
    std::vector<std::string> shown;
    Describe(Form1->PopupMenu1->Items(), "", shown);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "&Search the Net", "&Dock", "-", "Load &browser", "&Load Email App", "&Net Apps",
                         "  &ICQ", "  &AOL Buddy List", "  &Telnet", "  &Misc Net App", "-", "&Bookmarks",
                         "  &Kestrun R&&D", "  Kestrun Tolvane! ", "  -", "  &Download.com", "  &FreewareFiles",
                         "  &Tucows", "  &Yahoo!", "  &ZD-Net", "-", "Se&ttings", "S&end us feedback!", "&Credits",
                         "&About", "-", "E&xit"}));
    EXPECT_EQ(Form1->PopupMenu1->Items().Items().size(), 18u);
    EXPECT_FALSE(Form1->Ping1->Visible);
    EXPECT_FALSE(Form1->NOTUSED1->Visible);
    EXPECT_FALSE(Form1->ToggleState1->Visible);
    EXPECT_EQ(vcl::StripAccelerator(Form1->KestrunRD1->Caption), "Kestrun R&D");
    EXPECT_EQ(vcl::AcceleratorOf(Form1->KestrunRD1->Caption), 'K');
    EXPECT_EQ(vcl::AcceleratorOf(Form1->TolvaneHomePage1->Caption), 0);
}

TEST_F(TrayTest, EveryCommandItemHasItsHandler) {
    Start();
    std::vector<const vcl::TMenuItem*> pending{&Form1->PopupMenu1->Items()};
    int wired = 0;
    while (!pending.empty()) {
        const vcl::TMenuItem* parent = pending.back();
        pending.pop_back();
        for (const vcl::TMenuItem* item : parent->Items()) {
            bool command = !item->IsSeparator() && item->Items().empty() && item != Form1->NOTUSED1;
            EXPECT_EQ(item->OnClick != nullptr, command) << item->Name;
            wired += command;
            pending.push_back(item);
        }
    }
    EXPECT_EQ(wired, 22); // 14 launches, 5 windows, About, Exit, Toggle State
}

TEST_F(TrayTest, ChosenCommandRunsAfterTheMenuHasClosed) {
    Start();
    backend->onPopup = [](vcl::TPopupMenu&, int, int) { return Form1->Properties1; };
    Form1->Perform(32868, 1006, 517);
    EXPECT_FALSE(Form1->Visible()); // not yet: the command waits in the message queue
    backend->ProcessMessages();
    EXPECT_TRUE(Form1->Visible());
}

TEST_F(TrayTest, RightClickInTheAboutBoxOpensTheSameMenu) {
    Start();
    ShowMainWindow();
    backend->log.clear();
    Form1->ContextPopup(200, 300);
    EXPECT_EQ(backend->log, std::vector<std::string>{"popup PopupMenu1 at 200,300"});
}

TEST_F(TrayTest, CommandForAnOpenWindowShowsTheErrorAndLeavesItOpen) {
    Start();
    int nested = 0;
    backend->onModal = [&](vcl::TForm& form) {
        if (&form != Settings || nested++) return;
        // The person picks "Se&ttings" from the tray while the dialog is open.
        backend->onPopup = [](vcl::TPopupMenu&, int, int) { return Form1->Settings1; };
        Form1->Perform(32868, 1006, 517);
        backend->ProcessMessages();
        EXPECT_TRUE(Settings->Visible());
        EXPECT_EQ(Settings->ModalResult(), vcl::mrNone);
    };
    Form1->Settings1->Click();
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Cannot make a visible window modal."});
    EXPECT_FALSE(Settings->Visible());
}

TEST_F(TrayTest, ExitFromTheTrayWhileADialogIsOpenEndsDialogAndProgram) {
    Start();
    backend->onModal = [&](vcl::TForm&) {
        backend->onPopup = [](vcl::TPopupMenu&, int, int) { return Form1->Shutdown1; };
        Form1->Perform(32868, 1006, 517);
    };
    backend->PostMessage([] { Form1->SearchtheNet1->Click(); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(backend->trayIcons.empty());
    EXPECT_EQ(SearchNet, nullptr);
}
