// The print dialog's choices, the names it proposes, what a print job draws
// and counts as printed.
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <filesystem>
#include <set>

#include "TestDialogs.h"
#include "TestEnvironment.h"
#include "framework/print/PrintDialog.h"
#include "framework/print/PrintProgressIds.h"
#include "framework/print/TPrinter.h"
#include "framework/print/TPrintout.h"

namespace jtest {
namespace {

using framework::testing::PrintDialogAnswer;
using framework::testing::PrintDialogsShown;

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

// Presses Cancel in the visible "Printing" dialog.
void CancelPrinting() {
    for (QWidget* dialog : QApplication::topLevelWidgets()) {
        if (dialog->objectName() == QString("dlg%1").arg(framework::kPrintProgressTemplate) &&
            dialog->isVisible()) {
            const std::string cancel = ControlName(framework::print_progress_ids::kCancelButton);
            dialog->findChild<QAbstractButton*>(cancel.c_str())->click();
            return;
        }
    }
    ADD_FAILURE() << "no Printing dialog";
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
        if (page == 1) CancelPrinting();
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
}

}  // namespace
}  // namespace jtest
