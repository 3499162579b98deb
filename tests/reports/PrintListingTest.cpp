// The print run from the listing file to paper: each job's print dialog is
// answered through the test seam with a PDF file of its own, and the text
// of every PDF is read back with pdftotext.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <cerrno>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "framework/TPrinter.h"
#include "framework/TestSeams.h"
#include "platform/FaultEnv.h"
#include "reports/PrintListing.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace {

using framework::testing::PrintDialogAnswer;
using Pages = std::vector<std::vector<std::string>>;

std::string JobPdf(int job) {
    return jtest::InTestDir("job" + std::to_string(job) + ".pdf");
}

class PrintListingTest : public jtest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        app::ResetValues();
    }
    void TearDown() override {
        app::ResetValues();
        GuiTest::TearDown();
    }

    // Answers the next count print dialogs with job1.pdf, job2.pdf, ...
    static void PrintJobsToPdf(int count) {
        for (int job = 1; job <= count; ++job) {
            framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(job)));
        }
    }

    void Run() { reports::PrintListing(printer_, &window_); }

    framework::TPrinter printer_;
    ptest::TestWindow window_;
};

struct ChunkCase {
    int listingLines;
    std::vector<std::pair<int, int>> jobs;  // first and last line of each job
};

class PrintListingChunks : public PrintListingTest,
                           public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(PrintListingChunks, PrintsOneOnePageJobPerSixtyLines) {
    const ChunkCase& c = GetParam();
    ptest::PutListing(ptest::ListingOf(c.listingLines), c.listingLines);
    const int jobs = static_cast<int>(c.jobs.size());
    PrintJobsToPdf(jobs);
    Run();
    ASSERT_EQ(framework::testing::PrintDialogsShown().size(), c.jobs.size());
    for (int job = 1; job <= jobs; ++job) {
        const auto& [first, last] = c.jobs[static_cast<std::size_t>(job - 1)];
        EXPECT_EQ(ptest::PdfPages(JobPdf(job)), Pages{ptest::PrintedLines(first, last)})
            << "job " << job;
    }
    EXPECT_FALSE(ptest::FileExists(JobPdf(jobs + 1)));
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
    for (const auto& shown : framework::testing::PrintDialogsShown()) {
        EXPECT_FALSE(shown.pageRangeOffered);
        EXPECT_FALSE(shown.selectionOffered);
    }
}

INSTANTIATE_TEST_SUITE_P(PrintCounts, PrintListingChunks,
                         ::testing::Values(ChunkCase{59, {{0, 59}}},
                                           ChunkCase{60, {{0, 59}, {60, 60}}},
                                           ChunkCase{61, {{0, 59}, {60, 61}}},
                                           ChunkCase{129, {{0, 59}, {60, 119}, {120, 129}}}));

TEST_F(PrintListingTest, NoListedLinesShowNoDialogAndPrintNothing) {
    ptest::PutListing(ptest::ListingOf(3), 0);
    Run();
    EXPECT_TRUE(framework::testing::PrintDialogsShown().empty());
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

TEST_F(PrintListingTest, CancellingOneJobsDialogStillShowsTheNext) {
    ptest::PutListing(ptest::ListingOf(61), 61);
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::Cancel());
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(2)));
    Run();
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 2u);
    EXPECT_FALSE(ptest::FileExists(JobPdf(1)));
    EXPECT_EQ(ptest::PdfPages(JobPdf(2)), Pages{ptest::PrintedLines(60, 61)});
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

TEST_F(PrintListingTest, AnUnansweredDialogIsRecordedAndCancelled) {
    ptest::PutListing(ptest::ListingOf(2), 2);
    Run();
    ASSERT_EQ(framework::testing::PrintDialogsShown().size(), 1u);
    EXPECT_FALSE(framework::testing::PrintDialogsShown()[0].hadAnswer);
    EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
}

