#pragma once
#include "GuiTest.h"
#include "TestDialogs.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"

namespace jtest {

// GuiTest with the test dialogs installed instead of the program's.
class FrameworkTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        framework::SetResourceModule(&resources_);
    }

    // Runs a test dialog modally with action as the user's part; returns its result.
    int Run(std::function<void(TTestDlg&)> action, int templateId = kTestDialog) {
        framework::testing::OnNextDialog(
            [action](framework::TDialog& d) { action(static_cast<TTestDlg&>(d)); });
        TTestDlg dialog(nullptr, &log, templateId);
        return dialog.Execute();
    }
    // As Run, then cancels the dialog.
    void Show(std::function<void(TTestDlg&)> action, int templateId = kTestDialog) {
        Run(
            [action](TTestDlg& d) {
                action(d);
                d.EndDialog(framework::kIdCancel);
            },
            templateId);
    }

    TestResources resources_;
    std::vector<std::string> log;
};

}  // namespace jtest
