// The real message box, outside the test seam: its icon follows the flags
// (the warning's bits include the stop and question bits), Yes/No boxes
// answer with the button pressed, and the texts arrive decoded.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "GuiTest.h"
#include "framework/MessageBox.h"

namespace jtest {
namespace {

class MessageBoxShownTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        framework::testing::SetTestMode(false);
    }
    void TearDown() override {
        framework::testing::SetTestMode(true);
        GuiTest::TearDown();
    }
};

TEST_F(MessageBoxShownTest, IconAndButtonsFollowTheFlags) {
    const struct {
        unsigned flags;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        int answer;
    } cases[] = {
        {.flags = framework::kMbOk,
         .icon = QMessageBox::NoIcon,
         .press = QMessageBox::Ok,
         .answer = framework::kIdOk},
        {.flags = framework::kMbIconStop,
         .icon = QMessageBox::Critical,
         .press = QMessageBox::Ok,
         .answer = framework::kIdOk},
        {.flags = framework::kMbIconQuestion | framework::kMbYesNo,
         .icon = QMessageBox::Question,
         .press = QMessageBox::No,
         .answer = framework::kIdNo},
        {.flags = framework::kMbIconQuestion | framework::kMbYesNo,
         .icon = QMessageBox::Question,
         .press = QMessageBox::Yes,
         .answer = framework::kIdYes},
        {.flags = framework::kMbIconWarning,
         .icon = QMessageBox::Warning,
         .press = QMessageBox::Ok,
         .answer = framework::kIdOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QString text, title;
        QTimer::singleShot(0, [&] {
            QMessageBox* box = nullptr;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->isVisible() && qobject_cast<QMessageBox*>(window)) {
                    box = qobject_cast<QMessageBox*>(window);
                }
            }
            if (box == nullptr) {
                ADD_FAILURE() << "no message box shown";
                return;
            }
            shown = box->icon();
            text = box->text();
            title = box->windowTitle();
            QAbstractButton* button = box->button(c.press);
            if (button == nullptr) {
                ADD_FAILURE() << "no button " << c.press;
                box->done(0);
                return;
            }
            button->click();
        });
        EXPECT_EQ(framework::MessageBox(nullptr, "Caf\xE9", "Title", c.flags), c.answer);
        EXPECT_EQ(shown, c.icon);
        EXPECT_EQ(text, QString::fromUtf8("Caf\u00E9"));
        EXPECT_EQ(title, "Title");
    }
}

}  // namespace
}  // namespace jtest
