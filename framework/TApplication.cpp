#include "framework/TApplication.h"

#include <QTimer>

#include "framework/QtTranslations.h"
#include "framework/ResourceModule.h"

namespace framework {

TApplication::TApplication(int& argc, char** argv, std::string name,
                           const TResourceModule& resources)
    : name_(std::move(name)) {
    if (!QApplication::instance()) {
        ownApp_ = std::make_unique<QApplication>(argc, argv);
        InstallQtTranslations(QLocale::system());
    }
    // The loop ends only through PostQuitMessage (a closed main window posts it).
    QApplication::setQuitOnLastWindowClosed(false);
    SetResourceModule(&resources);
}

TApplication::~TApplication() {
    mainWindow_.reset();
    ownApp_.reset();
}

void TApplication::SetMainWindow(std::unique_ptr<TFrameWindow> window) {
    mainWindow_ = std::move(window);
    mainWindow_->SetMainWindow(true);
}

int TApplication::Run() {
    InitMainWindow();
    mainWindow_->Create();
    mainWindow_->Show();
    const int result = QApplication::exec();
    mainWindow_.reset();
    return result;
}

void TApplication::PostQuitMessage(int result) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [result] { QCoreApplication::exit(result); });
}

}  // namespace framework
