// The setup dialogs driven through their controls: what OK writes to the
// settings file and keeps in memory, and where it stops (the dialog staying
// open) when a box is blank or a write fails.
#include <pwd.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <array>
#include <cerrno>
#include <cstring>

#include "entry/EntryTest.h"
#include "resources/ResourceIds.h"
#include "resources/ids/EntryPreferenceIds.h"
#include "resources/ids/GeneralHelpIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "session/Settings.h"
#include "setup/EntryPreferenceDialog.h"
#include "setup/HeadingsDialog.h"
#include "setup/NoteTitleDialog.h"

namespace jtest {
namespace {

using namespace resources;
using Headings = std::array<std::string, session::kHeadingCount>;
const Headings kOld = {"old 1", "old 2", "old 3", "old 4", "old 5", "old 6"};
const std::string kNotSaved = "stop: Subject heading 3 could not be saved. (disk full)";
const std::string kBlank = "There is at least one empty heading\nYou must fill all 6 heading boxes";

// The entry fixture, with the n-th settings write (a rename) failing with
// ENOSPC (0: none) and the settings file holding lines (CR LF each).
class SetupDialogTest : public EntryTest {
protected:
    void Fresh(int failingWrite, const std::string& lines = "") {
        StartUp();
        WriteFileBytes(session::SettingsPath(), "[Jotwel]\r\n" + lines);
        faults_.FailNth(failingWrite, platform::FaultEnv::kRename, ENOSPC);
    }
    platform::FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};

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

// The boxes show the headings only when the stored Head1 holds a letter or
// digit. OK writes each box, cut to 23 bytes, in order; a blank box or a
// failed write stops it with a message, the boxes before staying written.
TEST_F(SetupDialogTest, HeadingsAreWrittenInOrderUntilABlankBoxOrAFailedWrite) {
    const struct {
        const char* stored;
        QString box3;
        int written, failingWrite = 0;
        std::string message = "";
    } cases[] = {
        {.stored = "Head0=\r\nHead1=7\r\n", .box3 = "Family", .written = 6},
        {.stored = "Head0=\r\nHead1=- -\r\n", .box3 = "-- ?!", .written = 2, .message = kBlank},
        {.stored = "", .box3 = "Family", .written = 2, .failingWrite = 3, .message = kNotSaved},
    };
    // Boxes 1 and 2 as typed: more than 23 bytes, and a letter outside ASCII.
    const QString typed[] = {"fill it till it is full, still", QStringLiteral("Caf\u00e9")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        Fresh(c.failingWrite, c.stored);
        session::Values().headings = kOld;
        RunDialog<setup::HeadingsDialog>([&](framework::TDialog& d) {
            using namespace headings_ids;
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(TextOf(d, HeadingBox(i)), c.written == 6 ? kOld[i] : "");
                ControlOf<QLineEdit>(d, HeadingBox(i))->clear();
                Type(d, HeadingBox(i), i < 2 ? typed[i] : i == 2 ? c.box3 : "Mood");
            }
            Click(d, kOkButton);
            EXPECT_EQ(d.IsRunning(), c.written < 6);
            if (d.IsRunning()) Click(d, kCancelButton);
        });
        EXPECT_EQ(TemplatesShown(), std::vector<int>{kHeadingsDialog});
        EXPECT_EQ(MessagesShown(), c.message);
        const std::string slot3 = c.failingWrite ? "old 3" : c.box3.toStdString();
        Headings memory = {"fill it till it is full", "Caf\xE9", slot3, "Mood", "Mood", "Mood"};
        std::string lines = "[Jotwel]\r\n";
        for (int i = 0; i < c.written; ++i) {
            lines += "Head" + std::to_string(i) + "=" + memory[i] + "\r\n";
        }
        EXPECT_EQ(SettingsBytes(), lines);
        if (c.written < 6) std::copy(kOld.begin() + 3, kOld.end(), memory.begin() + 3);
        EXPECT_EQ(session::Values().headings, memory);
    }
}

// The today box opens with (and memory keeps) the start-up preference, not
// the file's; OK writes Default, then ToDay; Help keeps the choices.
TEST_F(SetupDialogTest, PreferenceWritesDefaultThenToDay) {
    using namespace entry_preference_ids;
    const struct {
        bool today;
        std::vector<int> clicks;
        std::string after;
        int failingWrite = 0;
    } cases[] = {
        {.today = false,
         .clicks = {kButtonEntriesRadio, kTodayBox},
         .after = "KEYS\r\nToDay=ToDay"},
        {.today = true, .clicks = {kTodayBox}, .after = "TEXT\r\nToDay=No"},
        {.today = false, .clicks = {kTodayBox}, .after = "TEXT", .failingWrite = 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        Fresh(c.failingWrite, c.today ? "Default=KEYS\r\nToDay=No\r\n" : "");
        session::Values().todayPreference = c.today;
        RunDialog<setup::EntryPreferenceDialog>([&c](framework::TDialog& d) {
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
        EXPECT_EQ(TemplatesShown(), (std::vector<int>{kEntryPreferenceDialog, kGeneralHelpDialog}));
        EXPECT_EQ(
            MessagesShown(),
            c.failingWrite ? "stop: Your entry preference could not be saved. (disk full)" : "");
        EXPECT_EQ(SettingsBytes(), "[Jotwel]\r\nDefault=" + c.after + "\r\n");
        EXPECT_EQ(session::Values().todayPreference, c.today);
    }
}

// The box starts empty; Enter (OK) stores what it holds, an empty box
// included, cut to 79 bytes, and makes it the note title once written.
TEST_F(SetupDialogTest, TitleIsStoredAsTyped) {
    const struct {
        QString typed;
        std::string stored;
        int failingWrite = 0;
    } cases[] = {
        {.typed = "", .stored = ""},
        {.typed = QString(100, 'a'), .stored = std::string(79, 'a')},
        {.typed = "Lost", .stored = session::kDefaultNoteTitle, .failingWrite = 1},
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
        EXPECT_EQ(TemplatesShown(), std::vector<int>{kTextTitleDialog});
        EXPECT_EQ(MessagesShown(),
                  c.failingWrite
                      ? "stop: Your title for text entries could not be saved. (disk full)"
                      : "");
        EXPECT_EQ(SettingsBytes(),
                  "[Jotwel]\r\n" + (c.failingWrite ? "" : "TextTit=" + c.stored + "\r\n"));
        EXPECT_EQ(session::Values().noteTitle, c.stored);
    }
}

// The settings file's place: an absolute XDG_CONFIG_HOME, else ~/.config,
// where ~ is an absolute HOME or else the account's home folder; never the
// folder the program started in.
TEST(SettingsPlace, FollowsTheConfigRulesAndNeverTheStartingFolder) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome ? oldHome : "";
    const std::string account = ::getpwuid(::getuid())->pw_dir;
    const struct {
        const char* xdg;   // nullptr: unset
        const char* home;  // nullptr: unset
        std::string expected;
    } cases[] = {
        {.xdg = "/abs/conf", .home = "/h", .expected = "/abs/conf/ZORVANT.INI"},
        {.xdg = "rel/conf", .home = "/h", .expected = "/h/.config/ZORVANT.INI"},
        {.xdg = "", .home = "/h", .expected = "/h/.config/ZORVANT.INI"},
        {.xdg = nullptr, .home = nullptr, .expected = account + "/.config/ZORVANT.INI"},
        {.xdg = nullptr, .home = "relative", .expected = account + "/.config/ZORVANT.INI"},
    };
    for (const auto& c : cases) {
        c.xdg ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(session::SettingsPath(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    oldHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace jtest
