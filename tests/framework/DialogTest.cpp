// Dialogs: built from their templates, modal runs, the keyboard, message
// boxes; the control wrappers, the rules of the edit boxes and the list's
// lines; the print dialog's choices, the names it proposes, what a print
// job draws and counts as printed.

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "TestEnvironment.h"
#include "framework/Controls.h"
#include "framework/DialogUnits.h"
#include "framework/EditWidgets.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "framework/TDialog.h"
#include "framework/TabStopDelegate.h"
#include "framework/print/PrintDialog.h"
#include "framework/print/PrintProgressIds.h"
#include "framework/print/TPrinter.h"
#include "framework/print/TPrintout.h"
#include "resources/TemplateParts.h"

namespace jtest {
namespace {

using framework::kIdCancel;
using framework::kIdOk;
using framework::testing::DialogsShown;
using framework::testing::PrintDialogAnswer;
using framework::testing::PrintDialogsShown;

constexpr int kTestDialog = 900;
// Ids in the test dialog.
enum TestIds {
    kLine = 101,     // single-line edit that scrolls
    kSummary = 102,  // multi-line edit, Enter starts a new line, stops when full
    kToggle = 103,   // push-like check box without text
    kRadioA0 = 104,  // radios 104..106: one group
    kRadioB0 = 107,  // radios 107..108: another group
    kDo = 110,       // bound by TTestDlg
    kUnbound = 111,  // bound nowhere
    kHiddenButton = 112,
    kLabel = 120,      // names kNarrow below it
    kWideLabel = 121,  // one line, wider than its room
    kList = 130,
    kNarrow = 140,  // single-line edit that stops when full
};

// A resource module that holds the test dialog alone: every kind of
// control the windowing layer builds.
class TestResources : public framework::TResourceModule {
public:
    TestResources();
    const framework::DialogTemplate* FindDialog(int id) const override {
        return id == kTestDialog ? &dialog_ : nullptr;
    }
    const framework::MenuTemplate* FindMenu(int) const override { return nullptr; }
    QIcon LoadIcon(int) const override { return {}; }
    QPixmap LoadBitmap(int) const override { return {}; }

private:
    framework::DialogTemplate dialog_;
};

// Binds kDo to a handler that logs and calls onDo; binds 1 to a handler
// that logs and does not close (its own table comes before TDialog's).
class TTestDlg : public framework::TDialog {
public:
    TTestDlg(framework::TWindow* parent, std::vector<std::string>* log)
        : TDialog(parent, kTestDialog), log_(log) {}
    std::function<void(TTestDlg&)> onDo;

protected:
    void SetupWindow() override { log_->push_back("setup"); }
    bool HandleCommand(int id) override {
        static const framework::TCommandTable<TTestDlg> table{{kDo, &TTestDlg::Do},
                                                              {1, &TTestDlg::Ok}};
        return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
    }

private:
    void Do() {
        log_->push_back("do");
        if (onDo) onDo(*this);
    }
    void Ok() { log_->push_back("ok"); }
    std::vector<std::string>* log_;
};

// GuiTest with the test dialogs installed instead of the program's.
class FrameworkTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        framework::SetResourceModule(&resources_);
    }
    // Runs a test dialog modally with action as the user's part; returns its result.
    int Run(std::function<void(TTestDlg&)> action) {
        framework::testing::OnNextDialog(
            [action](framework::TDialog& d) { action(static_cast<TTestDlg&>(d)); });
        return TTestDlg(nullptr, &log).Execute();
    }
    // As Run, then cancels the dialog.
    void Show(std::function<void(TTestDlg&)> action) {
        Run([action](TTestDlg& d) {
            action(d);
            d.EndDialog(framework::kIdCancel);
        });
    }

    TestResources resources_;
    std::vector<std::string> log;
};

// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace resources::parts;

