#pragma once
// TForm1: the about box, which is the main window, owner of the tray icon and
// of the popup menu whose commands are its handlers.
#include <string>

#include "platform/extctrls.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/shellapi.h"
#include "platform/stdctrls.h"

inline constexpr std::uint32_t TrayIconId = 1006;
inline constexpr unsigned TrayCallbackMessage = vcl::WM_APP + 100; // 32868

class TForm1 : public vcl::TForm {
public:
    static constexpr const char* kDescription = "Form1.dfm";

    vcl::TImage* Image1 = nullptr;
    vcl::TLabel* Label1 = nullptr;
    vcl::TLabel* Label2 = nullptr;
    vcl::TLabel* Label3 = nullptr;
    vcl::TLabel* Label4 = nullptr;
    vcl::TButton* Button1 = nullptr;
    vcl::TCheckBox* CheckBox1 = nullptr;
    vcl::TPopupMenu* PopupMenu1 = nullptr;
    vcl::TMenuItem* SearchtheNet1 = nullptr;
    vcl::TMenuItem* Dock1 = nullptr;
    vcl::TMenuItem* Ping1 = nullptr;
    vcl::TMenuItem* N5 = nullptr;
    vcl::TMenuItem* Loadbrowser1 = nullptr;
    vcl::TMenuItem* CheckEmail1 = nullptr;
    vcl::TMenuItem* NetApp1 = nullptr;
    vcl::TMenuItem* ICQ1 = nullptr;
    vcl::TMenuItem* AOLBuddyList1 = nullptr;
    vcl::TMenuItem* Telnet1 = nullptr;
    vcl::TMenuItem* MiscNet11 = nullptr;
    vcl::TMenuItem* N4 = nullptr;
    vcl::TMenuItem* Bookmarks1 = nullptr;
    vcl::TMenuItem* KestrunRD1 = nullptr;
    vcl::TMenuItem* TolvaneHomePage1 = nullptr;
    vcl::TMenuItem* N3 = nullptr;
    vcl::TMenuItem* DownloadSite1 = nullptr;
    vcl::TMenuItem* NagFreeSite1 = nullptr;
    vcl::TMenuItem* SharewareSite1 = nullptr;
    vcl::TMenuItem* Yahoo1 = nullptr;
    vcl::TMenuItem* ZDNet1 = nullptr;
    vcl::TMenuItem* N2 = nullptr;
    vcl::TMenuItem* Settings1 = nullptr;
    vcl::TMenuItem* Sendusfeedback1 = nullptr;
    vcl::TMenuItem* Credits1 = nullptr;
    vcl::TMenuItem* Properties1 = nullptr;
    vcl::TMenuItem* N1 = nullptr;
    vcl::TMenuItem* Shutdown1 = nullptr;
    vcl::TMenuItem* NOTUSED1 = nullptr;
    vcl::TMenuItem* ToggleState1 = nullptr;
    vcl::TTimer* Timer1 = nullptr;
    vcl::TTimer* Timer2 = nullptr;

    // Start-up and the about box.
    void FormCreate(vcl::TObject* Sender);
    void FormDestroy(vcl::TObject* Sender);
    void Timer1Timer(vcl::TObject* Sender);
    void Timer2Timer(vcl::TObject* Sender);
    void Button1Click(vcl::TObject* Sender);
    void Label1DblClick(vcl::TObject* Sender);
    void Properties1Click(vcl::TObject* Sender);
    void Shutdown1Click(vcl::TObject* Sender);

    // The tray.
    bool NotifyTray(unsigned request);
    vcl::THandle GetTrayIcon();
    std::string GetTrayTip();
    void RefreshTrayIcon();
    void CheckBox1Click(vcl::TObject* Sender);
    void ToggleState1Click(vcl::TObject* Sender);
    void TrayIconEvent(vcl::TMessage& Message);
    void WndProc(vcl::TMessage& Message) override;
    // The record NotifyTray hands over, for the given request.
    vcl::NOTIFYICONDATAA TrayRecord(unsigned request);

    // Windows opened from the menu.
    void SearchtheNet1Click(vcl::TObject* Sender);
    void Dock1Click(vcl::TObject* Sender);
    void Ping1Click(vcl::TObject* Sender);
    void Settings1Click(vcl::TObject* Sender);
    void Credits1Click(vcl::TObject* Sender);

    // Launch commands.
    void KestrunRD1Click(vcl::TObject* Sender);
    void TolvaneHomePage1Click(vcl::TObject* Sender);
    void DownloadSite1Click(vcl::TObject* Sender);
    void NagFreeSite1Click(vcl::TObject* Sender);
    void SharewareSite1Click(vcl::TObject* Sender);
    void Yahoo1Click(vcl::TObject* Sender);
    void ZDNet1Click(vcl::TObject* Sender);
    void Loadbrowser1Click(vcl::TObject* Sender);
    void CheckEmail1Click(vcl::TObject* Sender);
    void ICQ1Click(vcl::TObject* Sender);
    void AOLBuddyList1Click(vcl::TObject* Sender);
    void Telnet1Click(vcl::TObject* Sender);
    void MiscNet11Click(vcl::TObject* Sender);
    void Sendusfeedback1Click(vcl::TObject* Sender);

protected:
    void Bind(vcl::FormBinding& b) override;
};

extern TForm1* Form1;
