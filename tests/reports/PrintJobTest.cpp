// The print job of the windowing layer, run with small printouts of their
// own: the order of the printout's calls, the "Printing" dialog's texts,
// several pages, and the failures that end a job before anything prints.
#include <gtest/gtest.h>

#include <QLabel>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "framework/MessageBox.h"
#include "framework/TDC.h"
#include "framework/TPrinter.h"
#include "framework/TPrintout.h"
#include "framework/TestSeams.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace {

using framework::PrintError;
using framework::testing::PrintDialogAnswer;

// Prints "Page n" on each of its pages and logs every call the job makes.
class PagesPrintout : public framework::TPrintout {
public:
    PagesPrintout(int pages, framework::TPageRange range)
        : TPrintout("Pages"), pages_(pages), range_(range) {}

    void SetPrintParams(framework::TDC* dc, QSize pageSize) override {
        TPrintout::SetPrintParams(dc, pageSize);
        log.push_back(dc ? "params" : "params cleared");
        if (dc) pageSizeSeen = pageSize;
    }
    void GetDialogInfo(framework::TPageRange& range) override { range = range_; }
    void BeginPrinting() override { log.push_back("begin printing"); }
    void BeginDocument(int first, int last, unsigned) override {
        log.push_back("begin document " + std::to_string(first) + "-" + std::to_string(last));
    }
    bool HasPage(int page) override { return page >= 1 && page <= pages_; }
    void PrintPage(int page, const QRect& band, unsigned) override {
        log.push_back("page " + std::to_string(page));
        bandSeen = band;
        if (onPage) onPage(page);
        framework::TFontRequest font;
        font.height = DC()->DpiY() / 7;
        font.faceName = "Times New Roman";
        DC()->SelectFont(font);
        DC()->TextOut(DC()->DpiX(), 0, "Page " + std::to_string(page));
    }
    void EndDocument() override { log.push_back("end document"); }
    void EndPrinting() override { log.push_back("end printing"); }

    std::vector<std::string> log;
    QSize pageSizeSeen;
    QRect bandSeen;
    std::function<void(int)> onPage;

private:
    int pages_;
    framework::TPageRange range_;
};

constexpr framework::TPageRange kNoRange{0, 0, 0, 0};

std::string LabelText(QWidget* dialog, int id) {
    auto* label = dialog->findChild<QLabel*>(QString("ctl%1").arg(id));
    return label && label->isVisible() ? label->text().toStdString() : "(hidden)";
}

class PrintJobTest : public jtest::GuiTest {
protected:
    bool Print(PagesPrintout& printout) { return printer_.Print(&window_, printout, true); }

    framework::TPrinter printer_;
    ptest::TestWindow window_;
};

TEST_F(PrintJobTest, RunsThePrintoutsStepsInOrderAndPrintsEveryPage) {
    const std::string pdf = jtest::InTestDir("pages.pdf");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    PagesPrintout printout(3, kNoRange);
    EXPECT_TRUE(Print(printout));
    EXPECT_EQ(printer_.Error(), PrintError::kNone);
    EXPECT_EQ(printout.log,
              (std::vector<std::string>{"params", "begin printing", "begin document 1-2147483647",
                                        "page 1", "page 2", "page 3", "end document",
                                        "end printing", "params cleared"}));
    EXPECT_FALSE(printout.pageSizeSeen.isEmpty());
    EXPECT_EQ(printout.bandSeen, QRect(QPoint(0, 0), printout.pageSizeSeen));
    EXPECT_EQ(ptest::PdfPages(pdf),
              (std::vector<std::vector<std::string>>{{"Page 1"}, {"Page 2"}, {"Page 3"}}));
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

// The dialog names the document and where it goes, and shows the page and
// the job's last page in place of "Now printing".
TEST_F(PrintJobTest, ProgressDialogShowsTitleDestinationAndPages) {
    framework::testing::AnswerNextPrintDialog(
        PrintDialogAnswer::PdfFile(jtest::InTestDir("pages.pdf")));
    PagesPrintout printout(2, kNoRange);
    std::vector<std::vector<std::string>> seen;
    printout.onPage = [&](int) {
        QWidget* dialog = ptest::ShownProgressDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Printing");
        seen.push_back({LabelText(dialog, -1), LabelText(dialog, 104), LabelText(dialog, 105),
                        LabelText(dialog, 101), LabelText(dialog, 102), LabelText(dialog, 103)});
    };
    EXPECT_TRUE(Print(printout));
    const std::vector<std::vector<std::string>> expected = {
        {"(hidden)", "Now printing Page 1", "to 2 of", "'Pages' on the", "PDF file on pages.pdf",
         "(hidden)"},
        {"(hidden)", "Now printing Page 2", "to 2 of", "'Pages' on the", "PDF file on pages.pdf",
         "(hidden)"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(ptest::ShownProgressDialog(), nullptr);
}

TEST_F(PrintJobTest, ThePrintDialogOffersWhatThePrintoutHas) {
    for (const framework::TPageRange& range :
         {kNoRange, framework::TPageRange{1, 4, 0, 0}, framework::TPageRange{1, 4, 2, 3}}) {
        PagesPrintout printout(1, range);
        EXPECT_FALSE(Print(printout));  // no answer queued: cancelled
        EXPECT_EQ(printout.log, std::vector<std::string>{});
    }
    const auto& shown = framework::testing::PrintDialogsShown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_FALSE(shown[0].pageRangeOffered);
    EXPECT_FALSE(shown[0].selectionOffered);
    EXPECT_TRUE(shown[1].pageRangeOffered);
    EXPECT_FALSE(shown[1].selectionOffered);
    EXPECT_TRUE(shown[2].pageRangeOffered);
    EXPECT_TRUE(shown[2].selectionOffered);
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

// With no device context to draw on, the job ends before the printout draws.
TEST_F(PrintJobTest, APrinterThatIsGoneEndsTheJobWithoutDrawing) {
    const std::string pdf = jtest::InTestDir("pages.pdf");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    framework::testing::FailNextPrintDevice();
    PagesPrintout printout(1, kNoRange);
    EXPECT_FALSE(Print(printout));
    EXPECT_EQ(printer_.Error(), PrintError::kGeneral);
    EXPECT_EQ(printout.log, std::vector<std::string>{"params cleared"});
    EXPECT_EQ(jtest::LastMessageBox().text, "'Pages' not printed. Error encountered during print.");
    EXPECT_EQ(jtest::LastMessageBox().caption, "Print Error");
    EXPECT_FALSE(ptest::FileExists(pdf));
}

TEST_F(PrintJobTest, RunningOutOfMemoryIsReported) {
    const std::string pdf = jtest::InTestDir("pages.pdf");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(pdf));
    PagesPrintout printout(1, kNoRange);
    printout.onPage = [](int) { throw std::bad_alloc(); };
    EXPECT_FALSE(Print(printout));
    EXPECT_EQ(jtest::LastMessageBox().text, "'Pages' not printed. Out of memory.");
    EXPECT_TRUE(window_.Widget()->isEnabled());
    EXPECT_EQ(ptest::ShownProgressDialog(), nullptr);
    EXPECT_FALSE(ptest::FileExists(pdf));
}

}  // namespace