TestResources::TestResources() {
    dialog_ = {.id = kTestDialog, .caption = "Test Dialog",
               .x = 0, .y = 0, .width = 300, .height = 200,
               .fontFace = "MS Sans Serif", .fontPoints = 8,
               .contextHelp = false, .closeDisabled = false,
               .controls = {
                   Edit(kLine, 10, 10, 100, 14, kTabStop | kBorder | kAutoHScroll),
                   Edit(kSummary, 10, 30, 100, 30,
                        kTabStop | kBorder | kMultiLine | kWantReturn),
                   Check(kToggle, "", 120, 10, 12, 11, kTabStop | kPushLike, "Toggle"),
                   Radio(kRadioA0, "A0", 10, 70, 30, 10, kTabStop | kGroup),
                   Radio(kRadioA0 + 1, "A1", 40, 70, 30, 10),
                   Radio(kRadioA0 + 2, "A2", 70, 70, 30, 10),
                   Radio(kRadioB0, "B0", 10, 85, 30, 10, kTabStop | kGroup),
                   Radio(kRadioB0 + 1, "B1", 40, 85, 30, 10),
                   Button(kHiddenButton, "Hidden", 200, 100, 40, 14, kTabStop | kHidden),
                   Button(kDo, "Do", 200, 120, 40, 14),
                   Button(kUnbound, "Unbound", 200, 140, 40, 14),
                   Text(kLabel, "Label", 120, 30, 60, 10),
                   Text(kWideLabel, "A label far wider than its room", 200, 160, 20, 10),
                   List(kList, 10, 100, 150, 60, kTabStop | kBorder | kVScroll),
                   Edit(kNarrow, 120, 50, 30, 14),
                   Button(kIdOk, "OK", 250, 180, 40, 14),
                   Button(kIdCancel, "Cancel", 200, 180, 40, 14),
               }};
}

// clang-format on

// Set up once however often it is shown, sized from its font, its controls
// found by id.
TEST_F(FrameworkTest, ADialogIsBuiltFromItsTemplateAndSetUpOnce) {
    const framework::DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(240, 120, 50, 14), QRect(360, 195, 75, 23));
    EXPECT_EQ(units.X(1), 2);  // 1.5 rounds away from zero
    TTestDlg shown(nullptr, &log);
    shown.ShowModeless();
    shown.ShowModeless();
    EXPECT_TRUE(shown.Widget()->isVisible());
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        const framework::DialogUnits units(d.Widget()->font());
        EXPECT_EQ(d.Widget()->size(), QSize(units.X(300), units.Y(200)));
        EXPECT_EQ(d.Control(kDo)->geometry(), units.ToPixels(200, 120, 40, 14));
        EXPECT_GT(d.Control(kWideLabel)->width(), units.X(20) * 2);  // one line: widened
        EXPECT_EQ(d.Control(kToggle)->accessibleName(), "Toggle");
        EXPECT_EQ(d.Control(999), nullptr);
        EXPECT_EQ(ControlOf<QLabel>(d, kLabel)->buddy(), d.Control(kNarrow));
        d.EndDialog(kIdCancel);
    });
    EXPECT_EQ(shown.Execute(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"setup"});
}

// The dialog's own table comes before the base; an unbound id does nothing;
// a dialog its action leaves open is recorded so and closed.
TEST_F(FrameworkTest, WaysOfEndingGiveTheirResults) {
    const struct {
        std::function<void(TTestDlg&)> act;
        int result;
    } cases[] = {
        {.act = [](TTestDlg& d) { d.Widget()->close(); }, .result = 2},
        {.act = [](TTestDlg& d) { d.EndDialog(108); }, .result = 108},
        {.act =
             [](TTestDlg& d) {
                 Click(d, kIdOk);  // logs, does not close
                 Click(d, kUnbound);
             },
         .result = 2},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_EQ(Run(c.act), c.result) << &c - cases;
        EXPECT_EQ(DialogsShown().back().leftOpen, &c == std::end(cases) - 1);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "ok"}));
}

// Tab skips hidden, untabbable and unchecked group members and enters a
// group at its checked button; arrows step through a group, wrapping, and
// check the button they reach; a group excludes only within itself.
TEST_F(FrameworkTest, TabArrowsAndClicksFollowTemplateOrderAndRadioGroups) {
    Show([](TTestDlg& d) {
        framework::TRadioButton(&d, kRadioA0 + 2).SetCheck(true);
        d.Control(kLine)->setFocus();
        ExpectFocusPath(d, Qt::Key_Tab,
                        {kSummary, kToggle, kRadioA0 + 2, kRadioB0, kDo, kUnbound, kList, kNarrow,
                         kIdOk, kIdCancel, kLine});
        ExpectFocusPath(d, Qt::Key_Backtab, {kIdCancel, kIdOk});
        Click(d, kRadioA0);
        const std::pair<int, int> arrows[] = {{Qt::Key_Right, kRadioA0 + 1},
                                              {Qt::Key_Down, kRadioA0 + 2},
                                              {Qt::Key_Right, kRadioA0},
                                              {Qt::Key_Up, kRadioA0 + 2},
                                              {Qt::Key_Left, kRadioA0 + 1}};
        for (const auto& [key, id] : arrows) ExpectFocusPath(d, key, {id});
        framework::TRadioButton a0(&d, kRadioA0), a1(&d, kRadioA0 + 1), b0(&d, kRadioB0);
        EXPECT_FALSE(b0.IsChecked());
        Click(d, kRadioB0);
        EXPECT_TRUE(a1.IsChecked() && b0.IsChecked());
        a1.SetCheck(false);  // the program can clear a group
        EXPECT_FALSE(a0.IsChecked() || a1.IsChecked());
    });
}

