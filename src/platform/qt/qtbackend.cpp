#include "platform/qt/qtbackend.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/application.h"
#include "platform/extctrls.h"
#include "platform/menus.h"
#include "platform/qt/qtconvert.h"
#include "platform/qt/qtpeers.h"
#include "platform/shellapi.h"

namespace vcl {

namespace {

using qt::FromQ;
using qt::ToQ;

class QtBackend final : public Backend {
public:
    QtBackend(int& argc, char** argv) : app_(argc, argv) {
        // Windows are hidden, not closed; the program ends only through the model.
        QApplication::setQuitOnLastWindowClosed(false);
        QApplication::setWindowIcon(qt::ToQIcon(TIcon({"tolvane16.xpm", "tolvane32.xpm"})));
        SetBackend(this);
    }

    ~QtBackend() override {
        for (auto& [key, entry] : tray_) delete entry.icon;
        peers_.clear();
        SetBackend(nullptr);
    }

    void ControlChanged(TControl& control) override {
        TForm* form = control.ParentForm();
        if (!form) return;
        auto it = peers_.find(form);
        if (it != peers_.end()) it->second->Sync(control);
    }

    void FormShow(TForm& form) override {
        qt::FormPeer& peer = PeerFor(form);
        QWidget* w = peer.Window();
        // Modality can only change while the window is hidden.
        w->setWindowModality(form.Modal() ? Qt::ApplicationModal : Qt::NonModal);
        if (!form.ShownBefore()) {
            if (form.Position() == TPosition::ScreenCenter || form.Position() == TPosition::DesktopCenter) {
                TRect screen = ScreenRect();
                w->move(screen.Left + (screen.Width() - form.ClientWidth()) / 2,
                        screen.Top + (screen.Height() - form.ClientHeight()) / 2);
            } else if (form.Position() == TPosition::Designed) {
                w->move(form.Left(), form.Top());
            }
            form.MarkShown();
        }
        w->show();
        w->raise();
        w->activateWindow();
    }

    void FormHide(TForm& form) override {
        auto it = peers_.find(&form);
        if (it != peers_.end()) it->second->Window()->hide();
    }

    void FormBringToFront(TForm& form) override {
        auto it = peers_.find(&form);
        if (it == peers_.end()) return;
        it->second->Window()->raise();
        it->second->Window()->activateWindow();
    }

    void FormDestroyed(TForm& form) override { peers_.erase(&form); }

    void RunMainLoop() override {
        QEventLoop loop;
        loops_.push_back(&loop);
        while (!Application->Terminated()) loop.exec();
        loops_.pop_back();
    }

    void RunModalLoop(TForm& form) override {
        QEventLoop loop;
        loops_.push_back(&loop);
        while (form.ModalResult() == mrNone && !Application->Terminated()) loop.exec();
        loops_.pop_back();
    }

    void WakeLoops() override {
        // Each loop checks its own condition again and goes on when it still holds.
        for (QEventLoop* loop : loops_) loop->quit();
    }

    void PostMessage(std::function<void()> message) override {
        QMetaObject::invokeMethod(&app_, std::move(message), Qt::QueuedConnection);
    }

    void TimerChanged(TTimer& timer) override {
        QTimer*& q = timers_[&timer];
        if (!q) {
            q = new QTimer(&app_);
            QObject::connect(q, &QTimer::timeout, q, [&timer] { Application->SafeCall([&timer] { timer.Tick(); }); });
        }
        if (timer.Running()) q->start(static_cast<int>(timer.EffectiveInterval()));
        else q->stop();
    }

    void TimerDestroyed(TTimer& timer) override {
        auto it = timers_.find(&timer);
        if (it == timers_.end()) return;
        delete it->second;
        timers_.erase(it);
    }

    void ShowErrorBox(const std::string& caption, const std::string& text) override {
        QMessageBox box(QMessageBox::Critical, ToQ(caption), ToQ(text), QMessageBox::Ok);
        box.exec();
    }

    bool NotifyIcon(unsigned request, const NOTIFYICONDATAA& data) override {
        auto key = std::make_pair(data.hWnd, data.uID);
        auto it = tray_.find(key);
        if (request == NIM_ADD) {
            if (it != tray_.end()) return false; // already there: the platform refuses
            TrayEntry entry{new QSystemTrayIcon(&app_), data};
            QObject::connect(entry.icon, &QSystemTrayIcon::activated, entry.icon,
                             [this, key](QSystemTrayIcon::ActivationReason reason) { TrayActivated(key, reason); });
            Apply(entry, data);
            tray_.emplace(key, entry);
            return true;
        }
        if (it == tray_.end()) return false;
        if (request == NIM_MODIFY) {
            Apply(it->second, data);
            return true;
        }
        if (request == NIM_DELETE) {
            it->second.icon->hide();
            delete it->second.icon;
            tray_.erase(it);
            QApplication::processEvents(); // let the tray host see the icon go now
            return true;
        }
        return false;
    }

