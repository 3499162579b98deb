// The print dialog's choices, the names it proposes, what a print job draws
// and counts as printed, and Qt's own translations.
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
#include <filesystem>
#include <set>

#include "TestDialogs.h"
#include "TestEnvironment.h"
#include "framework/QtTranslations.h"
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
    void BeginPrinting() override { calls.push_back("begin printing"); }
    void BeginDocument(int first, int, unsigned) override {
        calls.push_back("begin document at " + std::to_string(first));
    }
    void EndDocument() override { calls.push_back("end document"); }
    void EndPrinting() override { calls.push_back("end printing"); }
    bool HasPage(int page) override {
        asked.push_back(page);
        return page >= 1 && page <= count_;
    }
    void PrintPage(int page, const QRect&, unsigned) override {
        drawn.push_back(page);
        if (onPage) onPage(page);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorWhileDrawing |= cursor && cursor->shape() == Qt::WaitCursor;
    }
    std::function<void(int)> onPage;
    std::vector<int> asked, drawn;
    std::vector<std::string> calls;
    bool waitCursorWhileDrawing = false;

private:
    int count_;
    framework::TPageRange range_;
};

// The texts of the visible "Printing" dialog; presses its Cancel if asked.
std::string ProgressTexts(bool cancel) {
    using namespace framework::print_progress_ids;
    for (QWidget* dialog : QApplication::topLevelWidgets()) {
        if (dialog->objectName() != QString("dlg%1").arg(framework::kPrintProgressTemplate) ||
            !dialog->isVisible()) {
            continue;
        }
        std::string texts;
        for (int id : {kTitleLabel, kDeviceLabel, kPageLabel, kLastPageLabel}) {
            texts +=
                dialog->findChild<QLabel*>(ControlName(id).c_str())->text().toStdString() + "|";
        }
        if (cancel)
            dialog->findChild<QAbstractButton*>(ControlName(kCancelButton).c_str())->click();
        return texts;
    }
    return "no Printing dialog";
}

// Every page is drawn once, in order, between the document's start and end,
// without the wait cursor (the Printing dialog's Cancel must be usable), and
// a cursor set by the caller is left alone. The next job proposes a free name.
TEST_F(GuiTest, AJobDrawsEveryPageAndWritesThePdf) {
    const std::string pdf = InTestDir("job.pdf");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    framework::TPrinter printer;
    Printout printout(3, {0, 0, 0, 0});
    std::vector<std::string> progress;
    printout.onPage = [&](int) { progress.push_back(ProgressTexts(false)); };
    QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    EXPECT_TRUE(printer.Print(nullptr, printout, true));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(printer.Error(), framework::PrintError::kNone);
    EXPECT_EQ(printout.asked, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(printout.drawn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(printout.calls, (std::vector<std::string>{"begin printing", "begin document at 1",
                                                        "end document", "end printing"}));
    EXPECT_FALSE(printout.waitCursorWhileDrawing);
    EXPECT_EQ(progress.at(1), "'Pages' on the|PDF file on job.pdf|Now printing Page 2|to 3 of|");
    EXPECT_EQ(ReadFileBytes(pdf).substr(0, 5), "%PDF-");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
    EXPECT_TRUE(printer.Print(nullptr, printout, true));
    ASSERT_EQ(PrintDialogsShown().size(), 2u);
    EXPECT_EQ(PrintDialogsShown()[1].proposedPath, InTestDir("job-2.pdf"));
    // Cancel in the Printing dialog stops the job, which is reported.
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
    printout.onPage = [](int page) { ProgressTexts(page == 1); };
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
    EXPECT_EQ(printer.Error(), framework::PrintError::kGeneral);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    const auto box = LastMessageBox();
    EXPECT_EQ(box.caption + ": " + box.text,
              "Print Error: 'Pages' not printed. Error encountered during print.");
    ASSERT_EQ(PrintDialogsShown().size(), 1u);
    EXPECT_TRUE(PrintDialogsShown()[0].pageRangeOffered && PrintDialogsShown()[0].selectionOffered);
    framework::testing::ResetSeams();
    EXPECT_TRUE(PrintDialogsShown().empty());
}

// The buttons Qt names itself follow the language asked for, when Qt's
// translations are installed for it; else Qt keeps its English.
TEST(QtTranslations, MessageBoxButtonsAndThePrintDialogFollowTheLanguage) {
    const struct {
        const char *locale, *yes, *print;
    } cases[] = {
        {.locale = "de_DE", .yes = "&Ja", .print = "Drucken"},
        {.locale = "fr_FR", .yes = "&Oui", .print = "Imprimer"},
        {.locale = "tlh", .yes = "&Yes", .print = "Print"},
    };
    for (const auto& c : cases) {
        QTranslator* translator = framework::InstallQtTranslations(QLocale(c.locale));
        EXPECT_EQ(translator != nullptr, c.locale != std::string("tlh"))
            << "Qt's translations (qt6-translations-l10n) missing";
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), c.yes);
        EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), c.print);
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace
}  // namespace jtest
