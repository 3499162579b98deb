// Control wrappers, the rules of the edit boxes and the list's lines.
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTest>

#include "TestDialogs.h"
#include "framework/Controls.h"
#include "framework/EditWidgets.h"
#include "framework/TabStopDelegate.h"

namespace jtest {
namespace {

// The limit counts the terminator, a line break takes two; characters the
// code page cannot hold are refused (a surrogate pair as one character).
TEST_F(FrameworkTest, EditBoxesKeepWhatFitsTheLimitAndTheCodePage) {
    Show([](TTestDlg& d) {
        framework::TEdit line(&d, kLine, 5);
        Type(d, kLine, "abcdefg");
        EXPECT_EQ(line.GetText(), "abcd");
        framework::TEdit summary(&d, kSummary, 6);
        Type(d, kSummary, "ab");
        PressKey(d, Qt::Key_Return);
        QTest::keyClicks(d.Control(kSummary), "cdef");
        EXPECT_EQ(summary.GetText(), "ab\r\nc");
        EXPECT_EQ(summary.GetText(3), "ab\r");
    });
    Show([](TTestDlg& d) {
        Type(d, kLine, QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xC4\x80 \xF0\x9F\x98\x80!"));
        EXPECT_EQ(framework::TEdit(&d, kLine).GetText(), "caf\xE9 \x80  !");
        Type(d, kSummary, QString::fromUtf8("\xC4\x80ok"));
        EXPECT_EQ(framework::TEdit(&d, kSummary).GetText(), "ok");
        // A line break pasted into a one-line box, in any convention, is a space.
        ControlOf<QLineEdit>(d, kLine)->clear();
        ControlOf<QLineEdit>(d, kLine)->insert(QStringLiteral("a\r\nb\rc\nd\u2029e"));
        EXPECT_EQ(framework::TEdit(&d, kLine).GetText(), "a b c d e");
    });
}

// What a pasted text keeps (the start that fits five characters) and the
// notice that names what was left out, a surrogate pair as one character.
TEST(FilterInsert, KeepsWhatFitsAndTheCodePageHoldsAndSaysWhatWasLeftOut) {
    const QString cannot =
        " cannot be stored: the diary keeps only Western European (Windows-1252) "
        "characters, so ";
    const struct {
        const char *inserted, *kept;
        int maxBytes;
        QString notice;
    } cases[] = {
        {.inserted = "a\u0100\U0001F600b\u0100",
         .kept = "ab",
         .maxBytes = 0,
         .notice =
             QString::fromUtf8("\"\u0100\" and \"\U0001F600\"") + cannot + "they were left out."},
        {.inserted = "\u0100\u0101\u0102\u0103\u0104\u0105",
         .kept = "",
         .maxBytes = 0,
         .notice = QString::fromUtf8("\"\u0100\", \"\u0101\", \"\u0102\", \"\u0103\", "
                                     "\"\u0104\" and ...") +
                   cannot + "they were left out."},
        {.inserted = "abcdefg",
         .kept = "abcd",
         .maxBytes = 5,
         .notice = "The box holds at most 5 characters: 3 characters were left out."},
        {.inserted = "abcde",
         .kept = "abcd",
         .maxBytes = 0,
         .notice = "The box is full: 1 character was left out."},
    };
    for (const auto& c : cases) {
        const framework::InsertFilter filter =
            framework::FilterInsert("<", QString::fromUtf8(c.inserted), ">",
                                    [](const QString& t) { return t.size() <= 6; });
        EXPECT_EQ(filter.kept, QString::fromUtf8(c.kept)) << c.inserted;
        EXPECT_EQ(framework::InsertNotice(filter, c.maxBytes), c.notice) << c.inserted;
    }
}

// A line wider than the list is never cut: the list scrolls to its end. A
// deleted selection leaves none, not the line that moved up into its place.
TEST_F(FrameworkTest, ListBoxScrollsToTheWidestLineAndForgetsADeletedSelection) {
    Show([](TTestDlg& d) {
        framework::TListBox list(&d, kList);
        list.SetTabStops({40, 90});
        list.AddStrings({"short", "01/02/03\t" + std::string(110, '8'), "short"});
        auto* view = ControlOf<QListView>(d, kList);
        const auto* delegate = static_cast<framework::TabStopDelegate*>(view->itemDelegate());
        // The list lays the lines out again on a later turn of the event loop.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                view->viewport()->update();
                return delegate->LineWidth() > view->viewport()->width() &&
                       view->horizontalScrollBar()->maximum() + view->viewport()->width() >=
                           delegate->LineWidth();
            },
            2000));
        list.ClearList();
        list.AddString("a\tfirst");
        list.AddStrings({"b\tsecond", "caf\xE9"});
        list.SetSelIndex(1);
        list.DeleteStrings(0, 2);
        EXPECT_EQ(list.GetSelIndex(), -1);  // not the line that moved up
        list.DeleteStrings(5, 1);           // no such line
        EXPECT_EQ(list.GetString(9), "");
        EXPECT_EQ(list.GetString(0), "caf\xE9");
    });
}

}  // namespace
}  // namespace jtest
