#include "framework/TDialog.h"

#include <QApplication>
#include <QTimer>
#include <functional>

#include "framework/DialogWidget.h"
#include "framework/ResourceModule.h"
#include "framework/TestSeams.h"

namespace framework {
namespace {

const DialogTemplate& FindTemplate(int resId) {
    const DialogTemplate* found = Resources().FindDialog(resId);
    if (!found) qFatal("dialog template %d is missing", resId);
    return *found;
}

}  // namespace

TDialog::TDialog(TWindow* parent, int resId)
    : TWindow(parent),
      template_(FindTemplate(resId)),
      widget_(new DialogWidget(parent ? parent->Widget() : nullptr, template_,
                               [this](int id) { Command(id); })) {}

TDialog::~TDialog() {
    delete widget_.data();
}

QWidget* TDialog::Widget() const {
    return widget_.data();
}
DialogWidget* TDialog::Dialog() const {
    return widget_.data();
}

QWidget* TDialog::Control(int id) const {
    return widget_->Control(id);
}

void TDialog::PlaceOnParent() {
    QWidget* client = Parent() ? Parent()->ClientWidget() : nullptr;
    const DialogUnits& units = widget_->units();
    QPoint origin(units.X(template_.x), units.Y(template_.y));
    if (client) origin = client->mapToGlobal(origin);
    widget_->move(origin);
}

void TDialog::ShowModeless() {
    if (!setUp_) {
        setUp_ = true;
        SetupWindow();
    }
    PlaceOnParent();
    widget_->show();
}

int TDialog::Execute() {
    if (!setUp_) {
        setUp_ = true;
        SetupWindow();
    }
    PlaceOnParent();
    running_ = true;
    ended_ = false;
    result_ = 0;
    widget_->setModal(true);
    if (testing::InTestMode()) {
        QTimer::singleShot(0, widget_.data(), [this] { RunTestAction(); });
    }
    widget_->exec();
    running_ = false;
    return result_;
}

void TDialog::RunTestAction() {
    std::function<void(TDialog&)> action;
    const bool hasAction = testing::TakeDialogAction(&action);
    const int record = testing::RecordDialog(testing::ShownDialog{template_.id, hasAction, false});
    // Offscreen windows are not activated by a window manager; keyboard
    // focus needs an active window.
    QApplication::setActiveWindow(widget_.data());
    if (hasAction) action(*this);
    if (IsRunning()) {
        testing::MarkDialogLeftOpen(record);
        EndDialog(2);
    }
}

void TDialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    widget_->done(result);
}

void TDialog::CloseWindow(int result) {
    if (CanClose()) EndDialog(result);
}

bool TDialog::HandleCommand(int id) {
    switch (id) {
        case 1:
            CloseWindow(1);
            return true;
        case 2:
            EndDialog(2);
            return true;
        default:
            return false;
    }
}

}  // namespace framework
