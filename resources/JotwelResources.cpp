#include "resources/JotwelResources.h"

#include <QFile>

namespace resources {
namespace {

using framework::DialogTemplate;
using framework::MenuTemplate;

class JotwelResources : public framework::TResourceModule {
public:
    JotwelResources() {
        AddMenus(menus_);
        AddSetupTemplates(dialogs_);
        AddHelpTemplates(dialogs_);
        AddEntryTemplates(dialogs_);
        AddReportTemplates(dialogs_);
    }

    const DialogTemplate* FindDialog(int id) const override {
        for (const DialogTemplate& dialog : dialogs_) {
            if (dialog.id == id) return &dialog;
        }
        return nullptr;
    }

    const MenuTemplate* FindMenu(int id) const override {
        for (const MenuTemplate& menu : menus_) {
            if (menu.id == id) return &menu;
        }
        return nullptr;
    }

    QIcon LoadIcon(int id) const override {
        QIcon icon;
        for (int size : {48, 32, 16}) {
            const QString path = QStringLiteral(":/icons/icon%1-%2.png").arg(id).arg(size);
            if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
        }
        return icon;
    }

    QPixmap LoadBitmap(int id) const override {
        return QPixmap(QStringLiteral(":/bitmaps/bitmap%1.png").arg(id));
    }

private:
    std::vector<MenuTemplate> menus_;
    std::vector<DialogTemplate> dialogs_;
};

}  // namespace

const framework::TResourceModule& Module() {
    static const JotwelResources module;
    return module;
}

}  // namespace resources
