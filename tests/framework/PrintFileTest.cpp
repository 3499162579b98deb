// The print dialog's choices and what a print job counts as printed.
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <filesystem>
#include <set>

#include "FrameworkFixture.h"
#include "TestEnvironment.h"
#include "framework/print/PrintDialog.h"
#include "framework/print/TPrinter.h"
#include "framework/print/TPrintout.h"

namespace jtest {
namespace {

TEST(NextFreeFileName, CountsOnFromTheNameUntilOneIsFree) {
    const struct {
        std::string path;
        std::set<std::string> taken;
        std::string proposed;
    } cases[] = {
        {.path = "/d/list.pdf", .taken = {}, .proposed = "/d/list.pdf"},
        {.path = "/d/list.pdf", .taken = {"/d/list.pdf"}, .proposed = "/d/list-2.pdf"},
        {.path = "/d/list.pdf",
         .taken = {"/d/list.pdf", "/d/list-2.pdf", "/d/list-3.pdf"},
         .proposed = "/d/list-4.pdf"},
        {.path = "/d/list-2.pdf", .taken = {"/d/list-2.pdf"}, .proposed = "/d/list-3.pdf"},
        {.path = "/d/list-9.pdf", .taken = {"/d/list-9.pdf"}, .proposed = "/d/list-10.pdf"},
        {.path = "/d/report", .taken = {"/d/report"}, .proposed = "/d/report-2"},
        {.path = "/d.x/list", .taken = {"/d.x/list"}, .proposed = "/d.x/list-2"},
        {.path = "/d-3/a.pdf", .taken = {"/d-3/a.pdf"}, .proposed = "/d-3/a-2.pdf"},
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

// Qt's own print dialog, set up as a print job sets it up: a page range
// (and its group) is shown only for a printout that has one to offer.
TEST_F(FrameworkTest, ThePrintDialogOffersAPageRangeOnlyWhereThePrintoutHasOne) {
    const struct {
        framework::TPageRange range;
        bool offered;
    } cases[] = {
        {.range = {0, 0, 0, 0}, .offered = false},
        {.range = {1, 3, 0, 0}, .offered = true},
    };
    for (const auto& c : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 9);
        QPrintDialog dialog(&printer);
        framework::SetPrintDialogOptions(dialog, c.range);
        dialog.show();
        // "Pages from ... to ..." and "Pages: ..." (a list of ranges).
        auto* group = dialog.findChild<QGroupBox*>("gbPrintRange");
        auto* fromTo = dialog.findChild<QRadioButton*>("printRange");
        auto* pages = dialog.findChild<QRadioButton*>("pagesRadioButton");
        ASSERT_TRUE(group && fromTo && pages) << "Qt's print dialog has changed";
        // Not hidden by the dialog's set-up (the options part itself opens
        // only on request).
        const auto offers = [](QWidget* w) { return !w->isHidden() && w->isEnabled(); };
        EXPECT_EQ(offers(group) && (offers(fromTo) || offers(pages)), c.offered)
            << offers(group) << offers(fromTo) << offers(pages);
        EXPECT_EQ(printer.printRange(), QPrinter::AllPages);  // an old choice does not carry over
        dialog.hide();
    }
}

class NoPagePrintout : public framework::TPrintout {
public:
    NoPagePrintout() : TPrintout("Empty") {}
    void GetDialogInfo(framework::TPageRange& range) override { range = {0, 0, 0, 0}; }
    bool HasPage(int) override { return false; }
    void PrintPage(int, const QRect&, unsigned) override {}
};

// With the program's resources: the job's progress dialog is among them.
class PrintJobTest : public GuiTest {};

// A job that drew no page printed nothing: it is never a success.
TEST_F(PrintJobTest, AJobThatDrewNoPageIsNotPrinted) {
    const std::string pdf = InTestDir("empty.pdf");
    std::filesystem::remove(pdf);
    framework::testing::AnswerNextPrintDialog(framework::testing::PrintDialogAnswer::PdfFile(pdf));
    framework::TPrinter printer;
    NoPagePrintout printout;
    EXPECT_FALSE(printer.Print(nullptr, printout, true));
    EXPECT_EQ(printer.Error(), framework::PrintError::kGeneral);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    const auto box = LastMessageBox();
    EXPECT_EQ(box.caption + ": " + box.text,
              "Print Error: 'Empty' not printed. Error encountered during print.");
}

}  // namespace
}  // namespace jtest
