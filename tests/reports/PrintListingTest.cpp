// The print run from the listing file to paper, through the real print job:
// each job's print dialog is answered through the test seam with a PDF file
// of its own, whose text is read back with poppler's pdftotext.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <cerrno>
#include <filesystem>

#include "ReportsTest.h"
#include "framework/TPrinter.h"
#include "framework/TWindow.h"
#include "reports/PrintListing.h"

namespace jtest {
namespace {

using framework::testing::PrintDialogAnswer;
using platform::FaultEnv;

// Listing lines 1 to count, and the lines first..last that a job prints
// of them, 0 being the heading, whose tabs print as spaces.
std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("listed line " + std::to_string(i));
    return lines;
}
std::vector<std::string> PrintedLines(int first, int last) {
    std::vector<std::string> lines = NumberedLines(last);
    lines.insert(lines.begin(), "Date Events Score Date/time entered");
    return {lines.begin() + first, lines.end()};
}
// Writes the listing file, the heading and lines 1 to written (no file when
// written < 0), and sets the count of its lines after the heading.
void PutListing(int count, int written) {
    app::Values().listingLineCount = count;
    std::remove(InTestDir("listd.tmp").c_str());
    if (written >= 0) WriteFileBytes(InTestDir("listd.tmp"), ListingOf(NumberedLines(written)));
}

using Pages = std::vector<std::vector<std::string>>;
// The non-empty text lines of each page of a PDF file; fails the test when
// the file cannot be read.
Pages PdfPages(const std::string& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", "-enc", "UTF-8", QString::fromStdString(path), "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << path;
        return {};
    }
    Pages pages(1);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith('\f')) pages.emplace_back();
        if (!line.trimmed().isEmpty()) pages.back().push_back(line.simplified().toStdString());
    }
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

// A plain window to be the parent of the print dialogs.
class TestWindow : public framework::TWindow {
public:
    TestWindow() : TWindow(nullptr) {}
    QWidget* Widget() const override { return const_cast<QWidget*>(&widget_); }

private:
    QWidget widget_;
};

std::string JobPdf(int job) {
    return InTestDir("job" + std::to_string(job) + ".pdf");
}

class PrintListingTest : public ReportsTest {
protected:
    // Answers the next count print dialogs with job1.pdf, job2.pdf, ...
    static void PrintJobsToPdf(int count) {
        for (int job = 1; job <= count; ++job) {
            std::remove(JobPdf(job).c_str());
            framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(job)));
        }
    }
    void Run() { reports::PrintListing(printer_, &window_); }

    framework::TPrinter printer_;
    TestWindow window_;
};

// Each job prints at most 60 lines (the heading counts) on one page, after
// a print dialog that offers no page range and no selection.
TEST_F(PrintListingTest, PrintsOneOnePageJobPerSixtyLines) {
    const std::pair<int, std::vector<std::pair<int, int>>> cases[] = {
        {0, {}},
        {59, {{0, 59}}},
        {60, {{0, 59}, {60, 60}}},
        {61, {{0, 59}, {60, 61}}},
        {130, {{0, 59}, {60, 119}, {120, 130}}},
    };
    for (const auto& [lines, jobs] : cases) {
        SCOPED_TRACE(lines);
        framework::testing::ResetSeams();
        PutListing(lines, lines);
        PrintJobsToPdf(static_cast<int>(jobs.size()));
        Run();
        const auto& dialogs = framework::testing::PrintDialogsShown();
        ASSERT_EQ(dialogs.size(), jobs.size());
        for (std::size_t job = 0; job < jobs.size(); ++job) {
            EXPECT_FALSE(dialogs[job].pageRangeOffered || dialogs[job].selectionOffered);
            const auto& [first, last] = jobs[job];
            EXPECT_EQ(PdfPages(JobPdf(static_cast<int>(job) + 1)),
                      Pages{PrintedLines(first, last)});
        }
        EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
    }
}

// A cancelled print dialog skips its job only; the next prints its copies.
TEST_F(PrintListingTest, CancellingOneJobsDialogStillShowsTheNext) {
    PutListing(61, 61);
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::Cancel());
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(2), 2));
    Run();
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 2u);
    EXPECT_EQ(PdfPages(JobPdf(2)), (Pages{PrintedLines(60, 61), PrintedLines(60, 61)}));
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

