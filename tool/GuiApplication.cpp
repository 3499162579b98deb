#include "tool/GuiApplication.h"

#include <stdlib.h>

#include <cstdio>

namespace tool {
namespace {

// Qt's own notes about the session it runs in ("XDG_RUNTIME_DIR not set")
// mean nothing to someone drawing a chart; failures come back as statuses.
void DropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "jotwel-tool: %s\n", message.toLocal8Bit().constData());
    }
}

char name[] = "jotwel-tool";
char* argv[] = {name, nullptr};
int argc = 1;

}  // namespace

GuiApplicationForRun::GuiApplicationForRun() {
    if (QCoreApplication::instance() == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        previousHandler_ = qInstallMessageHandler(DropQtNotes);
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
}

GuiApplicationForRun::~GuiApplicationForRun() {
    if (app_) {
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }
}

}  // namespace tool
