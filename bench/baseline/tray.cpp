// Baseline for the tray and launch figures: the least a Qt 6 Widgets program
// does to sit in the tray with a right-click menu and start a program from it.
// The menu has "Load &browser" and "&Bookmarks" like ours, so that the same
// keys ("b", then Return) choose "Load browser". The program to start is the
// first argument; it is started with QProcess::startDetached.
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    QPixmap picture(16, 16);
    picture.fill(Qt::darkBlue);
    QPainter(&picture).fillRect(4, 4, 8, 8, Qt::yellow);

    QMenu menu;
    menu.addAction("&Search the Net");
    menu.addSeparator();
    menu.addAction("Load &browser", [&] { QProcess::startDetached(program, {}); });
    QMenu* bookmarks = menu.addMenu("&Bookmarks");
    bookmarks->addAction("&Home page");
    menu.addSeparator();
    menu.addAction("E&xit", &app, &QApplication::quit);

    QSystemTrayIcon tray{QIcon(picture)};
    tray.setToolTip("Baseline tray");
    tray.setContextMenu(&menu);
    tray.show();
    return app.exec();
}
