#include "shell/mainwindow.h"

#include <cstring>

#include "dock/Dock.h"
#include "launch/Searchthenet.h"
#include "launch/launch.h"
#include "platform/sysutils.h"
#include "platform/winuser.h"
#include "settings/Settingsform.h"
#include "settings/settingsstore.h"
#include "windows/Creditspage.h"
#include "windows/Egg1.h"
#include "windows/Ping.h"

using namespace vcl;

TForm1* Form1 = nullptr;

void TForm1::Bind(FormBinding& b) {
    b.Component("Image1", Image1);
    b.Component("Label1", Label1);
    b.Component("Label2", Label2);
    b.Component("Label3", Label3);
    b.Component("Label4", Label4);
    b.Component("Button1", Button1);
    b.Component("CheckBox1", CheckBox1);
    b.Component("PopupMenu1", PopupMenu1);
    b.Component("SearchtheNet1", SearchtheNet1);
    b.Component("Dock1", Dock1);
    b.Component("Ping1", Ping1);
    b.Component("N5", N5);
    b.Component("Loadbrowser1", Loadbrowser1);
    b.Component("CheckEmail1", CheckEmail1);
    b.Component("NetApp1", NetApp1);
    b.Component("ICQ1", ICQ1);
    b.Component("AOLBuddyList1", AOLBuddyList1);
    b.Component("Telnet1", Telnet1);
    b.Component("MiscNet11", MiscNet11);
    b.Component("N4", N4);
    b.Component("Bookmarks1", Bookmarks1);
    b.Component("KestrunRD1", KestrunRD1);
    b.Component("TolvaneHomePage1", TolvaneHomePage1);
    b.Component("N3", N3);
    b.Component("DownloadSite1", DownloadSite1);
    b.Component("NagFreeSite1", NagFreeSite1);
    b.Component("SharewareSite1", SharewareSite1);
    b.Component("Yahoo1", Yahoo1);
    b.Component("ZDNet1", ZDNet1);
    b.Component("N2", N2);
    b.Component("Settings1", Settings1);
    b.Component("Sendusfeedback1", Sendusfeedback1);
    b.Component("Credits1", Credits1);
    b.Component("Properties1", Properties1);
    b.Component("N1", N1);
    b.Component("Shutdown1", Shutdown1);
    b.Component("NOTUSED1", NOTUSED1);
    b.Component("ToggleState1", ToggleState1);
    b.Component("Timer1", Timer1);
    b.Component("Timer2", Timer2);

    b.Handler("FormCreate", this, &TForm1::FormCreate);
    b.Handler("FormDestroy", this, &TForm1::FormDestroy);
    b.Handler("Timer1Timer", this, &TForm1::Timer1Timer);
    b.Handler("Timer2Timer", this, &TForm1::Timer2Timer);
    b.Handler("Button1Click", this, &TForm1::Button1Click);
    b.Handler("Label1DblClick", this, &TForm1::Label1DblClick);
    b.Handler("Properties1Click", this, &TForm1::Properties1Click);
    b.Handler("Shutdown1Click", this, &TForm1::Shutdown1Click);
    b.Handler("CheckBox1Click", this, &TForm1::CheckBox1Click);
    b.Handler("ToggleState1Click", this, &TForm1::ToggleState1Click);
    b.Handler("SearchtheNet1Click", this, &TForm1::SearchtheNet1Click);
    b.Handler("Dock1Click", this, &TForm1::Dock1Click);
    b.Handler("Ping1Click", this, &TForm1::Ping1Click);
    b.Handler("Settings1Click", this, &TForm1::Settings1Click);
    b.Handler("Credits1Click", this, &TForm1::Credits1Click);
    b.Handler("KestrunRD1Click", this, &TForm1::KestrunRD1Click);
    b.Handler("TolvaneHomePage1Click", this, &TForm1::TolvaneHomePage1Click);
    b.Handler("DownloadSite1Click", this, &TForm1::DownloadSite1Click);
    b.Handler("NagFreeSite1Click", this, &TForm1::NagFreeSite1Click);
    b.Handler("SharewareSite1Click", this, &TForm1::SharewareSite1Click);
    b.Handler("Yahoo1Click", this, &TForm1::Yahoo1Click);
    b.Handler("ZDNet1Click", this, &TForm1::ZDNet1Click);
    b.Handler("Loadbrowser1Click", this, &TForm1::Loadbrowser1Click);
    b.Handler("CheckEmail1Click", this, &TForm1::CheckEmail1Click);
    b.Handler("ICQ1Click", this, &TForm1::ICQ1Click);
    b.Handler("AOLBuddyList1Click", this, &TForm1::AOLBuddyList1Click);
    b.Handler("Telnet1Click", this, &TForm1::Telnet1Click);
    b.Handler("MiscNet11Click", this, &TForm1::MiscNet11Click);
    b.Handler("Sendusfeedback1Click", this, &TForm1::Sendusfeedback1Click);
}

