#include "platform/headless/headless.h"

#include "platform/application.h"
#include "platform/extctrls.h"
#include "platform/forms.h"
#include "platform/menus.h"

namespace vcl {

HeadlessBackend::HeadlessBackend() { SetBackend(this); }

HeadlessBackend::~HeadlessBackend() { SetBackend(nullptr); }

void HeadlessBackend::ProcessMessages() {
    while (!queue_.empty()) {
        auto message = std::move(queue_.front());
        queue_.pop_front();
        message();
    }
}

void HeadlessBackend::Advance(unsigned ms) {
    const unsigned long long target = now_ + ms;
    ProcessMessages();
    for (;;) {
        TTimer* next = nullptr;
        unsigned long long when = target + 1;
        for (auto& [timer, due] : due_)
            if (due < when) {
                when = due;
                next = timer;
            }
        if (!next) break;
        now_ = when;
        due_[next] = when + next->EffectiveInterval();
        if (Application) Application->SafeCall([next] { next->Tick(); });
        ProcessMessages();
    }
    now_ = target;
}

void HeadlessBackend::FormShow(TForm& form) {
    log.push_back("show " + form.Name);
    form.MarkShown();
    form.Activate();
}

void HeadlessBackend::FormHide(TForm& form) { log.push_back("hide " + form.Name); }

void HeadlessBackend::FormBringToFront(TForm& form) { log.push_back("front " + form.Name); }

void HeadlessBackend::RunMainLoop() {
    // Without a person at the keyboard the loop ends when nothing is left to do.
    while (Application && !Application->Terminated() && !queue_.empty()) ProcessMessages();
}

void HeadlessBackend::RunModalLoop(TForm& form) {
    log.push_back("modal " + form.Name);
    if (onModal) onModal(form);
    while (form.ModalResult() == mrNone && !(Application && Application->Terminated()) && !queue_.empty()) {
        auto message = std::move(queue_.front());
        queue_.pop_front();
        message();
    }
    // Nobody left to close it: the person closes the window.
    if (form.ModalResult() == mrNone && !(Application && Application->Terminated())) form.SetModalResult(mrCancel);
}

void HeadlessBackend::PostMessage(std::function<void()> message) { queue_.push_back(std::move(message)); }

void HeadlessBackend::TimerChanged(TTimer& timer) {
    if (timer.Running()) due_[&timer] = now_ + timer.EffectiveInterval();
    else due_.erase(&timer);
}

void HeadlessBackend::TimerDestroyed(TTimer& timer) { due_.erase(&timer); }

void HeadlessBackend::ShowErrorBox(const std::string& caption, const std::string& text) {
    errorBoxes.push_back({caption, text});
}

bool HeadlessBackend::NotifyIcon(unsigned request, const NOTIFYICONDATAA& data) {
    auto key = std::make_pair(data.hWnd, data.uID);
    bool present = trayIcons.count(key) != 0;
    bool accepted = false;
    if (request == NIM_ADD && !present) {
        trayIcons[key] = data;
        accepted = true;
    } else if (request == NIM_MODIFY && present) {
        trayIcons[key] = data;
        accepted = true;
    } else if (request == NIM_DELETE && present) {
        trayIcons.erase(key);
        accepted = true;
    }
    trayRequests.push_back({request, data, accepted});
    return accepted;
}

bool HeadlessBackend::CursorPos(TPoint& point) {
    if (!cursorReadable) return false;
    point = cursor;
    return true;
}

void HeadlessBackend::SetForeground(TForm& form) { log.push_back("foreground " + form.Name); }

TMenuItem* HeadlessBackend::TrackPopup(TPopupMenu& menu, int x, int y) {
    log.push_back("popup " + menu.Name + " at " + std::to_string(x) + "," + std::to_string(y));
    return onPopup ? onPopup(menu, x, y) : nullptr;
}

} // namespace vcl

namespace vcl {

void HeadlessBackend::ShellOpen(const std::string& program, const std::optional<std::string>& parameters) {
    shellRequests.push_back({program, parameters});
    if (shellPassThrough) Backend::ShellOpen(program, parameters);
}

} // namespace vcl
