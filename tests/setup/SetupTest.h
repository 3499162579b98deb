#pragma once
// The fixture of the setup dialog tests: no settings file, the values of a
// program that has not started, and a file layer that Fresh() arms to fail
// the n-th rename (how a settings write lands) with ENOSPC.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/AppValues.h"
#include "app/Settings.h"
#include "framework/MessageBox.h"
#include "platform/FaultEnv.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace jtest {

using Action = std::function<void(framework::TDialog&)>;

class SetupTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Fresh();
    }
    // failingWrite: the settings write that fails (0: none).
    void Fresh(int failingWrite = 0) {
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
        app::ResetValues();
        faults_.FailNth(failingWrite, platform::FaultEnv::kRename, ENOSPC);
    }

    platform::FaultEnv faults_{platform::PosixEnv()};
    platform::ScopedEnv useFaults_{&faults_};
};

// Runs a Dialog made with no parent; action gets it once it is shown.
template <class Dialog>
void RunDialog(Action action) {
    framework::testing::OnNextDialog(std::move(action));
    Dialog(nullptr).Execute();
}

inline bool AllClosedByTheirActions() {
    for (const auto& shown : framework::testing::DialogsShown()) {
        if (!shown.hadAction || shown.leftOpen) return false;
    }
    return true;
}

// The message boxes shown, each as its text up to the reason after a blank
// line; "stop: " before it for a stop icon, " (disk full)" after it when the
// reason says so.
inline std::string MessagesShown() {
    std::string messages;
    for (const auto& box : framework::testing::MessageBoxesShown()) {
        const bool stop = box.flags == (framework::kMbOk | framework::kMbIconStop);
        const bool full = box.text.find(std::strerror(ENOSPC)) != std::string::npos;
        messages += (stop ? "stop: " : "") + box.text.substr(0, box.text.find("\n\n")) +
                    (full ? " (disk full)" : "");
    }
    return messages;
}

inline std::string SettingsBytes() {
    return ReadFileBytes(app::SettingsPath());
}
// Writes the settings file: section Jotwel with these lines (CR LF each).
inline void WriteSettings(const std::string& lines) {
    WriteFileBytes(app::SettingsPath(), "[Jotwel]\r\n" + lines);
}

}  // namespace jtest