// The real message box, outside the test seam: its icon follows the flags
// (the warning's bits include the stop and question bits), Yes/No boxes
// answer with the button pressed, and the texts arrive decoded.
TEST_F(GuiTest, TheRealMessageBoxFollowsItsFlags) {
    framework::testing::SetTestMode(false);
    const struct {
        unsigned flags;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        int answer;
    } cases[] = {
        {framework::kMbIconQuestion | framework::kMbYesNo, QMessageBox::Question, QMessageBox::No,
         framework::kIdNo},
        {framework::kMbIconQuestion | framework::kMbYesNo, QMessageBox::Question, QMessageBox::Yes,
         framework::kIdYes},
        {framework::kMbIconWarning, QMessageBox::Warning, QMessageBox::Ok, kIdOk},
    };
    for (const auto& c : cases) {
        QString shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (!box || !box->isVisible()) continue;
                shown = QString("%1 %2 %3")
                            .arg(static_cast<int>(box->icon()))
                            .arg(box->windowTitle(), box->text());
                box->button(c.press) ? box->button(c.press)->click() : box->done(0);
            }
        });
        EXPECT_EQ(framework::MessageBox(nullptr, "Caf\xE9", "Title", c.flags), c.answer);
        EXPECT_EQ(shown, QString("%1 Title Caf\u00E9").arg(static_cast<int>(c.icon))) << c.flags;
    }
    framework::testing::SetTestMode(true);
}

// The limit counts the terminator, a line break takes two; characters the
// code page cannot hold are refused (a surrogate pair as one character).
TEST_F(FrameworkTest, EditBoxesKeepWhatFitsTheLimitAndTheCodePage) {
    Show([](TTestDlg& d) {
        framework::TEdit line(&d, kLine, 5);
        Type(d, kLine, "abcdefg");
        EXPECT_EQ(line.GetText(), "abcd");
        line.SetText("ab");  // a paste keeps what fits after the text there
        ControlOf<QLineEdit>(d, kLine)->insert("cdefg");
        QCoreApplication::processEvents();
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
        list.SetSelIndex(0);
        EXPECT_EQ(list.GetSelIndex(), 0);
        list.SetSelIndex(1);
        list.DeleteStrings(0, 2);
        EXPECT_EQ(list.GetSelIndex(), -1);  // not the line that moved up
        list.DeleteStrings(5, 1);           // no such line
        EXPECT_EQ(list.GetString(9), "");
        EXPECT_EQ(list.GetString(0), "caf\xE9");
    });
}

TEST(NextFreeFileName, CountsOnFromTheNameUntilOneIsFree) {
    const struct {
        std::string path;
        std::set<std::string> taken;
        std::string proposed;
    } cases[] = {
        {.path = "/d/list.pdf", .taken = {}, .proposed = "/d/list.pdf"},
        {.path = "/d/list.pdf",
         .taken = {"/d/list.pdf", "/d/list-2.pdf", "/d/list-3.pdf"},
         .proposed = "/d/list-4.pdf"},
        {.path = "/d/list-9.pdf", .taken = {"/d/list-9.pdf"}, .proposed = "/d/list-10.pdf"},
        {.path = "/d.x/list", .taken = {"/d.x/list"}, .proposed = "/d.x/list-2"},
        {.path = "/d/-3.pdf", .taken = {"/d/-3.pdf"}, .proposed = "/d/-3-2.pdf"},
        {.path = "list.tar.pdf", .taken = {"list.tar.pdf"}, .proposed = "list.tar-2.pdf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(framework::NextFreeFileName(
                      c.path, [&c](const std::string& p) { return c.taken.count(p) > 0; }),
                  c.proposed)
            << c.path;
    }
}

