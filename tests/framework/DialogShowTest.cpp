// Showing a dialog: with or without a modal run it is set up, once; and its
// title bar has a close button unless the template greys Close, and a
// context-help button only when the template asks for one.
#include "FrameworkFixture.h"
#include "framework/DialogWidget.h"

namespace jtest {
namespace {

TEST_F(FrameworkTest, ADialogIsSetUpOnceHoweverOftenItIsShown) {
    const auto cancel = [](framework::TDialog& d) { d.EndDialog(framework::kIdCancel); };
    TTestDlg shown(nullptr, &log);
    shown.ShowModeless();
    shown.ShowModeless();
    EXPECT_TRUE(shown.Widget()->isVisible());
    EXPECT_EQ(log, std::vector<std::string>{"setup"});
    framework::testing::OnNextDialog(cancel);
    EXPECT_EQ(shown.Execute(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"setup"});

    log.clear();
    TTestDlg run(nullptr, &log);
    for (int i = 0; i < 2; ++i) {
        framework::testing::OnNextDialog(cancel);
        EXPECT_EQ(run.Execute(), 2);
    }
    EXPECT_EQ(log, std::vector<std::string>{"setup"});
}

TEST(DialogWidget, TitleBarButtonsFollowTheTemplate) {
    for (const bool closeDisabled : {false, true}) {
        for (const bool contextHelp : {false, true}) {
            framework::DialogTemplate dialogTemplate;
            dialogTemplate.width = 100;
            dialogTemplate.height = 50;
            dialogTemplate.closeDisabled = closeDisabled;
            dialogTemplate.contextHelp = contextHelp;
            const framework::DialogWidget widget(nullptr, dialogTemplate, [](int) {});
            const Qt::WindowFlags flags = widget.windowFlags();
            EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), !closeDisabled);
            EXPECT_EQ(flags.testFlag(Qt::WindowContextHelpButtonHint), contextHelp);
        }
    }
}

}  // namespace
}  // namespace jtest
