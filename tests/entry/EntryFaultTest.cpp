// A save that fails is never taken for a success. When the disk refuses the
// entry, the dialog says it was not saved and why, keeps everything the
// user typed and chose, leaves the diary as it was and LastDate unwritten,
// and a second OK stores it. When only LastDate cannot be written, the
// entry is kept, the user is told, and the dialog closes.
#include <errno.h>

#include <QPlainTextEdit>
#include <QRadioButton>
#include <cstring>

#include "EntryTest.h"
#include "entry/TDlg1.h"
#include "entry/TDlg4.h"

namespace jtest {
namespace {

using platform::FaultEnv;

struct Kind {
    const char* name;
    void (*run)(std::function<void(framework::TDialog&)>);
    void (*fill)(framework::TDialog&);
    void (*checkKept)(framework::TDialog&);
    const char* text;  // Text of the record stored
};

void FillText(framework::TDialog& d) {
    TypeLines(d, 102, {"First line", "Second line"});
    Type(d, 103, "Note");
    Click(d, 110);
}
void TextKept(framework::TDialog& d) {
    EXPECT_EQ(TextOf(d, 102), "First line\nSecond line");
    EXPECT_EQ(TextOf(d, 103), "Note");
    EXPECT_TRUE(ControlOf<QRadioButton>(d, 110)->isChecked());
}
void FillButtons(framework::TDialog& d) {
    Click(d, 101 + 3);
    Click(d, 101 + 11 * 5 + 9);
}
void ButtonsKept(framework::TDialog& d) {
    EXPECT_TRUE(ControlOf<QRadioButton>(d, 101 + 3)->isChecked());
    EXPECT_TRUE(ControlOf<QRadioButton>(d, 101 + 11 * 5 + 9)->isChecked());
}

const Kind kTextEntry{"text entry", RunDialog<entry::TDlg1>, FillText, TextKept,
                      "First line\r\nSecond line  = Note)"};
const Kind kButtonEntry{
    "button entry", RunDialog<entry::TDlg4>, FillButtons, ButtonsKept,
    "Work = 3 : Health = -1 :Money = -1 Family = -1 : Hobby = -1 : Weather = 9"};

const store::TEntryRecord kEarlier{"earlier  = )", "01/12/14 @ 10:00:00", 1417428000, 2};

struct FaultCase {
    const Kind& kind;
    unsigned op;
    int nth;
    int error;
};

class EntryFaultTest : public EntryTest {
protected:
    void Fresh() {
        WriteDiary({kEarlier});
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
    }
};

TEST_F(EntryFaultTest, EntryNotStoredIsReportedAndKeptForAnotherTry) {
    const FaultCase cases[] = {
        {kTextEntry, FaultEnv::kRename, 1, ENOSPC},
        {kTextEntry, FaultEnv::kWrite, 1, EIO},
        {kTextEntry, FaultEnv::kOpenWrite, 1, EACCES},
        {kButtonEntry, FaultEnv::kWrite, 1, ENOSPC},
        {kButtonEntry, FaultEnv::kSync, 1, EIO},
        {kButtonEntry, FaultEnv::kOpenWrite, 1, EACCES},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(std::string(c.kind.name) + " " + std::strerror(c.error));
        Fresh();
        const std::string diaryBefore = ReadFileBytes(InTestDir("Jotwel.dat"));
        FaultEnv env(&clock_);
        env.FailNth(c.nth, c.op, c.error);
        platform::ScopedEnv useFaults(&env);
        c.kind.run([&](framework::TDialog& d) {
            c.kind.fill(d);
            Click(d, 1);
            ASSERT_TRUE(env.fired());
            ASSERT_TRUE(d.IsRunning());
            const auto shown = LastMessageBox();
            EXPECT_EQ(shown.flags, framework::kMbOk | framework::kMbIconStop);
            EXPECT_EQ(shown.caption, "");
            EXPECT_EQ(shown.text.rfind("Your entry could not be saved.\n\n", 0), 0u) << shown.text;
            EXPECT_NE(shown.text.find(std::strerror(c.error)), std::string::npos) << shown.text;
            EXPECT_EQ(ReadFileBytes(InTestDir("Jotwel.dat")), diaryBefore);
            EXPECT_EQ(SettingsBytes(), "");
            c.kind.checkKept(d);
            Click(d, 1);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0], kEarlier);
        EXPECT_EQ(records[1].Text, c.kind.text);
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

TEST_F(EntryFaultTest, LastDateNotWrittenKeepsTheEntryAndSaysSo) {
    // The settings file is written after the diary: the text entry's second
    // rename, the button entry's first.
    const FaultCase cases[] = {
        {kTextEntry, FaultEnv::kRename, 2, ENOSPC},
        {kButtonEntry, FaultEnv::kRename, 1, EACCES},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.kind.name);
        Fresh();
        FaultEnv env(&clock_);
        env.FailNth(c.nth, c.op, c.error);
        platform::ScopedEnv useFaults(&env);
        c.kind.run([&](framework::TDialog& d) {
            c.kind.fill(d);
            Click(d, 1);
        });
        EXPECT_TRUE(env.fired());
        EXPECT_TRUE(AllClosedByTheirActions());
        const auto shown = LastMessageBox();
        EXPECT_EQ(shown.flags, framework::kMbOk);
        EXPECT_EQ(shown.text.rfind("Your entry has been saved.\n\n", 0), 0u) << shown.text;
        EXPECT_NE(shown.text.find(std::strerror(c.error)), std::string::npos) << shown.text;
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[1].Text, c.kind.text);
        EXPECT_EQ(SettingsBytes(), "");
    }
}

}  // namespace
}  // namespace jtest
