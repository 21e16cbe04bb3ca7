// Baseline for the start-up and memory figures: the least a Qt 6 Widgets
// program does to put up a small about box like ours: a 284x134 window with
// a few labels and a button, centred on the screen.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(argc > 1 ? argv[1] : "Baseline about box");
    window.setFixedSize(284, 134);

    auto* title = new QLabel("Kestrun Tolvane!", &window);
    QFont big("Times New Roman");
    big.setPixelSize(29);
    title->setFont(big);
    title->setGeometry(16, 8, 261, 33);
    auto* version = new QLabel("v1.01", &window);
    version->setGeometry(160, 40, 116, 15);
    auto* copyright = new QLabel("Copyright (c) 1997 Kestrun R&&D", &window);
    copyright->setGeometry(32, 72, 186, 13);
    auto* ok = new QPushButton("&Ok", &window);
    ok->setGeometry(107, 104, 75, 25);
    QObject::connect(ok, &QPushButton::clicked, &window, &QWidget::hide);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - window.rect().center());
    window.show();
    return app.exec();
}
