// Typing and pasting into the entry boxes: the whole capacity can be typed,
// nothing is left out without a word at the box, every box undoes, and a
// non-breaking space is stored as one.
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
#include "setup/HeadingsDialog.h"

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

// Ordinary prose, capitals and wide letters: all of the capacity stated
// can be typed key by key, though it is more than the box shows.
TEST_F(EntryTest, TheWholeCapacityOfTheSummaryAndNoteCanBeTyped) {
    const QString prose = "The day went well and the garden looked fine in the sun. ";
    QString longProse;
    while (longProse.size() < 520) longProse += prose;
    const struct {
        int box;
        QString typed;
        int kept;
    } cases[] = {
        {.box = kSummaryBox, .typed = longProse, .kept = 499},
        {.box = kSummaryBox, .typed = QString(520, 'W'), .kept = 499},
        {.box = kNoteBox, .typed = QString(90, 'W'), .kept = 79},
        {.box = kNoteBox, .typed = longProse.left(90), .kept = 79},
    };
    for (const auto& c : cases) {
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            Type(d, c.box, c.typed);
            QCoreApplication::processEvents();
            const std::string kept = framework::TEdit(&d, c.box).GetText();
            EXPECT_EQ(kept, c.typed.left(c.kept).toStdString()) << c.box;
            EXPECT_EQ(NoticeOf(d, c.box), "The box holds at most " + std::to_string(c.kept) +
                                              " characters: 1 character was left out.");
            d.EndDialog(framework::kIdCancel);
        });
    }
}

// A paste is cut at the capacity, or rid of what cannot be stored, keeping
// the rest, and the box says what it left out.
TEST_F(EntryTest, APasteKeepsWhatCanBeStoredAndSaysWhatItLeftOut) {
    const struct {
        int box;
        QString before, pasted;
        std::string kept, notice;
    } cases[] = {
        {.box = kSummaryBox,
         .before = "",
         .pasted = QString(600, 'a'),
         .kept = std::string(499, 'a'),
         .notice = "The box holds at most 499 characters: 101 characters were left out."},
        {.box = kSummaryBox,
         .before = "ab",
         .pasted = QString(498, 'x'),
         .kept = "ab" + std::string(497, 'x'),
         .notice = "The box holds at most 499 characters: 1 character was left out."},
        {.box = kNoteBox,
         .before = "",
         .pasted = QString(100, 'n'),
         .kept = std::string(79, 'n'),
         .notice = "The box holds at most 79 characters: 21 characters were left out."},
        {.box = kSummaryBox,
         .before = "",
         .pasted = QStringLiteral("za\u017c\u00f3\u0142\u0107"),
         .kept = "za\xF3",
         .notice =
             "\"\u017c\", \"\u0142\" and \"\u0107\" cannot be stored: the diary keeps only Western "
             "European (Windows-1252) characters, so they were left out."},
        {.box = kNoteBox,
         .before = "",
         .pasted = QStringLiteral("za\u017c\u00f3\u0142\u0107"),
         .kept = "za\xF3",
         .notice =
             "\"\u017c\", \"\u0142\" and \"\u0107\" cannot be stored: the diary keeps only Western "
             "European (Windows-1252) characters, so they were left out."},
        {.box = kNoteBox,
         .before = "",
         .pasted = QStringLiteral("smile \U0001F600 ok"),
         .kept = "smile  ok",
         .notice = "\"\U0001F600\" cannot be stored: the diary keeps only Western European "
                   "(Windows-1252) characters, so it was left out."},
        {.box = kSummaryBox,
         .before = "",
         .pasted = "line one\r\nline two\rthree",
         .kept = "line one\r\nline two\r\nthree",
         .notice = ""},
    };
    for (const auto& c : cases) {
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            Type(d, c.box, c.before);
            Paste(d, c.box, c.pasted);
            EXPECT_EQ(framework::TEdit(&d, c.box).GetText(), c.kept) << c.box;
            EXPECT_EQ(NoticeOf(d, c.box), c.notice) << c.box;
            d.EndDialog(framework::kIdCancel);
        });
    }
}

// A character the diary cannot store, typed, is named at that moment;
// what was typed around it, or selected, stays.
TEST_F(EntryTest, ATypedCharacterTheDiaryCannotStoreIsNamedAtOnce) {
    for (int box : {kSummaryBox, kNoteBox}) {
        RunDialog<entry::TextEntryDialog>([box](framework::TDialog& d) {
            Type(d, box, QStringLiteral("za\u017c"));
            QCoreApplication::processEvents();
            EXPECT_EQ(NoticeOf(d, box),
                      "\"\u017c\" cannot be stored: the diary keeps only Western European "
                      "(Windows-1252) characters, so it was left out.");
            Type(d, box, QStringLiteral("\u00f3"));
            EXPECT_EQ(framework::TEdit(&d, box).GetText(), "za\xF3");
            // Typed over a selection, it leaves the selection as it was.
            QTest::keyClick(d.Control(box), Qt::Key_A, Qt::ControlModifier);
            Type(d, box, QStringLiteral("\u0142"));
            QCoreApplication::processEvents();
            EXPECT_EQ(framework::TEdit(&d, box).GetText(), "za\xF3");
            d.EndDialog(framework::kIdCancel);
        });
    }
}

// Ctrl+Z takes back typing and pasting in every box of the entry and
// setup dialogs.
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
        framework::testing::OnNextDialog([box](framework::TDialog& d) {
            Type(d, box, "ab");
            Paste(d, box, "cd");
            QTest::keyClick(d.Control(box), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(framework::TEdit(&d, box).GetText(), "ab") << d.TemplateId() << " " << box;
            QTest::keyClick(d.Control(box), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(framework::TEdit(&d, box).GetText(), "") << d.TemplateId() << " " << box;
            d.EndDialog(framework::kIdCancel);
        });
        framework::TDialog(nullptr, dialogId).Execute();
    }
}

// A cut paste is one step to undo, as a whole paste is.
TEST_F(EntryTest, UndoTakesBackACutPasteInOneStep) {
    RunDialog<entry::TextEntryDialog>([](framework::TDialog& d) {
        for (int box : {kSummaryBox, kNoteBox}) {
            Type(d, box, "keep");
            Paste(d, box, QString(600, 'p'));
            QTest::keyClick(d.Control(box), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(framework::TEdit(&d, box).GetText(), "keep") << box;
        }
        d.EndDialog(framework::kIdCancel);
    });
}

// A non-breaking space is stored as itself.
TEST_F(EntryTest, ANonBreakingSpaceIsStoredAsItself) {
    RunDialog<entry::TextEntryDialog>([](framework::TDialog& d) {
        Type(d, kSummaryBox, QStringLiteral("10\u00a0km"));
        Type(d, kNoteBox, QStringLiteral("a\u00a0b"));
        Click(d, resources::text_entry_ids::kOkButton);
    });
    ASSERT_EQ(DiaryRecords().size(), 1u);
    EXPECT_EQ(DiaryRecords()[0].Text,
              "10\xA0"
              "km  = a\xA0"
              "b)");
}

}  // namespace
}  // namespace jtest
