// The text title dialog, driven through its box; and the cut of the title.
#include <string>

#include "SetupTest.h"
#include "setup/SetupSettings.h"
#include "setup/TDlg11.h"

namespace {

class TitleDialogTest : public jtest::SetupTest {};

// The box starts empty; OK (or Enter) stores exactly what was typed, an
// empty box included, and makes it the note title for the rest of the run.
TEST_F(TitleDialogTest, OkStoresWhatWasTyped) {
    struct Case {
        QString typed;
        std::string stored;
        Qt::Key key;  // Enter, or no key: a click on OK
    };
    const Case cases[] = {{"Best moment", "Best moment", Qt::Key_unknown},
                          {"", "", Qt::Key_unknown},
                          {"?!", "?!", Qt::Key_Return},
                          {QStringLiteral("Caf\u00e9 \u20ac"), "Caf\xE9 \x80", Qt::Key_unknown}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        app::Values().noteTitle = "Earlier title";
        jtest::RunDialog<setup::TDlg11>([&c](framework::TDialog& d) {
            EXPECT_EQ(jtest::TextOf(d, 104), "");
            jtest::Type(d, 104, c.typed);
            if (c.key == Qt::Key_Return) {
                jtest::PressKey(d, c.key);
            } else {
                jtest::Click(d, 1);
            }
        });
        EXPECT_TRUE(jtest::LastClosedByAction());
        EXPECT_EQ(jtest::SettingsBytes(), "[Jotwel]\r\nTextTit=" + c.stored + "\r\n");
        EXPECT_EQ(app::Values().noteTitle, c.stored);
    }
}

TEST_F(TitleDialogTest, TitleIsCutAt79Bytes) {
    std::string title = "x";
    ASSERT_TRUE(setup::SaveNoteTitle(std::string(100, 'a'), title).ok());
    EXPECT_EQ(title, std::string(79, 'a'));
    EXPECT_EQ(jtest::SettingsBytes(), "[Jotwel]\r\nTextTit=" + title + "\r\n");
}

}  // namespace