    bool CursorPos(TPoint& point) override {
        // Wayland does not tell a program where the pointer is.
        if (QGuiApplication::platformName().startsWith("wayland")) return false;
        QPoint p = QCursor::pos();
        point = {p.x(), p.y()};
        return true;
    }

    void SetForeground(TForm& form) override { FormBringToFront(form); }

    TMenuItem* TrackPopup(TPopupMenu& menu, int x, int y) override {
        QMenu qmenu;
        std::map<QAction*, TMenuItem*> actions;
        Fill(qmenu, menu.Items(), actions);
        QAction* chosen = qmenu.exec(QPoint(x, y));
        auto it = actions.find(chosen);
        return it == actions.end() ? nullptr : it->second;
    }

    TRect ScreenRect() override {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return {0, 0, 640, 480};
        QRect r = screen->geometry();
        return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    }

private:
    struct TrayEntry {
        QSystemTrayIcon* icon;
        NOTIFYICONDATAA data;
    };

    qt::FormPeer& PeerFor(TForm& form) {
        auto& peer = peers_[&form];
        if (!peer) peer = std::make_unique<qt::FormPeer>(form);
        return *peer;
    }

    void Apply(TrayEntry& entry, const NOTIFYICONDATAA& data) {
        entry.data = data;
        if ((data.uFlags & NIF_TIP) != 0) {
            std::string tip(data.szTip, strnlen(data.szTip, sizeof data.szTip));
            entry.icon->setToolTip(ToQ(tip));
        }
        if ((data.uFlags & NIF_ICON) != 0) {
            const TIcon* icon = TIcon::FromHandle(data.hIcon);
            // An icon without a picture cannot be shown; it appears with the first picture.
            if (icon) {
                entry.icon->setIcon(qt::ToQIcon(*icon));
                entry.icon->show();
            }
        }
    }

    // Mouse messages as the platform the design targets sends them: button
    // releases, and a double click as its second release after the double-click message.
    void TrayActivated(std::pair<std::uint32_t, std::uint32_t> key, QSystemTrayIcon::ActivationReason reason) {
        std::vector<LPARAM> messages;
        switch (reason) {
        case QSystemTrayIcon::Trigger: messages = {WM_LBUTTONUP}; break;
        case QSystemTrayIcon::DoubleClick: messages = {WM_LBUTTONDBLCLK, WM_LBUTTONUP}; break;
        case QSystemTrayIcon::Context: messages = {WM_RBUTTONUP}; break;
        case QSystemTrayIcon::MiddleClick: messages = {WM_MBUTTONUP}; break;
        default: return;
        }
        auto it = tray_.find(key);
        if (it == tray_.end()) return;
        NOTIFYICONDATAA data = it->second.data;
        for (LPARAM m : messages)
            PostMessage([data, m] {
                TForm* form = TForm::FromHandle(data.hWnd);
                if (form && (data.uFlags & NIF_MESSAGE))
                    Application->SafeCall([&] { form->Perform(data.uCallbackMessage, data.uID, m); });
            });
    }

    void Fill(QMenu& qmenu, const TMenuItem& parent, std::map<QAction*, TMenuItem*>& actions) {
        for (TMenuItem* item : parent.Items()) {
            if (!item->Visible) continue;
            if (item->IsSeparator()) {
                qmenu.addSeparator();
            } else if (!item->Items().empty()) {
                QMenu* sub = qmenu.addMenu(ToQ(item->Caption));
                sub->setEnabled(item->Enabled);
                Fill(*sub, *item, actions);
            } else {
                QAction* a = qmenu.addAction(ToQ(item->Caption));
                a->setEnabled(item->Enabled);
                actions[a] = item;
            }
        }
    }

    QApplication app_;
    std::map<TForm*, std::unique_ptr<qt::FormPeer>> peers_;
    std::map<TTimer*, QTimer*> timers_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, TrayEntry> tray_;
    std::vector<QEventLoop*> loops_;
};

} // namespace

std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv) { return std::make_unique<QtBackend>(argc, argv); }

void PreferX11OnWayland() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (!set("QT_QPA_PLATFORM") && set("WAYLAND_DISPLAY") && set("DISPLAY")) setenv("QT_QPA_PLATFORM", "xcb", 1);
}

} // namespace vcl
