#pragma once
// What the model needs from a windowing system. The Qt backend draws the model
// on screen; the headless backend (tests) queues, records and scripts instead.
#include <functional>
#include <optional>
#include <string>

#include "platform/types.h"

namespace vcl {

class TControl;
class TForm;
class TTimer;
class TPopupMenu;
class TMenuItem;
struct NOTIFYICONDATAA;

class Backend {
public:
    virtual ~Backend() = default;

    // Peers. The control's state changed; a control without a peer ignores it.
    virtual void ControlChanged(TControl& control) = 0;
    virtual void FormShow(TForm& form) = 0;
    virtual void FormHide(TForm& form) = 0;
    virtual void FormBringToFront(TForm& form) = 0;
    virtual void FormDestroyed(TForm& form) = 0;

    // Loops. RunMainLoop returns once Application->Terminated(); RunModalLoop
    // once the form's ModalResult is set or the application terminates.
    virtual void RunMainLoop() = 0;
    virtual void RunModalLoop(TForm& form) = 0;
    virtual void WakeLoops() = 0; // the condition of a running loop may have changed
    virtual void PostMessage(std::function<void()> message) = 0;

    virtual void TimerChanged(TTimer& timer) = 0;
    virtual void TimerDestroyed(TTimer& timer) = 0;

    virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;

    // The notification area; true when the request was accepted.
    virtual bool NotifyIcon(unsigned request, const NOTIFYICONDATAA& data) = 0;
    virtual bool CursorPos(TPoint& point) = 0;
    virtual void SetForeground(TForm& form) = 0;
    // Shows the menu at the point; returns the chosen item, or null.
    virtual TMenuItem* TrackPopup(TPopupMenu& menu, int x, int y) = 0;
    virtual TRect ScreenRect() = 0;

    // The shell's "open": program text and parameter text (or none). Backends
    // start it for real; the headless one records it instead.
    virtual void ShellOpen(const std::string& program, const std::optional<std::string>& parameters);
};

// The backend in use; set once at start by the program entry or a test.
Backend& GetBackend();
void SetBackend(Backend* backend);
bool HasBackend();

} // namespace vcl
