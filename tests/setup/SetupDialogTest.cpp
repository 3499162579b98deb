// The setup dialogs and help screens driven through their controls: what
// they show, what OK writes to the settings file and keeps in memory, where
// it stops (the dialog staying open) when a box is blank or a write fails,
// and that every other way out changes nothing.
#include <QAbstractButton>
#include <QLineEdit>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/MainWindow.h"
#include "framework/DialogWidget.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "resources/ids/AboutIds.h"
#include "resources/ids/ButtonEntryHelpIds.h"
#include "resources/ids/EntryPreferenceIds.h"
#include "resources/ids/GeneralHelpIds.h"
#include "resources/ids/HeadingsHelpIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "resources/ids/TextEntryHelpIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "setup/EntryPreferenceDialog.h"
#include "setup/HeadingsDialog.h"
#include "setup/NoteTitleDialog.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace jtest {
namespace {

using namespace resources;
using Action = std::function<void(framework::TDialog&)>;
using Headings = std::array<std::string, session::kHeadingCount>;
const Headings kOld = {"old 1", "old 2", "old 3", "old 4", "old 5", "old 6"};
// Boxes 1 and 2 as typed: more than 23 bytes, and a letter outside ASCII.
const QString kTyped[] = {
    "fill it till it is full, still", QStringLiteral("Caf\u00e9"), "", "Sleep", "Exercise", "Mood"};
const std::string kNotSaved = " could not be saved. (disk full)";
const std::string kBlank = "There is at least one empty heading\nYou must fill all 6 heading boxes";

// No settings file, the values of a program that has not started, and a
// file layer that Fresh() arms to fail the n-th rename (how a settings
// write lands) with ENOSPC.
class SetupDialogTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Fresh();
    }
    // failingWrite: the settings write that fails (0: none).
    void Fresh(int failingWrite = 0) {
        std::remove(session::SettingsPath().c_str());
        framework::testing::ResetSeams();
        session::ResetValues();
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

bool AllClosedByTheirActions() {
    for (const auto& shown : framework::testing::DialogsShown()) {
        if (!shown.hadAction || shown.leftOpen) return false;
    }
    return true;
}

// The message boxes shown, each as its text up to the reason after a blank
// line; "stop: " before it for a stop icon, " (disk full)" after it when the
// reason says so.
std::string MessagesShown() {
    std::string messages;
    for (const auto& box : framework::testing::MessageBoxesShown()) {
        const bool stop = box.flags == (framework::kMbOk | framework::kMbIconStop);
        const bool full = box.text.find(std::strerror(ENOSPC)) != std::string::npos;
        messages += (stop ? "stop: " : "") + box.text.substr(0, box.text.find("\n\n")) +
                    (full ? " (disk full)" : "");
    }
    return messages;
}

std::string SettingsBytes() {
    return ReadFileBytes(session::SettingsPath());
}
// Writes the settings file: section Jotwel with these lines (CR LF each).
void WriteSettings(const std::string& lines) {
    WriteFileBytes(session::SettingsPath(), "[Jotwel]\r\n" + lines);
}

// The boxes open with the headings in memory only when the stored Head1
// holds a letter or digit. OK cuts each box to 23 bytes and writes it in
// order; at the first box with no letter or digit, or a failed write, it
// says so and stops: the boxes before stay written, a blank box's text is in
// memory only, and Cancel keeps that.
TEST_F(SetupDialogTest, HeadingsAreWrittenInOrderUntilABlankBoxOrAFailedWrite) {
    const struct {
        const char* stored;
        bool filled;
        QString box3;
        int failingWrite, written;
        std::string slot3, message;
    } cases[] = {
        {.stored = "Head0=\r\nHead1=7\r\n",
         .filled = true,
         .box3 = "Family",
         .failingWrite = 0,
         .written = 6,
         .slot3 = "Family",
         .message = ""},
        {.stored = "",
         .filled = false,
         .box3 = "",
         .failingWrite = 0,
         .written = 2,
         .slot3 = "",
         .message = kBlank},
        {.stored = "Head0=Health\r\nHead1=- -\r\n",
         .filled = false,
         .box3 = "-- ?!",
         .failingWrite = 0,
         .written = 2,
         .slot3 = "-- ?!",
         .message = kBlank},
        {.stored = "",
         .filled = false,
         .box3 = "Family",
         .failingWrite = 3,
         .written = 2,
         .slot3 = "old 3",
         .message = "stop: Subject heading 3" + kNotSaved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot3);
        Fresh(c.failingWrite);
        WriteSettings(c.stored);
        session::Values().headings = kOld;
        RunDialog<setup::HeadingsDialog>([&c](framework::TDialog& d) {
            using namespace headings_ids;
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(TextOf(d, HeadingBox(i)), c.filled ? kOld[i] : "");
                ControlOf<QLineEdit>(d, HeadingBox(i))->clear();
                Type(d, HeadingBox(i), i == 2 ? c.box3 : kTyped[i]);
            }
            Click(d, kOkButton);
            EXPECT_EQ(d.IsRunning(), c.written < 6);
            if (d.IsRunning()) Click(d, kCancelButton);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        EXPECT_EQ(MessagesShown(), c.message);
        Headings memory = {
            "fill it till it is full", "Caf\xE9", c.slot3, "Sleep", "Exercise", "Mood"};
        std::string lines = "[Jotwel]\r\n";
        for (int i = 0; i < c.written; ++i) {
            lines += "Head" + std::to_string(i) + "=" + memory[i] + "\r\n";
        }
        EXPECT_EQ(SettingsBytes(), lines);
        if (c.written < 6) std::copy(kOld.begin() + 3, kOld.end(), memory.begin() + 3);
        EXPECT_EQ(session::Values().headings, memory);
    }
}

// The dialog opens with text entries chosen and the today box showing the
// preference of start-up, not the file's. OK writes Default, then ToDay;
// Help in between shows the general help over it and keeps the choices.
// The preference in memory keeps its start-up value.
TEST_F(SetupDialogTest, PreferenceWritesDefaultThenToDay) {
    const struct {
        bool today;
        const char* before;
        std::vector<int> clicks;
        int failingWrite;
        const char* after;
        std::string message = "";
    } cases[] = {
        {.today = false,
         .before = "",
         .clicks = {},
         .failingWrite = 0,
         .after = "Default=TEXT\r\nToDay=No\r\n"},
        {.today = false,
         .before = "",
         .clicks = {entry_preference_ids::kButtonEntriesRadio, entry_preference_ids::kTodayBox},
         .failingWrite = 0,
         .after = "Default=KEYS\r\nToDay=ToDay\r\n"},
        {.today = true,
         .before = "Default=KEYS\r\nToDay=No\r\n",
         .clicks = {entry_preference_ids::kTodayBox},
         .failingWrite = 0,
         .after = "Default=TEXT\r\nToDay=No\r\n"},
        {.today = false,
         .before = "",
         .clicks = {entry_preference_ids::kTodayBox},
         .failingWrite = 2,
         .after = "Default=TEXT\r\n",
         .message = "stop: Your entry preference" + kNotSaved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        Fresh(c.failingWrite);
        WriteSettings(c.before);
        session::Values().todayPreference = c.today;
        RunDialog<setup::EntryPreferenceDialog>([&c](framework::TDialog& d) {
            using namespace entry_preference_ids;
            EXPECT_TRUE(ControlOf<QAbstractButton>(d, kTextEntriesRadio)->isChecked());
            EXPECT_EQ(ControlOf<QAbstractButton>(d, kTodayBox)->isChecked(), c.today);
            for (int id : c.clicks) Click(d, id);
            framework::testing::OnNextDialog([&d](framework::TDialog& help) {
                EXPECT_EQ(help.Parent(), &d);
                Click(help, general_help_ids::kCloseButton);
            });
            Click(d, kHelpButton);
            Click(d, kOkButton);
            if (d.IsRunning()) Click(d, kCancelButton);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        EXPECT_EQ(framework::testing::DialogsShown().at(1).templateId, kGeneralHelpDialog);
        EXPECT_EQ(MessagesShown(), c.message);
        EXPECT_EQ(SettingsBytes(), std::string("[Jotwel]\r\n") + c.after);
        EXPECT_EQ(session::Values().todayPreference, c.today);
    }
}

// The box starts empty; Enter (OK) stores what it holds, an empty box
// included, cut to 79 bytes, and makes it the note title once written.
TEST_F(SetupDialogTest, TitleIsStoredAsTyped) {
    const struct {
        QString typed;
        int failingWrite;
        std::string stored, message = "";
    } cases[] = {
        {.typed = "Best moment", .failingWrite = 0, .stored = "Best moment"},
        {.typed = "", .failingWrite = 0, .stored = ""},
        {.typed = QString(100, 'a'), .failingWrite = 0, .stored = std::string(79, 'a')},
        {.typed = "Lost",
         .failingWrite = 1,
         .stored = session::kDefaultNoteTitle,
         .message = "stop: Your title for text entries" + kNotSaved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Fresh(c.failingWrite);
        RunDialog<setup::NoteTitleDialog>([&c](framework::TDialog& d) {
            using note_title_ids::kTitleBox;
            EXPECT_EQ(TextOf(d, kTitleBox), "");
            ControlOf<QLineEdit>(d, kTitleBox)->setFocus();
            ControlOf<QLineEdit>(d, kTitleBox)->setText(c.typed);  // as pasted
            PressKey(d, Qt::Key_Return);
            if (d.IsRunning()) PressKey(d, Qt::Key_Escape);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        EXPECT_EQ(MessagesShown(), c.message);
        EXPECT_EQ(SettingsBytes(),
                  c.failingWrite ? "" : "[Jotwel]\r\nTextTit=" + c.stored + "\r\n");
        EXPECT_EQ(session::Values().noteTitle, c.stored);
    }
}

Action Clicks(int id) {
    return [id](framework::TDialog& d) { Click(d, id); };
}
Action Types(int id, const char* text) {
    return [id, text](framework::TDialog& d) { Type(d, id, text); };
}
const Action kEscape = [](framework::TDialog& d) { PressKey(d, Qt::Key_Escape); };
const Action kCloseBox = [](framework::TDialog& d) { d.Widget()->close(); };

// Each Setup and Help command opens its dialog over the main window, at
// its template's place in the client area; a setup dialog left with a
// change made, other than by OK (Cancel, Escape or its close box), changes
// nothing, and the main window keeps waiting.
TEST_F(SetupDialogTest, EachMenuCommandOpensItsDialogAndEveryOtherCloseChangesNothing) {
    const struct {
        int command, templateId;
        Action change, close;
    } cases[] = {
        {.command = kCmSetSubjectHeadings,
         .templateId = kHeadingsDialog,
         .change = Types(headings_ids::HeadingBox(0), "x"),
         .close = Clicks(headings_ids::kCancelButton)},
        {.command = kCmSetEntryPreference,
         .templateId = kEntryPreferenceDialog,
         .change = Clicks(entry_preference_ids::kButtonEntriesRadio),
         .close = kEscape},
        {.command = kCmSetTextTitle,
         .templateId = kTextTitleDialog,
         .change = Types(note_title_ids::kTitleBox, "New"),
         .close = kCloseBox},
        {.command = kCmGeneralHelp,
         .templateId = kGeneralHelpDialog,
         .change = nullptr,
         .close = Clicks(general_help_ids::kCloseButton)},
        {.command = kCmButtonEntryHelp,
         .templateId = kButtonEntryHelpDialog,
         .change = nullptr,
         .close = Clicks(button_entry_help_ids::kCloseButton)},
        {.command = kCmFurtherButtonEntryHelp,
         .templateId = kHeadingsHelpDialog,
         .change = nullptr,
         .close = Clicks(headings_help_ids::kCloseButton)},
        {.command = kCmTextEntryHelp,
         .templateId = kTextEntryHelpDialog,
         .change = nullptr,
         .close = Clicks(text_entry_help_ids::kCloseButton)},
        {.command = kCmAbout,
         .templateId = kAboutDialog,
         .change = nullptr,
         .close = Clicks(about_ids::kCloseButton)},
    };
    WriteSettings("ToDay=ToDay\r\nHead0=old 1\r\nHead1=old 2\r\nTextTit=Old\r\n");
    app::MainWindow window{nullptr, "Jotwel"};
    window.Create();
    window.Show();
    const std::string stored = SettingsBytes();
    const session::AppValues before = session::Values();
    for (const auto& c : cases) {
        SCOPED_TRACE("template " + std::to_string(c.templateId));
        framework::testing::ResetSeams();
        framework::testing::OnNextDialog([&](framework::TDialog& d) {
            EXPECT_EQ(d.Parent(), &window);
            const int at = c.templateId == kGeneralHelpDialog ? 1 : 0;  // the template's x and y
            const framework::DialogUnits& units = d.Dialog()->units();
            EXPECT_EQ(d.Widget()->pos(),
                      window.Client()->mapToGlobal(QPoint(units.X(at), units.Y(at))));
            if (c.change) c.change(d);
            c.close(d);
        });
        window.Command(c.command);
        ASSERT_EQ(framework::testing::DialogsShown().size(), 1u);
        EXPECT_EQ(framework::testing::DialogsShown()[0].templateId, c.templateId);
        EXPECT_TRUE(AllClosedByTheirActions());
        EXPECT_TRUE(window.Widget()->isVisible());
        EXPECT_EQ(SettingsBytes(), stored);
        const session::AppValues& now = session::Values();
        EXPECT_EQ(std::tie(now.headings, now.noteTitle, now.todayPreference),
                  std::tie(before.headings, before.noteTitle, before.todayPreference));
    }
}

}  // namespace
}  // namespace jtest
