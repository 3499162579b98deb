#pragma once
// A small resource module and dialog class that exercise every kind of
// control the windowing layer builds, and the fixture that runs them.

#include <functional>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "framework/TDialog.h"

namespace jtest {

inline constexpr int kTestDialog = 900;

// Ids in the test dialog.
enum TestIds {
    kLine = 101,     // single-line edit that scrolls
    kSummary = 102,  // multi-line edit, Enter starts a new line, stops when full
    kToggle = 103,   // push-like check box without text
    kRadioA0 = 104,  // radios 104..106: one group
    kRadioB0 = 107,  // radios 107..108: another group
    kDo = 110,       // bound by TTestDlg
    kUnbound = 111,  // bound nowhere
    kHiddenButton = 112,
    kLabel = 120,      // names kNarrow below it
    kWideLabel = 121,  // one line, wider than its room
    kList = 130,
    kNarrow = 140,  // single-line edit that stops when full
};

class TestResources : public framework::TResourceModule {
public:
    TestResources();
    const framework::DialogTemplate* FindDialog(int id) const override;
    const framework::MenuTemplate* FindMenu(int id) const override;
    QIcon LoadIcon(int) const override { return {}; }
    QPixmap LoadBitmap(int) const override { return {}; }

private:
    std::vector<framework::DialogTemplate> dialogs_;
    std::vector<framework::MenuTemplate> menus_;
};

// Binds kDo to a handler that logs and calls onDo; binds 1 to a handler
// that logs and does not close (its own table comes before TDialog's).
class TTestDlg : public framework::TDialog {
public:
    TTestDlg(framework::TWindow* parent, std::vector<std::string>* log)
        : TDialog(parent, kTestDialog), log_(log) {}
    std::function<void(TTestDlg&)> onDo;

protected:
    void SetupWindow() override { log_->push_back("setup"); }
    bool HandleCommand(int id) override;

private:
    void Do();
    void Ok();
    std::vector<std::string>* log_;
};

// GuiTest with the test dialogs installed instead of the program's.
class FrameworkTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        framework::SetResourceModule(&resources_);
    }
    // Runs a test dialog modally with action as the user's part; returns its result.
    int Run(std::function<void(TTestDlg&)> action) {
        framework::testing::OnNextDialog(
            [action](framework::TDialog& d) { action(static_cast<TTestDlg&>(d)); });
        return TTestDlg(nullptr, &log).Execute();
    }
    // As Run, then cancels the dialog.
    void Show(std::function<void(TTestDlg&)> action) {
        Run([action](TTestDlg& d) {
            action(d);
            d.EndDialog(framework::kIdCancel);
        });
    }

    TestResources resources_;
    std::vector<std::string> log;
};

}  // namespace jtest