// Qt's own print dialog shows a page range only for a printout that has
// one, and an old choice of range does not carry over.
TEST_F(FrameworkTest, ThePrintDialogOffersAPageRangeOnlyWhereThePrintoutHasOne) {
    for (const framework::TPageRange range : {framework::TPageRange{0, 0, 0, 0}, {1, 3, 0, 0}}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 9);
        QPrintDialog dialog(&printer);
        framework::SetPrintDialogOptions(dialog, range);
        dialog.show();
        auto* group = dialog.findChild<QGroupBox*>("gbPrintRange");
        auto* fromTo = dialog.findChild<QRadioButton*>("printRange");
        auto* pages = dialog.findChild<QRadioButton*>("pagesRadioButton");
        ASSERT_TRUE(group && fromTo && pages) << "Qt's print dialog has changed";
        const auto offers = [](QWidget* w) { return !w->isHidden() && w->isEnabled(); };
        EXPECT_EQ(offers(group) && (offers(fromTo) || offers(pages)), range.maxPage != 0);
        EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
        dialog.hide();
    }
}

// Pages 1..count, a page range and selection as given.
class Printout : public framework::TPrintout {
public:
    Printout(int count, framework::TPageRange range)
        : TPrintout("Pages"), count_(count), range_(range) {}
    void GetDialogInfo(framework::TPageRange& range) override { range = range_; }
    bool HasPage(int page) override { return page >= 1 && page <= count_; }
    void PrintPage(int page, const QRect&, unsigned) override {
        drawn.push_back(page);
        if (onPage) onPage(page);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorWhileDrawing |= cursor && cursor->shape() == Qt::WaitCursor;
    }
    std::function<void(int)> onPage;
    std::vector<int> drawn;
    bool waitCursorWhileDrawing = false;

private:
    int count_;
    framework::TPageRange range_;
};

// Presses Cancel in the visible "Printing" dialog; returns its title line.
std::string CancelPrinting() {
    using namespace framework::print_progress_ids;
    for (QWidget* dialog : QApplication::topLevelWidgets()) {
        if (dialog->objectName() == QString("dlg%1").arg(framework::kPrintProgressTemplate) &&
            dialog->isVisible()) {
            dialog->findChild<QAbstractButton*>(ControlName(kCancelButton).c_str())->click();
            return dialog->findChild<QLabel*>(ControlName(kTitleLabel).c_str())
                ->text()
                .toStdString();
        }
    }
    return "no Printing dialog";
}

// Every page is drawn once, in order, without the wait cursor (the Printing
// dialog's Cancel must be usable), and a cursor set by the caller is left
// alone. The next job proposes a free name.
TEST_F(GuiTest, AJobDrawsEveryPageAndWritesThePdf) {
    const std::string pdf = InTestDir("job.pdf");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    framework::TPrinter printer;
    Printout printout(3, {0, 0, 0, 0});
    QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    EXPECT_TRUE(printer.Print(nullptr, printout, true));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(printout.drawn, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(printout.waitCursorWhileDrawing);
    EXPECT_EQ(ReadFileBytes(pdf).substr(0, 5), "%PDF-");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
    EXPECT_TRUE(printer.Print(nullptr, printout, true));
    ASSERT_EQ(PrintDialogsShown().size(), 2u);
    EXPECT_EQ(PrintDialogsShown()[1].proposedPath, InTestDir("job-2.pdf"));
    // Cancel in the Printing dialog stops the job, which is reported.
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
    printout.onPage = [](int page) {
        if (page == 1) {
            EXPECT_EQ(CancelPrinting(), "'Pages' on the");
        }
    };
    EXPECT_FALSE(printer.Print(nullptr, printout, true));
    EXPECT_EQ(LastMessageBox().text, "'Pages' not printed. Printing canceled.");
}

// A job that drew no page printed nothing: it is never a success.
TEST_F(GuiTest, AJobThatDrewNoPageIsNotPrinted) {
    const std::string pdf = InTestDir("empty.pdf");
    std::filesystem::remove(pdf);
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    framework::TPrinter printer;
    Printout printout(0, {1, 3, 2, 2});
    EXPECT_FALSE(printer.Print(nullptr, printout, true));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    const auto box = LastMessageBox();
    EXPECT_EQ(box.caption + ": " + box.text,
              "Print Error: 'Pages' not printed. Error encountered during print.");
    ASSERT_EQ(PrintDialogsShown().size(), 1u);
    EXPECT_TRUE(PrintDialogsShown()[0].pageRangeOffered && PrintDialogsShown()[0].selectionOffered);
    // No queued answer outlives a reset, into the next test.
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::Cancel());
    framework::testing::ResetSeams();
    EXPECT_EQ(framework::testing::PendingSeams(), 0);
}

}  // namespace
}  // namespace jtest
