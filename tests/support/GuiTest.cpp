#include "GuiTest.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "framework/ResourceModule.h"
#include "resources/JotwelResources.h"

namespace jtest {

void GuiTest::SetUp() {
    framework::testing::SetTestMode(true);
    framework::testing::ResetSeams();
    framework::SetResourceModule(&resources::Module());
}

void GuiTest::TearDown() {
    EXPECT_EQ(framework::testing::PendingSeams(), 0)
        << "a queued dialog action or message box answer was never used";
    framework::testing::ResetSeams();
}

void Click(const framework::TDialog& dialog, int id) {
    QWidget* widget = dialog.Control(id);
    ASSERT_NE(widget, nullptr) << "no control " << id;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void Type(const framework::TDialog& dialog, int id, const QString& text) {
    QWidget* widget = dialog.Control(id);
    ASSERT_NE(widget, nullptr) << "no control " << id;
    widget->setFocus(Qt::OtherFocusReason);
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {  // no key code for it: send the character as text
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void PressKey(const framework::TDialog& dialog, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = dialog.Widget()->focusWidget();
    if (!target) target = dialog.Widget();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void ExpectFocusPath(const framework::TDialog& dialog, int key, const std::vector<int>& ids) {
    for (const int id : ids) {
        PressKey(dialog, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(FocusedName(dialog), ControlName(id));
    }
}

std::string TextOf(const framework::TDialog& dialog, int id) {
    QWidget* widget = dialog.Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text().toStdString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
    ADD_FAILURE() << "control " << id << " has no text";
    return {};
}

std::string FocusedName(const framework::TDialog& dialog) {
    QWidget* focused = dialog.Widget()->focusWidget();
    return focused ? focused->objectName().toStdString() : std::string();
}

std::string ControlName(int id) {
    return "ctl" + std::to_string(id);
}

framework::testing::ShownMessageBox LastMessageBox() {
    const auto& shown = framework::testing::MessageBoxesShown();
    if (shown.empty()) {
        ADD_FAILURE() << "no message box was shown";
        return {};
    }
    return shown.back();
}

}  // namespace jtest
