#pragma once
// The backend for tests: no window system. Posted messages wait in a queue,
// timers run on a virtual clock, modal loops run what the test scripted, and
// the error box, the tray and the popup menu are recorded.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/shellapi.h"

namespace vcl {

class HeadlessBackend : public Backend {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    struct ErrorBox {
        std::string caption;
        std::string text;
    };
    struct TrayRequest {
        unsigned request;
        NOTIFYICONDATAA data;
        bool accepted;
    };

    // What happened, in order: "show Form1", "hide Form1", "front Form1",
    // "foreground Form1", "popup PopupMenu1 at 10,20", "modal Settings".
    std::vector<std::string> log;
    std::vector<ErrorBox> errorBoxes;
    std::vector<TrayRequest> trayRequests;
    // Icons currently in the notification area, by window handle and id.
    std::map<std::pair<std::uint32_t, std::uint32_t>, NOTIFYICONDATAA> trayIcons;

    struct ShellRequest {
        std::string program;
        std::optional<std::string> parameters;
    };
    std::vector<ShellRequest> shellRequests;
    // Also start the program for real (tests of the shell stand-in).
    bool shellPassThrough = false;

    bool cursorReadable = true;
    TPoint cursor{300, 580};
    // Chooses an item of a popup menu (the person's pick); none when unset.
    std::function<TMenuItem*(TPopupMenu&, int x, int y)> onPopup;
    // Runs inside each modal loop, as the person using the window would.
    std::function<void(TForm&)> onModal;

    // Runs every posted message, including those posted meanwhile.
    void ProcessMessages();
    // Moves the virtual clock on, firing due timers in order.
    void Advance(unsigned ms);
    unsigned long long Now() const { return now_; }
    bool TimerScheduled(const TTimer& timer) const { return due_.count(const_cast<TTimer*>(&timer)) != 0; }

    void ControlChanged(TControl&) override {}
    void FormShow(TForm& form) override;
    void FormHide(TForm& form) override;
    void FormBringToFront(TForm& form) override;
    void FormDestroyed(TForm&) override {}
    void RunMainLoop() override;
    void RunModalLoop(TForm& form) override;
    void WakeLoops() override {}
    void PostMessage(std::function<void()> message) override;
    void TimerChanged(TTimer& timer) override;
    void TimerDestroyed(TTimer& timer) override;
    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    bool NotifyIcon(unsigned request, const NOTIFYICONDATAA& data) override;
    bool CursorPos(TPoint& point) override;
    void SetForeground(TForm& form) override;
    TMenuItem* TrackPopup(TPopupMenu& menu, int x, int y) override;
    TRect ScreenRect() override { return {0, 0, 1024, 768}; }
    void ShellOpen(const std::string& program, const std::optional<std::string>& parameters) override;

private:
    std::deque<std::function<void()>> queue_;
    std::map<TTimer*, unsigned long long> due_;
    unsigned long long now_ = 0;
};

} // namespace vcl