// ---- Start-up and the about box -------------------------------------------

void TForm1::FormCreate(TObject*) {
    // Every index, the program's own path at 0 included; several matches act as one.
    for (int i = 0; i <= ParamCount(); ++i)
        if (LowerCase(ParamStr(i)) == "-ns") Timer1->SetEnabled(true);

    NotifyTray(NIM_ADD);
    NotifyTray(NIM_MODIFY);

    if (FlagIsOn(ReadSetting(SettingNames::Splash))) Timer1->SetEnabled(true);
    Timer2->SetEnabled(FlagIsOn(ReadSetting(SettingNames::AutoDock)));
}

void TForm1::FormDestroy(TObject*) { NotifyTray(NIM_DELETE); }

void TForm1::Timer1Timer(TObject*) { Hide(); }

void TForm1::Timer2Timer(TObject*) {}

void TForm1::Button1Click(TObject*) { Hide(); }

void TForm1::Label1DblClick(TObject*) { Egg->ShowModal(); }

void TForm1::Properties1Click(TObject*) {
    Show();
    BringToFront();
}

void TForm1::Shutdown1Click(TObject*) { Close(); }

// ---- The tray ---------------------------------------------------------------

NOTIFYICONDATAA TForm1::TrayRecord(unsigned request) {
    std::string tip = GetTrayTip();
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = sizeof(NOTIFYICONDATAA);
    data.hWnd = Handle();
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    if (request == NIM_MODIFY) {
        data.hIcon = GetTrayIcon();
        lstrcpynA(data.szTip, tip.c_str(), sizeof data.szTip);
    }
    return data;
}

bool TForm1::NotifyTray(unsigned request) {
    NOTIFYICONDATAA data = TrayRecord(request);
    return Shell_NotifyIconA(request, &data) != 0;
}

THandle TForm1::GetTrayIcon() { return Image1->Icon().Handle(); }

std::string TForm1::GetTrayTip() { return "Kestrun Tolvane!"; }

void TForm1::RefreshTrayIcon() { NotifyTray(NIM_MODIFY); }

void TForm1::CheckBox1Click(TObject*) {
    NotifyTray(NIM_ADD);
    NotifyTray(NIM_MODIFY);
}

void TForm1::ToggleState1Click(TObject*) { RefreshTrayIcon(); }

void TForm1::TrayIconEvent(TMessage& Message) {
    switch (Message.LParam) {
    case WM_LBUTTONUP:
        RefreshTrayIcon();
        break;
    case WM_RBUTTONUP: {
        TPoint pos;
        if (GetCursorPos(&pos)) {
            SetForegroundWindow(Handle());
            PopupMenu1->Popup(pos.x, pos.y);
        } else {
            Properties1Click(this);
        }
        break;
    }
    default:
        break;
    }
}

void TForm1::WndProc(TMessage& Message) {
    if (Message.Msg == TrayCallbackMessage) TrayIconEvent(Message);
    TForm::WndProc(Message);
}

// ---- Windows opened from the menu ------------------------------------------

void TForm1::SearchtheNet1Click(TObject*) { SearchNet->ShowModal(); }
void TForm1::Dock1Click(TObject*) { dockit->ShowModal(); }
void TForm1::Ping1Click(TObject*) { PingIt->ShowModal(); }
void TForm1::Settings1Click(TObject*) { Settings->ShowModal(); }
void TForm1::Credits1Click(TObject*) { Credits->ShowModal(); }

// ---- Launch commands: one row of the launch table each -----------------------

void TForm1::KestrunRD1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("KestrunRD1Click")); }
void TForm1::TolvaneHomePage1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("TolvaneHomePage1Click")); }
void TForm1::DownloadSite1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("DownloadSite1Click")); }
void TForm1::NagFreeSite1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("NagFreeSite1Click")); }
void TForm1::SharewareSite1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("SharewareSite1Click")); }
void TForm1::Yahoo1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("Yahoo1Click")); }
void TForm1::ZDNet1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("ZDNet1Click")); }
void TForm1::Loadbrowser1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("Loadbrowser1Click")); }
void TForm1::CheckEmail1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("CheckEmail1Click")); }
void TForm1::ICQ1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("ICQ1Click")); }
void TForm1::AOLBuddyList1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("AOLBuddyList1Click")); }
void TForm1::Telnet1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("Telnet1Click")); }
void TForm1::MiscNet11Click(TObject*) { RunLaunchCommand(LaunchCommandFor("MiscNet11Click")); }
void TForm1::Sendusfeedback1Click(TObject*) { RunLaunchCommand(LaunchCommandFor("Sendusfeedback1Click")); }
