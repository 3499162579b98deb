// The entry preference dialog, driven through its controls.
#include <QAbstractButton>
#include <cstdio>
#include <vector>

#include "SetupTest.h"
#include "resources/ResourceIds.h"
#include "setup/TDlg5.h"

namespace {

bool Checked(const framework::TDialog& dialog, int id) {
    return jtest::ControlOf<QAbstractButton>(dialog, id)->isChecked();
}

class PreferenceDialogTest : public jtest::SetupTest {};

// "I Prefer Text Entries" is selected whatever was saved; box 103 shows the
// preference loaded at start-up, not what the file holds now.
TEST_F(PreferenceDialogTest, OpensWithTextEntriesAndTheStartupPreference) {
    for (bool today : {false, true}) {
        SCOPED_TRACE(today);
        jtest::WriteSettings(today ? "Default=KEYS\r\nToDay=No\r\n"
                                   : "Default=KEYS\r\nToDay=ToDay\r\n");
        app::Values().todayPreference = today;
        jtest::RunDialog<setup::TDlg5>([today](framework::TDialog& d) {
            EXPECT_TRUE(Checked(d, 101));
            EXPECT_FALSE(Checked(d, 102));
            EXPECT_EQ(Checked(d, 103), today);
        });
    }
}

// OK writes Default, then ToDay, and closes; the preference in memory keeps
// its start-up value.
TEST_F(PreferenceDialogTest, OkWritesDefaultThenToDay) {
    struct Case {
        bool todayAtStart;
        std::vector<int> clicks;
        const char* stored;
    };
    const Case cases[] = {
        {false, {}, "Default=TEXT\r\nToDay=No\r\n"},
        {false, {102}, "Default=KEYS\r\nToDay=No\r\n"},
        {false, {103}, "Default=TEXT\r\nToDay=ToDay\r\n"},
        {true, {102, 101}, "Default=TEXT\r\nToDay=ToDay\r\n"},
        {true, {103, 102}, "Default=KEYS\r\nToDay=No\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::remove(app::SettingsPath().c_str());
        app::Values().todayPreference = c.todayAtStart;
        jtest::RunDialog<setup::TDlg5>([&c](framework::TDialog& d) {
            for (int id : c.clicks) jtest::Click(d, id);
            jtest::Click(d, 1);
        });
        EXPECT_TRUE(jtest::LastClosedByAction());
        EXPECT_EQ(jtest::SettingsBytes(), std::string("[Jotwel]\r\n") + c.stored);
        EXPECT_EQ(app::Values().todayPreference, c.todayAtStart);
    }
}

// Help shows the general help screen over the dialog, which stays open with
// its choices as they were.
TEST_F(PreferenceDialogTest, HelpShowsGeneralHelpAndReturns) {
    jtest::RunDialog<setup::TDlg5>([](framework::TDialog& d) {
        jtest::Click(d, 102);
        framework::testing::OnNextDialog([&d](framework::TDialog& help) {
            EXPECT_EQ(help.TemplateId(), resources::kGeneralHelpDialog);
            EXPECT_EQ(help.Widget()->parentWidget(), d.Widget());
            jtest::Click(help, 2);
        });
        jtest::Click(d, 9);
        EXPECT_TRUE(d.IsRunning());
        EXPECT_TRUE(Checked(d, 102));
        jtest::Click(d, 1);
    });
    const auto& shown = framework::testing::DialogsShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FALSE(shown[0].leftOpen || shown[1].leftOpen);
    EXPECT_EQ(jtest::SettingsBytes(), "[Jotwel]\r\nDefault=KEYS\r\nToDay=No\r\n");
}

}  // namespace