// Cancel in the "Printing" dialog: the window is disabled while the job
// runs, the button greys, the job is reported and nothing of it is
// printed; the next chunk prints as usual.
TEST_F(PrintListingTest, CancelInTheProgressDialogStopsOnlyThatJob) {
    ptest::PutListing(ptest::ListingOf(61), 61);
    PrintJobsToPdf(2);
    bool windowEnabled = true;
    bool buttonEnabled = true;
    const auto clicking = ptest::OnProgressDialog([&](QWidget* dialog) {
        windowEnabled = window_.Widget()->isEnabled();
        auto* cancel = dialog->findChild<QAbstractButton*>("ctl2");
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(cancel->isEnabled());
        cancel->click();
        buttonEnabled = cancel->isEnabled();
    });
    Run();
    EXPECT_FALSE(windowEnabled);
    EXPECT_FALSE(buttonEnabled);
    EXPECT_TRUE(window_.Widget()->isEnabled());
    ASSERT_EQ(framework::testing::MessageBoxesShown().size(), 1u);
    const auto box = jtest::LastMessageBox();
    EXPECT_EQ(box.text, "'List' not printed. Printing canceled.");
    EXPECT_EQ(box.caption, "Print Error");
    EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
    EXPECT_FALSE(ptest::FileExists(JobPdf(1)));
    EXPECT_EQ(ptest::PdfPages(JobPdf(2)), Pages{ptest::PrintedLines(60, 61)});
}

TEST_F(PrintListingTest, MissingListingIsReportedAndNothingPrints) {
    app::Values().dataDirectory = jtest::TestDir();
    app::Values().listingLineCount = 5;
    Run();
    EXPECT_TRUE(framework::testing::PrintDialogsShown().empty());
    const auto box = jtest::LastMessageBox();
    EXPECT_EQ(box.text.rfind("The listing could not be read, so it was not printed.\n\n", 0), 0u)
        << box.text;
    EXPECT_NE(box.text.find("listd.tmp"), std::string::npos);
    EXPECT_EQ(box.caption, "Print Error");
    EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
}

// A listing that ends before its count: the chunks read whole print, the
// one the missing lines belong to does not.
TEST_F(PrintListingTest, ShortListingPrintsOnlyTheChunksReadWhole) {
    ptest::PutListing(ptest::ListingOf(64), 70);
    PrintJobsToPdf(1);
    Run();
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 1u);
    EXPECT_EQ(ptest::PdfPages(JobPdf(1)), Pages{ptest::PrintedLines(0, 59)});
    EXPECT_EQ(jtest::LastMessageBox().text.rfind(
                  "The listing could not be read after its first 60 lines, so the rest was not "
                  "printed.\n\n",
                  0),
              0u);
}

TEST_F(PrintListingTest, UnreadableListingPrintsNothing) {
    ptest::PutListing(ptest::ListingOf(5), 5);
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv installed(&faults);
    faults.FailNth(1, platform::FaultEnv::kRead, EIO);
    Run();
    EXPECT_TRUE(framework::testing::PrintDialogsShown().empty());
    EXPECT_NE(jtest::LastMessageBox().text.find("Input/output error"), std::string::npos);
}

// A line too long for one print line continues on the next, and every line
// of the listing is still printed.
TEST_F(PrintListingTest, LongLinesContinueAndNoLineIsLost) {
    const std::string longLine = "long " + std::string(300, 'x');
    ptest::PutListing(ptest::ListingOf(2) + longLine + "\r\n" + ptest::ListingLine(4) + "\r\n", 4);
    PrintJobsToPdf(1);
    Run();
    const Pages pages = ptest::PdfPages(JobPdf(1));
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 6u);
    EXPECT_EQ(std::vector<std::string>(pages[0].begin(), pages[0].begin() + 3),
              ptest::PrintedLines(0, 2));
    // The first 255 characters run off the edge of the paper.
    EXPECT_EQ(pages[0][3].rfind("long xxxxx", 0), 0u);
    EXPECT_EQ(pages[0][4], std::string(50, 'x'));
    EXPECT_EQ(pages[0][5], ptest::PrintedLines(4, 4)[0]);
}

// The print dialog's copies are honoured: the PDF holds each copy.
TEST_F(PrintListingTest, CopiesArePrinted) {
    ptest::PutListing(ptest::ListingOf(3), 3);
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(1), 2));
    Run();
    EXPECT_EQ(ptest::PdfPages(JobPdf(1)),
              (Pages{ptest::PrintedLines(0, 3), ptest::PrintedLines(0, 3)}));
}

TEST_F(PrintListingTest, AFullDiskIsReportedAndLeavesNoFile) {
    ptest::PutListing(ptest::ListingOf(3), 3);
    PrintJobsToPdf(1);
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv installed(&faults);
    faults.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);
    Run();
    EXPECT_TRUE(faults.fired());
    EXPECT_EQ(jtest::LastMessageBox().text, "'List' not printed. Out of disk space.");
    EXPECT_FALSE(ptest::FileExists(JobPdf(1)));
    EXPECT_FALSE(ptest::FileExists(JobPdf(1) + ".tmp"));
}

}  // namespace
