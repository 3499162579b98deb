// Typing and pasting into the edit boxes: nothing is left out without a
// word at the box, and every box undoes.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "EntryTest.h"
#include "entry/TextEntryDialog.h"
#include "framework/Controls.h"
#include "framework/EditWidgets.h"
#include "resources/ResourceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/ReportsIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

using resources::text_entry_ids::kNoteBox;
using resources::text_entry_ids::kSummaryBox;

// The message the box showed last about text it left out.
std::string NoticeOf(const framework::TDialog& d, int id) {
    QWidget* box = d.Control(id);
    if (auto* single = qobject_cast<framework::SingleLineEdit*>(box)) {
        return single->Notice().toStdString();
    }
    return qobject_cast<framework::MultiLineEdit*>(box)->Notice().toStdString();
}

void Paste(const framework::TDialog& d, int id, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    d.Control(id)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(d.Control(id), Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();  // a cut paste is put back after Qt refuses it whole
}

// What is typed, then pasted, past the capacity or outside what the diary
// can store is left out, the rest kept, and the box says what it left out.
TEST_F(EntryTest, TypingAndPastingKeepWhatCanBeStoredAndSayWhatWasLeftOut) {
    const std::string unstorable =
        "cannot be stored: the diary keeps only Western European "
        "(Windows-1252) characters, so ";
    const struct {
        int box;
        QString typed, pasted;
        std::string kept, notice;
    } cases[] = {
        {.box = kSummaryBox,
         .typed = "ab",
         .pasted = QString(600, 'a'),
         .kept = "ab" + std::string(497, 'a'),
         .notice = "The box holds at most 499 characters: 103 characters were left out."},
        {.box = kNoteBox,
         .typed = QString(80, 'W'),
         .pasted = "",
         .kept = std::string(79, 'W'),
         .notice = "The box holds at most 79 characters: 1 character was left out."},
        {.box = kNoteBox,
         .typed = QStringLiteral("za\u017c"),
         .pasted = QStringLiteral("\u00f3\u0142\U0001F600"),
         .kept = "za\xF3",
         .notice = "\"\u0142\" and \"\U0001F600\" cannot be stored: the diary keeps only Western "
                   "European (Windows-1252) characters, so they were left out."},
        {.box = kSummaryBox,
         .typed = "",
         .pasted = "line one\r\nline two\rthree",
         .kept = "line one\r\nline two\r\nthree",
         .notice = ""},
    };
    for (const auto& c : cases) {
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            Type(d, c.box, c.typed);
            if (!c.pasted.isEmpty()) Paste(d, c.box, c.pasted);
            QCoreApplication::processEvents();
            EXPECT_EQ(framework::TEdit(&d, c.box).GetText(), c.kept) << c.box;
            EXPECT_EQ(NoticeOf(d, c.box), c.notice) << c.box;
            d.EndDialog(framework::kIdCancel);
        });
    }
}

// Ctrl+Z takes back a paste, cut or not, in one step, then the typing, in
// every box of the entry and setup dialogs.
TEST_F(EntryTest, UndoWorksInEveryEditBox) {
    const std::pair<int, int> boxes[] = {
        {resources::kTextEntryDialog, kSummaryBox},
        {resources::kTextEntryDialog, kNoteBox},
        {resources::kHeadingsDialog, resources::headings_ids::HeadingBox(0)},
        {resources::kTextTitleDialog, resources::note_title_ids::kTitleBox},
        {resources::kReportsDialog, resources::reports_ids::kSearchBox},
        {resources::kOtherDateDialog, resources::other_date_ids::kDateBox},
    };
    for (const auto& [dialogId, box] : boxes) {
        for (const QString& pasted : {QString("cd"), QString(600, 'p')}) {
            framework::testing::OnNextDialog([box, &pasted](framework::TDialog& d) {
                Type(d, box, "ab");
                Paste(d, box, pasted);
                QTest::keyClick(d.Control(box), Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(framework::TEdit(&d, box).GetText(), "ab") << d.TemplateId() << box;
                QTest::keyClick(d.Control(box), Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(framework::TEdit(&d, box).GetText(), "") << d.TemplateId() << box;
                d.EndDialog(framework::kIdCancel);
            });
            framework::TDialog(nullptr, dialogId).Execute();
        }
    }
}

}  // namespace
}  // namespace jtest
