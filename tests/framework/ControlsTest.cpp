// Control wrappers and the rules of the edit boxes.
#include <QListView>
#include <QScrollBar>
#include <QTest>

#include "FrameworkFixture.h"
#include "framework/Controls.h"
#include "framework/ListLinesModel.h"
#include "framework/TabStopDelegate.h"
#include "framework/TextCodec.h"

namespace jtest {
namespace {

TEST_F(FrameworkTest, EditLimitCountsTheTerminatorAndLineBreaksTakeTwo) {
    Show([](TTestDlg& d) {
        framework::TEdit line(&d, kLine, 5);
        Type(d, kLine, "abcdefg");
        EXPECT_EQ(line.GetText(), "abcd");

        framework::TEdit summary(&d, kSummary, 6);
        Type(d, kSummary, "ab");
        PressKey(d, Qt::Key_Return);
        QTest::keyClicks(d.Control(kSummary), "cdef");
        EXPECT_EQ(summary.GetText(), "ab\r\nc");  // five bytes and the terminator
        EXPECT_EQ(summary.GetText(3), "ab\r");
    });
}

TEST_F(FrameworkTest, EditBoxesRefuseWhatTheCodePageCannotHold) {
    Show([](TTestDlg& d) {
        Type(d, kLine, QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xC4\x80 \xF0\x9F\x98\x80!"));
        EXPECT_EQ(framework::TEdit(&d, kLine).GetText(), "caf\xE9 \x80  !");
        Type(d, kSummary, QString::fromUtf8("\xC4\x80ok"));
        EXPECT_EQ(framework::TEdit(&d, kSummary).GetText(), "ok");
    });
}

TEST_F(FrameworkTest, ABoxWithoutScrollingStopsTakingTextWhenFull) {
    Show([](TTestDlg& d) {
        Type(d, kNarrow, QString(60, QLatin1Char('W')));
        const std::string kept = framework::TEdit(&d, kNarrow).GetText();
        EXPECT_GT(kept.size(), 0u);
        EXPECT_LT(kept.size(), 60u);
        Type(d, kLine, QString(60, QLatin1Char('W')));  // scrolls: takes it all
        EXPECT_EQ(framework::TEdit(&d, kLine).GetText().size(), 60u);
    });
}

TEST_F(FrameworkTest, TextRoundTripsThroughTheCodePage) {
    Show([](TTestDlg& d) {
        std::string every;
        for (int b = 0x20; b < 0x100; ++b) every.push_back(static_cast<char>(b));
        framework::TStatic label(&d, kLabel);
        label.SetText(every);
        EXPECT_EQ(label.GetText(), every);
        framework::TEdit summary(&d, kSummary);
        summary.SetText("one\r\ntwo \x80");
        EXPECT_EQ(summary.GetText(), "one\r\ntwo \x80");
    });
}

TEST_F(FrameworkTest, RadioGroupsExcludeWithinThemselvesAndCheckBoxesToggle) {
    Show([](TTestDlg& d) {
        framework::TRadioButton a0(&d, kRadioA0), a1(&d, kRadioA0 + 1), b0(&d, kRadioB0);
        Click(d, kRadioA0);
        Click(d, kRadioB0);
        Click(d, kRadioA0 + 1);
        EXPECT_FALSE(a0.IsChecked());
        EXPECT_TRUE(a1.IsChecked());
        EXPECT_TRUE(b0.IsChecked());
        Click(d, kRadioA0 + 1);  // a checked radio stays checked
        EXPECT_TRUE(a1.IsChecked());
        a1.SetCheck(false);  // the program can clear a group
        EXPECT_FALSE(a0.IsChecked() || a1.IsChecked());

        framework::TCheckBox toggle(&d, kToggle);  // push-like, without text
        Click(d, kToggle);
        EXPECT_TRUE(toggle.IsChecked());
        toggle.Click();
        EXPECT_FALSE(toggle.IsChecked());
    });
}

TEST_F(FrameworkTest, ListBoxKeepsOrderSelectionAndBytes) {
    Show([](TTestDlg& d) {
        framework::TListBox list(&d, kList);
        list.SetTabStops({40, 90});
        list.AddString("b\tsecond");
        list.AddStrings({"a\tfirst", "caf\xE9"});
        EXPECT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list.GetString(0), "b\tsecond");
        EXPECT_EQ(list.GetString(2), "caf\xE9");
        EXPECT_EQ(list.GetString(9), "");
        EXPECT_EQ(list.GetSelIndex(), -1);
        list.SetSelIndex(1);
        EXPECT_EQ(list.GetSelIndex(), 1);
        const QAbstractItemModel* model = ControlOf<QListView>(d, kList)->model();
        EXPECT_EQ(model->index(2, 0).data().toString(), QString::fromUtf8("caf\u00e9"));
        list.DeleteStrings(0, 2);
        EXPECT_EQ(list.GetSelIndex(), -1);  // not the line that moved up
        list.DeleteStrings(5, 1);           // no such line
        EXPECT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.GetString(0), "caf\xE9");
        EXPECT_EQ(model->rowCount(), 1);
        list.ClearList();
        EXPECT_EQ(list.GetCount(), 0);
    });
}

// A line wider than the list is never cut: the list scrolls to its end.
TEST_F(FrameworkTest, AListLineWiderThanTheListScrollsToItsEnd) {
    Show([](TTestDlg& d) {
        framework::TListBox list(&d, kList);
        list.SetTabStops({40, 90});
        list.AddStrings({"short", "01/02/03\t" + std::string(110, '8'), "short"});
        auto* view = qobject_cast<QListView*>(d.Control(kList));
        const auto* delegate = static_cast<framework::TabStopDelegate*>(view->itemDelegate());
        // The delegate measures the lines it paints; the list lays them out
        // again on a later turn of the event loop.
        const auto scrollsToEnd = [&] {
            view->viewport()->update();
            return delegate->LineWidth() > view->viewport()->width() &&
                   view->horizontalScrollBar()->maximum() + view->viewport()->width() >=
                       delegate->LineWidth();
        };
        EXPECT_TRUE(QTest::qWaitFor(scrollsToEnd, 2000));
    });
}

// A sorted list keeps its lines in the order of their texts, however they
// come; removing lines keeps the rest whole.
TEST(ListLinesModel, KeepsSortedOrderAndTheLinesAroundARemoval) {
    framework::ListLinesModel sorted(nullptr, true);
    sorted.Add(std::vector<std::string>{"pear", "apple", "", "zebra", "fig"});
    EXPECT_EQ(sorted.Add("grape"), 3);
    std::vector<std::string> lines;
    for (int i = 0; i < sorted.Count(); ++i) lines.emplace_back(sorted.Line(i));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "apple", "fig", "grape", "pear", "zebra"}));
    sorted.Remove(2, 2);
    lines.clear();
    for (int i = 0; i < sorted.Count(); ++i) lines.emplace_back(sorted.Line(i));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "apple", "pear", "zebra"}));
    EXPECT_EQ(sorted.Line(4), "");
}

}  // namespace
}  // namespace jtest
