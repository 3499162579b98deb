// The least a Qt Widgets program does to start: make the application
// object, show one window the size of Jotwel's, and end as soon as the
// event loop runs. The baseline for Jotwel's start-up in bench_startup.
// With the argument "menu" the window also gets what Jotwel's main window
// shows, a menu bar of five titles and a push button: the cost of the first
// text on screen, for reference. With "menu stay" it does not end: it
// waits in its event loop, as Jotwel does at its main window.
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>
#include <cstring>

namespace {

void AddMenuBarAndButton(QWidget& window) {
    auto* bar = new QMenuBar(&window);
    bar->addMenu("Setup")->addAction("Set Subect &Headings");
    for (const char* title : {"Enter-by-&Text", "Enter-by-&Buttons", "&See-Entries"}) {
        bar->addAction(title);
    }
    bar->addMenu("&Help")->addAction("&About");
    (new QPushButton("Exit", &window))->setGeometry(470, 250, 62, 25);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare");
    window.setGeometry(55, 75, 600, 350);
    if (argc > 1 && std::strcmp(argv[1], "menu") == 0) AddMenuBarAndButton(window);
    window.show();
    if (argc > 2 && std::strcmp(argv[2], "stay") == 0) return application.exec();
    QMetaObject::invokeMethod(&application, &QCoreApplication::quit, Qt::QueuedConnection);
    return application.exec();
}
