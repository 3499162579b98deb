#include "framework/TFrameWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

#include "framework/ResourceModule.h"
#include "framework/TApplication.h"
#include "framework/TextCodec.h"

namespace framework {

class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(TFrameWindow* owner) : owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (owner_->OnClose()) {
            event->accept();
        } else {
            event->ignore();
        }
    }

private:
    TFrameWindow* owner_;
};

namespace {

// Puts the keyboard in the menu bar at its first menu, as Alt pressed and
// released alone does. The menu bar takes that pair of events as its sign to
// highlight its first menu; where it does not, the first menu opens, from
// which the arrow keys reach the others.
void FocusMenuBar(QMenuBar* bar) {
    if (!bar || bar->actions().isEmpty() || !bar->isVisible()) return;
    QKeyEvent altPressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(bar->window(), &altPressed);
    QKeyEvent altReleased(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(bar->window(), &altReleased);
    if (bar->activeAction()) return;
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().first());
}

void AddItems(TFrameWindow* window, QWidget* menu, const std::vector<MenuItem>& items) {
    auto* bar = qobject_cast<QMenuBar*>(menu);
    auto* popup = qobject_cast<QMenu*>(menu);
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Separator:
                if (popup) popup->addSeparator();
                break;
            case MenuItem::Kind::Popup: {
                QMenu* sub =
                    bar ? bar->addMenu(FromUtf8(item.text)) : popup->addMenu(FromUtf8(item.text));
                AddItems(window, sub, item.items);
                break;
            }
            case MenuItem::Kind::Command: {
                QAction* action = bar ? bar->addAction(FromUtf8(item.text))
                                      : popup->addAction(FromUtf8(item.text));
                action->setObjectName(QStringLiteral("cmd%1").arg(item.id));
                action->setData(item.id);
                const int id = item.id;
                QObject::connect(action, &QAction::triggered, action,
                                 [window, id] { window->Command(id); });
                break;
            }
        }
    }
}

}  // namespace

TFrameWindow::TFrameWindow(TWindow* parent, std::string title)
    : TWindow(parent), title_(std::move(title)) {}

TFrameWindow::~TFrameWindow() {
    delete widget_.data();
}

void TFrameWindow::SetPosition(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}

void TFrameWindow::AssignMenu(int menuId) {
    menuId_ = menuId;
}
void TFrameWindow::SetBackground(QColor colour) {
    background_ = colour;
}

void TFrameWindow::Create() {
    widget_ = new FrameWidget(this);
    widget_->setObjectName(QStringLiteral("frame"));
    widget_->setWindowTitle(FromUtf8(title_));
    auto* client = new QWidget(widget_);
    client->setObjectName(QStringLiteral("client"));
    if (background_.isValid()) {
        client->setAutoFillBackground(true);
        QPalette palette = client->palette();
        palette.setColor(QPalette::Window, background_);
        client->setPalette(palette);
    }
    widget_->setCentralWidget(client);
    BuildMenu();
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), widget_);
    QObject::connect(f10, &QShortcut::activated, widget_,
                     [bar = widget_->menuBar()] { FocusMenuBar(bar); });
    widget_->move(x_, y_);
    if (width_ > 0 && height_ > 0) widget_->resize(width_, height_);
    SetupWindow();
}

void TFrameWindow::BuildMenu() {
    if (menuId_ == 0) return;
    const MenuTemplate* menu = Resources().FindMenu(menuId_);
    if (!menu) return;
    AddItems(this, widget_->menuBar(), menu->items);
}

void TFrameWindow::Show() {
    widget_->show();
}

void TFrameWindow::CloseWindow(int result) {
    closeResult_ = result;
    if (widget_) widget_->close();
}

bool TFrameWindow::OnClose() {
    if (!CanClose()) return false;
    if (isMain_) TApplication::PostQuitMessage(closeResult_);
    return true;
}

QWidget* TFrameWindow::Widget() const {
    return widget_.data();
}
QWidget* TFrameWindow::Client() const {
    return widget_ ? widget_->centralWidget() : nullptr;
}
QMenuBar* TFrameWindow::MenuBar() const {
    return widget_ ? widget_->menuBar() : nullptr;
}

void TFrameWindow::SetIconSm(int iconId) {
    widget_->setWindowIcon(Resources().LoadIcon(iconId));
}

}  // namespace framework