// The "Printing" dialog names the job, where it goes and its one page while
// the main window is disabled; its Cancel stops that job, which is reported
// and prints nothing, and the next chunk prints as usual.
TEST_F(PrintListingTest, CancelInTheProgressDialogStopsOnlyThatJob) {
    PutListing(61, 61);
    PrintJobsToPdf(2);
    // At each abort check while the "Printing" dialog is up, until the page
    // is under way: then read its texts and press its Cancel.
    bool windowEnabled = true;
    QTimer clicking;
    QObject::connect(&clicking, &QTimer::timeout, [&] {
        QWidget* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "dlg32599" && widget->isVisible()) dialog = widget;
        }
        if (!dialog || !dialog->findChild<QLabel*>("ctl105")->isVisible()) return;
        std::string texts;
        for (int id : {101, 102, 104, 105}) {
            texts +=
                dialog->findChild<QLabel*>(QString("ctl%1").arg(id))->text().toStdString() + "|";
        }
        EXPECT_EQ(texts, "'List' on the|PDF file on job1.pdf|Now printing Page 1|to 1 of|");
        windowEnabled = window_.Widget()->isEnabled();
        dialog->findChild<QAbstractButton*>("ctl2")->click();
        clicking.stop();
    });
    clicking.start(0);
    Run();
    EXPECT_FALSE(windowEnabled);
    EXPECT_TRUE(window_.Widget()->isEnabled());
    ASSERT_EQ(framework::testing::MessageBoxesShown().size(), 1u);
    const auto box = LastMessageBox();
    EXPECT_EQ(box.caption + ": " + box.text, "Print Error: 'List' not printed. Printing canceled.");
    EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
    EXPECT_FALSE(std::filesystem::exists(JobPdf(1)));
    EXPECT_EQ(PdfPages(JobPdf(2)), Pages{PrintedLines(60, 61)});
}

// A listing that is missing, cannot be read, or ends before its count: the
// run stops before the chunk a failed read belongs to, and says so.
TEST_F(PrintListingTest, UnreadableListingIsReportedAndNothingStaleIsPrinted) {
    const std::string none = "The listing could not be read, so it was not printed.\n\n";
    const struct {
        int written, count, failingRead;  // written < 0: no listing file
        std::size_t jobs;
        std::string says, why;
    } cases[] = {
        {-1, 5, 0, 0, none, "listd.tmp"},
        {5, 5, 1, 0, none, "Input/output error"},
        {64, 70, 0, 1,
         "The listing could not be read after its first 60 lines, so the rest was not printed.",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        framework::testing::ResetSeams();
        PutListing(c.count, c.written);
        PrintJobsToPdf(static_cast<int>(c.jobs));
        faults_.FailNth(c.failingRead, FaultEnv::kRead, EIO);
        Run();
        EXPECT_EQ(framework::testing::PrintDialogsShown().size(), c.jobs);
        if (c.jobs) {
            EXPECT_EQ(PdfPages(JobPdf(1)), Pages{PrintedLines(0, 59)});
        }
        const auto box = LastMessageBox();
        EXPECT_EQ(box.text.rfind(c.says, 0), 0u) << box.text;
        EXPECT_NE(box.text.find(c.why), std::string::npos) << box.text;
        EXPECT_EQ(box.caption, "Print Error");
        EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
    }
}

// A listing replaced since Show Results by a file with a line longer than any
// the program writes is not printed at all, however long the line.
TEST_F(PrintListingTest, ListingWithAnImpossibleLineIsNotPrinted) {
    app::Values().dataDirectory = TestDir();
    app::Values().listingLineCount = 3;
    WriteFileBytes(InTestDir("listd.tmp"), std::string(1 << 20, 'x'));
    Run();
    EXPECT_TRUE(framework::testing::PrintDialogsShown().empty());
    const auto box = LastMessageBox();
    EXPECT_EQ(box.text.rfind("The listing could not be read, so it was not printed.", 0), 0u)
        << box.text;
}

// A line too long for one print line continues on the next, and every line
// of the listing is still printed.
TEST_F(PrintListingTest, LongLinesContinueAndNoLineIsLost) {
    const std::vector<std::string> lines = NumberedLines(3);
    PutListing(3, 0);
    WriteFileBytes(InTestDir("listd.tmp"),
                   ListingOf({lines[0], "long " + std::string(300, 'x'), lines[2]}));
    PrintJobsToPdf(1);
    Run();
    // The first 255 characters run off the edge of the paper.
    const Pages pages = PdfPages(JobPdf(1));
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 5u);
    EXPECT_EQ(pages[0][3], std::string(50, 'x'));
    EXPECT_EQ(pages[0][4], PrintedLines(3, 3)[0]);
}

// With no device to draw on after the print dialog (the printer went away),
// the job draws nothing and says so.
TEST_F(PrintListingTest, PrinterGoneAfterItsDialogIsReported) {
    PutListing(3, 3);
    PrintJobsToPdf(1);
    framework::testing::FailNextPrintDevice();
    Run();
    EXPECT_EQ(LastMessageBox().caption + ": " + LastMessageBox().text,
              "Print Error: 'List' not printed. Error encountered during print.");
    EXPECT_FALSE(std::filesystem::exists(JobPdf(1)));
}

}  // namespace
}  // namespace jtest
