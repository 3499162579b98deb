#pragma once
// The fixture of the setup dialog tests: the GUI test fixture with the
// process-wide values back at those of a program that has not started, and
// helpers to run a dialog and to read and write the settings file.

#include <functional>
#include <string>

#include "app/AppValues.h"
#include "app/Settings.h"
#include "framework/MessageBox.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace jtest {

class SetupTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        app::ResetValues();
    }
};

// Runs a Dialog made with no parent; action gets it once it is shown.
template <class Dialog>
void RunDialog(std::function<void(framework::TDialog&)> action) {
    framework::testing::OnNextDialog(std::move(action));
    Dialog(nullptr).Execute();
}

// Whether the last dialog shown was closed by what its action did.
inline bool LastClosedByAction() {
    const auto& shown = framework::testing::DialogsShown();
    return !shown.empty() && shown.back().hadAction && !shown.back().leftOpen;
}

// The settings file's bytes ("" when it does not exist).
inline std::string SettingsBytes() {
    return ReadFileBytes(app::SettingsPath());
}

// Writes the settings file: section Jotwel with these lines (CR LF each).
inline void WriteSettings(const std::string& lines) {
    WriteFileBytes(app::SettingsPath(), "[Jotwel]\r\n" + lines);
}

}  // namespace jtest
