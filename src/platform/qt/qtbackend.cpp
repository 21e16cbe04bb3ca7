#include "platform/qt/qtbackend.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
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
        app_.installEventFilter(&trayMouse_);
        trayMouse_.backend = this;
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
        // A window manager gives a newly shown window the focus. Asking for it
        // here as well would, where no window manager runs, leave the focus on
        // a window that the hide timer unmaps, and the next popup menu would
        // close as soon as it opened.
        w->show();
        w->raise();
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
        std::vector<QWidget*> disabled = DisableOtherWindows(PeerFor(form).Window());
        QEventLoop loop;
        loops_.push_back(&loop);
        while (form.ModalResult() == mrNone && !Application->Terminated()) loop.exec();
        loops_.pop_back();
        EnableWindows(disabled);
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
        std::vector<QWidget*> disabled = DisableOtherWindows(&box);
        QEventLoop loop;
        QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
        box.show();
        loops_.push_back(&loop);
        while (box.isVisible() && !Application->Terminated()) loop.exec();
        loops_.pop_back();
        EnableWindows(disabled);
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

    // The platform needs this so that its popup menus close when the person
    // clicks elsewhere; Qt's menus grab the mouse themselves. Activating a
    // window here, a hidden one above all, would take the focus from the menu
    // about to open and close it again, so the window is only raised.
    void SetForeground(TForm& form) override {
        auto it = peers_.find(&form);
        if (it != peers_.end() && it->second->Window()->isVisible()) it->second->Window()->raise();
    }

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

    // A modal window disables the program's other windows, as the class library
    // does. Qt's own application modality would also block the tray icon, whose
    // menu must keep working while a dialog is open.
    std::vector<QWidget*> DisableOtherWindows(QWidget* modal) {
        std::vector<QWidget*> disabled;
        for (auto& [form, peer] : peers_) {
            QWidget* w = peer->Window();
            if (w != modal && w->isVisible() && w->isEnabled()) {
                w->setEnabled(false);
                disabled.push_back(w);
            }
        }
        return disabled;
    }

    void EnableWindows(const std::vector<QWidget*>& windows) {
        for (QWidget* w : windows)
            for (auto& [form, peer] : peers_)
                if (peer->Window() == w) w->setEnabled(true);
    }

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

    // StatusNotifierItem hosts report clicks only as Qt's activations; they
    // arrive as the button releases they stand for.
    void TrayActivated(std::pair<std::uint32_t, std::uint32_t> key, QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: PostTrayMessage(key, {WM_LBUTTONUP}); break;
        case QSystemTrayIcon::DoubleClick: PostTrayMessage(key, {WM_LBUTTONDBLCLK, WM_LBUTTONUP}); break;
        case QSystemTrayIcon::Context: PostTrayMessage(key, {WM_RBUTTONUP}); break;
        case QSystemTrayIcon::MiddleClick: PostTrayMessage(key, {WM_MBUTTONUP}); break;
        default: break;
        }
    }

    void PostTrayMessage(std::pair<std::uint32_t, std::uint32_t> key, std::vector<LPARAM> messages) {
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

    // XEmbed trays (trayer, XFCE, LXDE, MATE) show the icon in a widget of Qt's
    // own, which reports presses and drops a right double click. A menu opened
    // on the press would take the release as a click of its own; so the
    // widget's mouse events are taken here, as the platform the design targets
    // sends them: each release, and a double click's second press as well.
    struct TrayMouseFilter : QObject {
        QtBackend* backend = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto t = event->type();
            if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease && t != QEvent::MouseButtonDblClick)
                return false;
            if (!watched->isWidgetType() || qstrcmp(watched->metaObject()->className(), "QSystemTrayIconSys") != 0)
                return false;
            Qt::MouseButton b = static_cast<QMouseEvent*>(event)->button();
            LPARAM message = 0;
            if (t == QEvent::MouseButtonRelease)
                message = b == Qt::LeftButton ? WM_LBUTTONUP : b == Qt::RightButton ? WM_RBUTTONUP : WM_MBUTTONUP;
            else if (t == QEvent::MouseButtonDblClick)
                message = b == Qt::LeftButton ? WM_LBUTTONDBLCLK : b == Qt::RightButton ? WM_RBUTTONDBLCLK : 0;
            if (message) backend->PostTrayMessage(backend->TrayKeyOf(static_cast<QWidget*>(watched)), {message});
            return true; // Qt's own handling would report the press a second time
        }
    };

    // The icon a tray widget shows: the one with its tip, or the only one.
    std::pair<std::uint32_t, std::uint32_t> TrayKeyOf(QWidget* widget) {
        for (auto& [key, entry] : tray_)
            if (entry.icon->toolTip() == widget->toolTip()) return key;
        return tray_.size() == 1 ? tray_.begin()->first : std::pair<std::uint32_t, std::uint32_t>{};
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
    TrayMouseFilter trayMouse_;
    std::map<TForm*, std::unique_ptr<qt::FormPeer>> peers_;
    std::map<TTimer*, QTimer*> timers_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, TrayEntry> tray_;
    std::vector<QEventLoop*> loops_;
};

} // namespace

std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv) { return std::make_unique<QtBackend>(argc, argv); }

} // namespace vcl
