#pragma once
// Fixture and helpers for tests that drive windows and dialogs as a user
// would: through their controls, found by id ("ctl102"), with real mouse and
// key events. The windowing layer runs in test mode, so a modal run never
// waits: queue what to do with the next dialog (OnNextDialog) and how to
// answer the next message box (AnswerNextMessageBox) before the call that
// shows it.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "framework/TDialog.h"
#include "framework/TestSeams.h"

namespace jtest {

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Fails the test when a queued action or answer was never used; then
    // forgets them, so nothing leaks into the next test.
    void TearDown() override;
};

// The control of dialog with id, as a T (fails the test when missing).
template <class T>
T* ControlOf(const framework::TDialog& dialog, int id) {
    T* widget = qobject_cast<T*>(dialog.Control(id));
    EXPECT_NE(widget, nullptr) << "dialog " << dialog.TemplateId() << " has no control " << id
                               << " of the expected kind";
    return widget;
}

// A left click in the middle of the control.
void Click(const framework::TDialog& dialog, int id);
// Gives the control focus and types text into it key by key.
void Type(const framework::TDialog& dialog, int id, const QString& text);
// Sends a key to the widget that has focus in the dialog.
void PressKey(const framework::TDialog& dialog, int key,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Presses key once per control id, expecting the focus on each in turn
// (Backtab with Shift, as the keyboard sends it).
void ExpectFocusPath(const framework::TDialog& dialog, int key, const std::vector<int>& ids);
// Text shown by a label, edit box or button, as UTF-8.
std::string TextOf(const framework::TDialog& dialog, int id);
// The object name of the widget with keyboard focus ("ctl102"), or "".
std::string FocusedName(const framework::TDialog& dialog);
// The object name the windowing layer gives the control with id ("ctl102").
std::string ControlName(int id);
// The last message box shown (fails the test when none was).
framework::testing::ShownMessageBox LastMessageBox();

}  // namespace jtest
