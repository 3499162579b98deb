// make_pictures [folder]: writes the help screens' pictures, bitmap<N>.png,
// into folder (by default the source tree's resources/bitmaps). The dialogs
// are opened offscreen with a settings file of their own, so the user's
// settings are neither read nor changed. See CMakeLists.txt for how to run it.
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "devtools/make-pictures/ExamplePictures.h"
#include "devtools/make-pictures/WindowPicture.h"
#include "framework/ResourceModule.h"
#include "resources/JotwelResources.h"

namespace {

bool MakePicture(const pictures::ExamplePicture& example, const QDir& folder) {
    const std::unique_ptr<framework::TDialog> dialog = example.make();
    QWidget* window = dialog->Widget();
    const QImage picture = pictures::WindowPicture(
        window->grab().toImage(), window->windowTitle(), example.size,
        window->palette().color(QPalette::Window), dialog->Template().contextHelp);
    const QString path = folder.filePath(QStringLiteral("bitmap%1.png").arg(example.bitmap));
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%d x %d; dialog %d x %d)\n", qPrintable(path), picture.width(),
                picture.height(), window->width(), window->height());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen always, so the pictures do not depend on the display in use.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QTemporaryDir settings;
    if (!settings.isValid()) return 1;
    setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    framework::SetResourceModule(&resources::Module());

    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral(JOTWEL_BITMAPS_DIR));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    bool ok = true;
    for (const pictures::ExamplePicture& example : pictures::ExamplePictures()) {
        ok = MakePicture(example, folder) && ok;
    }
    return ok ? 0 : 1;
}
