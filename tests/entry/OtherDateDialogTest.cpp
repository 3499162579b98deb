// The special date dialog, driven through its date box: which dates it
// accepts, how it refuses the others, and what it leaves in the
// process-wide values either way.
#include <QLineEdit>

#include "EntryTest.h"
#include "entry/TDlg12.h"
#include "resources/ResourceIds.h"

namespace jtest {
namespace {

// Monday 10/03/14 12:00:00 UTC.
constexpr std::int64_t kTenthOfMarch = 1394452800;

constexpr char kTooLate[] = "Date must be earlier than 09/03/14";
constexpr char kTooEarly[] = "Date must be later Jan 1st 2005";

class SpecialDateDialogTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        clock_.SetNow(kTenthOfMarch);
    }
    // Runs the dialog, types text and presses OK; a refused date is then
    // cancelled. Returns whether the dialog accepted it.
    bool Enter(const QString& text) {
        entry::TDlg12 dialog(nullptr);
        framework::testing::OnNextDialog([&text](framework::TDialog& d) {
            Type(d, 103, text);
            Click(d, 1);
            if (d.IsRunning()) Click(d, 2);
        });
        dialog.Execute();
        return dialog.Accepted();
    }
};

TEST_F(SpecialDateDialogTest, AcceptsFromTheFirstOf2005ToTheDayBeforeYesterday) {
    struct Case {
        const char* typed;
        const char* read;     // the text kept: the first 9 bytes
        const char* message;  // nullptr: accepted
        const char* caption;
    };
    const Case cases[] = {
        {"08/03/14", "08/03/14", nullptr, nullptr},
        {"01/01/05", "01/01/05", nullptr, nullptr},
        {"7/3/9", "7/3/9", nullptr, nullptr},
        {"09/03/14", "09/03/14", kTooLate, "Date Not Allowed"},
        {"10/03/14", "10/03/14", kTooLate, "Date Not Allowed"},
        {"01/01/49", "01/01/49", kTooLate, "Date Not Allowed"},
        {"31/12/04", "31/12/04", kTooEarly, "Date Not Allowd"},
        {"01/01/99", "01/01/99", kTooEarly, "Date Not Allowd"},
        {"01/01/2005", "01/01/200", kTooLate, "Date Not Allowed"},  // the year 2100
        {"", "", kTooEarly, "Date Not Allowd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        framework::testing::ResetSeams();
        const bool accepted = Enter(QString::fromLatin1(c.typed));
        EXPECT_EQ(accepted, c.message == nullptr);
        EXPECT_EQ(app::Values().specialDateText, c.read);
        EXPECT_EQ(app::Values().specialDateValue, dates::ParseDiaryDate(c.read));
        EXPECT_TRUE(AllClosedByTheirActions());
        const auto& boxes = framework::testing::MessageBoxesShown();
        if (!c.message) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, c.caption);
        EXPECT_EQ(boxes[0].flags, framework::kMbOk);
    }
}

// A refused date stays open for another try; the values always hold what
// the last OK read, and Cancel leaves them so.
TEST_F(SpecialDateDialogTest, EveryOkKeepsWhatItReadAndCancelLeavesIt) {
    entry::TDlg12 dialog(nullptr);
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        EXPECT_EQ(d.Widget()->windowTitle(), "Special Date");
        Type(d, 103, "09/03/14");
        PressKey(d, Qt::Key_Return);
        EXPECT_TRUE(d.IsRunning());
        EXPECT_EQ(app::Values().specialDateText, "09/03/14");
        ControlOf<QLineEdit>(d, 103)->clear();
        Type(d, 103, "31/12/04");
        Click(d, 1);
        PressKey(d, Qt::Key_Escape);
    });
    dialog.Execute();
    EXPECT_FALSE(dialog.Accepted());
    EXPECT_EQ(framework::testing::MessageBoxesShown().size(), 2u);
    EXPECT_EQ(app::Values().specialDateText, "31/12/04");
    EXPECT_EQ(app::Values().specialDateValue, dates::ParseDiaryDate("31/12/04"));
    EXPECT_TRUE(AllClosedByTheirActions());
}

TEST_F(SpecialDateDialogTest, AcceptedAfterARefusalInTheSameRun) {
    entry::TDlg12 dialog(nullptr);
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        Type(d, 103, "10/03/14");
        Click(d, 1);
        ControlOf<QLineEdit>(d, 103)->clear();
        Type(d, 103, "08/03/14");
        Click(d, 1);
    });
    dialog.Execute();
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(app::Values().specialDateText, "08/03/14");
    EXPECT_TRUE(AllClosedByTheirActions());
}

}  // namespace
}  // namespace jtest
