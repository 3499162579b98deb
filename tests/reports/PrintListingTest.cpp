// The print run from the listing file to paper. The listing is read back as
// print lines: a line and its end fit in 255 characters (CR LF counting as
// one), a longer line continues in the next print line, and reading past
// the end is an error. The real print job
// follows: each job's print dialog is answered through the test seam with a
// PDF file of its own, whose text is read back with poppler's pdftotext.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>

#include "ReportsTest.h"
#include "framework/TWindow.h"
#include "framework/print/PrintProgressIds.h"
#include "framework/print/TPrinter.h"
#include "listing/PrintLineReader.h"
#include "reports/PrintListing.h"

namespace jtest {
namespace {

using framework::testing::PrintDialogAnswer;
using platform::FaultEnv;
using Read = std::pair<std::string, bool>;  // text, whether it ends a line of the file

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
// Sets the count of the listing's lines after its heading, and writes its
// bytes (no file when none).
void PutListing(int count, const std::optional<std::string>& bytes) {
    session::Values().listingLineCount = count;
    std::remove(InTestDir("listd.tmp").c_str());
    if (bytes) WriteFileBytes(InTestDir("listd.tmp"), *bytes);
}

TEST(PrintLineReader, SplitsTheFileIntoPrintLines) {
    const std::string a254(254, 'a'), b255(255, 'b');
    const std::pair<std::string, std::vector<Read>> cases[] = {
        {"one\r\ntwo\n\r\nlast",
         {{"one\r\n", true}, {"two\n", true}, {"\r\n", true}, {"last", true}}},
        {"a\rb\r\n", {{"a\rb\r\n", true}}},  // a lone CR is text
        {a254 + "\r\nx\r\n", {{a254 + "\r\n", true}, {"x\r\n", true}}},
        {b255 + "\r\n", {{b255, false}, {"\r\n", true}}},
        {b255 + b255 + "z", {{b255, false}, {b255, false}, {"z", true}}},
        {b255, {{b255, true}}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFileBytes(InTestDir("listd.tmp"), bytes);
        listing::TPrintLineReader reader;
        ASSERT_TRUE(reader.Open(InTestDir("listd.tmp")).ok());
        std::vector<Read> reads;
        std::string text;
        bool endsLine = false;
        while (reader.ReadPrintLine(&text, &endsLine).ok()) reads.emplace_back(text, endsLine);
        EXPECT_EQ(text, "");
        EXPECT_EQ(reads, expected) << bytes.substr(0, 20);
    }
}

using Pages = std::vector<std::vector<std::string>>;
std::string JobPdf(int job) {
    return InTestDir("job" + std::to_string(job) + ".pdf");
}
// The non-empty text lines of each page of the PDF file of a job (none when
// there is no file); fails the test when the file cannot be read.
Pages JobPages(int job) {
    if (!std::filesystem::exists(JobPdf(job))) return {};
    QProcess process;
    process.start("pdftotext",
                  {"-layout", "-enc", "UTF-8", QString::fromStdString(JobPdf(job)), "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << JobPdf(job);
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

class PrintListingTest : public ReportsTest {
protected:
    // Answers the next print dialogs with job1.pdf, job2.pdf, ..., each
    // with its number of copies (0: Cancel), after removing those of before.
    static void PrintJobsToPdf(const std::vector<int>& copies) {
        for (int job = 1; job <= 3; ++job) std::remove(JobPdf(job).c_str());
        for (int job = 1; job <= static_cast<int>(copies.size()); ++job) {
            const int n = copies[job - 1];
            framework::testing::AnswerNextPrintDialog(n ? PrintDialogAnswer::PdfFile(JobPdf(job), n)
                                                        : PrintDialogAnswer::Cancel());
        }
    }
    void Run() { reports::PrintListing(printer_, &window_); }

    framework::TPrinter printer_;
    TestWindow window_;
};

// Each job prints at most 60 lines (the heading counts) on one page, after
// a print dialog that offers no page range and no selection. A cancelled
// print dialog skips its job only; the next prints its copies.
TEST_F(PrintListingTest, PrintsOneOnePageJobPerSixtyLines) {
    const struct {
        int lines;
        std::vector<std::pair<int, int>> jobs;  // first and last line printed
        std::vector<int> copies;
    } cases[] = {
        {.lines = 0, .jobs = {}, .copies = {}},
        {.lines = 59, .jobs = {{0, 59}}, .copies = {1}},
        {.lines = 60, .jobs = {{0, 59}, {60, 60}}, .copies = {1, 1}},
        {.lines = 61, .jobs = {{0, 59}, {60, 61}}, .copies = {0, 2}},
        {.lines = 130, .jobs = {{0, 59}, {60, 119}, {120, 130}}, .copies = {1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        framework::testing::ResetSeams();
        PutListing(c.lines, ListingOf(NumberedLines(c.lines)));
        PrintJobsToPdf(c.copies);
        Run();
        const auto& dialogs = framework::testing::PrintDialogsShown();
        ASSERT_EQ(dialogs.size(), c.jobs.size());
        for (int job = 0; job < static_cast<int>(c.jobs.size()); ++job) {
            EXPECT_FALSE(dialogs[job].pageRangeOffered || dialogs[job].selectionOffered);
            const auto& [first, last] = c.jobs[job];
            EXPECT_EQ(JobPages(job + 1), Pages(c.copies[job], PrintedLines(first, last)));
        }
        EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
    }
}

// The "Printing" dialog names the job, where it goes and its one page while
// the main window is disabled; its Cancel stops that job, which is reported
// and prints nothing, and the next chunk prints as usual.
TEST_F(PrintListingTest, CancelInTheProgressDialogStopsOnlyThatJob) {
    PutListing(61, ListingOf(NumberedLines(61)));
    PrintJobsToPdf({1, 1});
    // At each abort check while the "Printing" dialog is up, until the page
    // is under way: then read its texts and press its Cancel.
    bool windowEnabled = true;
    QTimer clicking;
    QObject::connect(&clicking, &QTimer::timeout, [&] {
        QWidget* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() ==
                    "dlg" + QString::number(framework::kPrintProgressTemplate) &&
                widget->isVisible()) {
                dialog = widget;
            }
        }
        using namespace framework::print_progress_ids;
        const auto label = [&dialog](int id) {
            return dialog->findChild<QLabel*>(QString::fromStdString(ControlName(id)));
        };
        if (!dialog || !label(kLastPageLabel)->isVisible()) return;
        std::string texts;
        for (int id : {kTitleLabel, kDeviceLabel, kPageLabel, kLastPageLabel}) {
            texts += label(id)->text().toStdString() + "|";
        }
        EXPECT_EQ(texts, "'List' on the|PDF file on job1.pdf|Now printing Page 1|to 1 of|");
        windowEnabled = window_.Widget()->isEnabled();
        dialog->findChild<QAbstractButton*>(QString::fromStdString(ControlName(kCancelButton)))
            ->click();
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
    EXPECT_EQ(JobPages(1), Pages{});
    EXPECT_EQ(JobPages(2), Pages{PrintedLines(60, 61)});
}

// A listing that is missing, cannot be read, ends before its count or was
// replaced since Show Results by one with a line longer than any the
// program writes: the run stops before the chunk a failed read belongs to,
// and says so. A printer gone after its dialog prints nothing and says so.
TEST_F(PrintListingTest, FailuresAreReportedAndNothingStaleIsPrinted) {
    const std::string none = "The listing could not be read, so it was not printed.\n\n";
    const std::string listing64 = ListingOf(NumberedLines(64));
    const struct {
        std::optional<std::string> listing;
        int count, failingRead;
        bool deviceFails;
        std::size_t jobs;
        std::string says, why;
    } cases[] = {
        {.listing = std::nullopt,
         .count = 5,
         .failingRead = 0,
         .deviceFails = false,
         .jobs = 0,
         .says = none,
         .why = "listd.tmp"},
        {.listing = listing64,
         .count = 5,
         .failingRead = 1,
         .deviceFails = false,
         .jobs = 0,
         .says = none,
         .why = "Input/output error"},
        {.listing = listing64,
         .count = 70,
         .failingRead = 0,
         .deviceFails = false,
         .jobs = 1,
         .says =
             "The listing could not be read after its first 60 lines, so the rest was not printed.",
         .why = ""},
        {.listing = std::string(1 << 20, 'x'),
         .count = 3,
         .failingRead = 0,
         .deviceFails = false,
         .jobs = 0,
         .says = none,
         .why = ""},
        {.listing = listing64,
         .count = 3,
         .failingRead = 0,
         .deviceFails = true,
         .jobs = 1,
         .says = "'List' not printed. Error encountered during print.",
         .why = ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        framework::testing::ResetSeams();
        PutListing(c.count, c.listing);
        PrintJobsToPdf(std::vector<int>(c.jobs, 1));
        faults_.FailNth(c.failingRead, FaultEnv::kRead, EIO);
        if (c.deviceFails) framework::testing::FailNextPrintDevice();
        Run();
        EXPECT_EQ(framework::testing::PrintDialogsShown().size(), c.jobs);
        EXPECT_EQ(JobPages(1), c.jobs && !c.deviceFails ? Pages{PrintedLines(0, 59)} : Pages{});
        const auto box = LastMessageBox();
        EXPECT_EQ(box.text.rfind(c.says, 0), 0u) << box.text;
        EXPECT_NE(box.text.find(c.why), std::string::npos) << box.text;
        EXPECT_EQ(box.caption, "Print Error");
        EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
    }
}

// Jobs to files: each later job's dialog proposes the next free name beside
// the last file, so pressing Print in each keeps every page; a file already
// there is never proposed.
TEST_F(PrintListingTest, JobsToFilesProposeTheNextFreeNameAndKeepEveryLine) {
    const struct {
        std::vector<std::string> already;  // files there before
        std::vector<std::string> printed;  // where the three jobs go
    } cases[] = {
        {.already = {}, .printed = {"list.pdf", "list-2.pdf", "list-3.pdf"}},
        {.already = {"list-2.pdf", "list-4.pdf"},
         .printed = {"list.pdf", "list-3.pdf", "list-5.pdf"}},
    };
    for (const auto& c : cases) {
        framework::testing::ResetSeams();
        for (const char* name :
             {"list.pdf", "list-2.pdf", "list-3.pdf", "list-4.pdf", "list-5.pdf"})
            std::remove(InTestDir(name).c_str());
        for (const std::string& name : c.already) WriteFileBytes(InTestDir(name), "mine");
        PutListing(130, ListingOf(NumberedLines(130)));
        framework::testing::AnswerNextPrintDialog(
            PrintDialogAnswer::PdfFile(InTestDir("list.pdf")));
        framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
        framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::ProposedFile());
        Run();
        const auto& dialogs = framework::testing::PrintDialogsShown();
        ASSERT_EQ(dialogs.size(), 3u);
        std::vector<std::string> lines;
        for (int job = 0; job < 3; ++job) {
            EXPECT_FALSE(dialogs[job].pageRangeOffered || dialogs[job].selectionOffered);
            if (job > 0) {
                EXPECT_EQ(dialogs[job].proposedPath, InTestDir(c.printed[job]));
            }
            std::filesystem::rename(InTestDir(c.printed[job]), JobPdf(1));
            const Pages pages = JobPages(1);
            ASSERT_EQ(pages.size(), 1u) << c.printed[job];
            lines.insert(lines.end(), pages[0].begin(), pages[0].end());
        }
        EXPECT_EQ(lines, PrintedLines(0, 130));
        for (const std::string& name : c.already) EXPECT_EQ(ReadFileBytes(InTestDir(name)), "mine");
        EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
    }
}

// The program's own files are refused, by any path or link that leads to
// them; the dialog then comes back, and the diary stays as it was.
TEST_F(PrintListingTest, PrintingOntoTheProgramsOwnFilesIsRefused) {
    namespace fs = std::filesystem;
    const std::string dir = TestDir();
    fs::create_directories(dir + "/Jotwel.versions");
    fs::create_directories(dir + "/sub");
    WriteFileBytes(dir + "/Jotwel.dat", "diary");
    WriteFileBytes(dir + "/settings.ini", "[Jotwel]");
    fs::remove(dir + "/alias.pdf");
    fs::create_symlink(dir + "/Jotwel.dat", dir + "/alias.pdf");
    const struct {
        std::string path;
        bool refused;
    } cases[] = {
        {.path = dir + "/Jotwel.dat", .refused = true},
        {.path = dir + "/sub/../Jotwel.dat", .refused = true},
        {.path = dir + "/alias.pdf", .refused = true},
        {.path = dir + "/Jotwel.hld", .refused = true},
        {.path = dir + "/listd.tmp", .refused = true},
        {.path = dir + "/settings.ini", .refused = true},
        {.path = dir + "/Jotwel.versions", .refused = true},
        {.path = dir + "/Jotwel.versions/Jotwel-2020-06-15-120000.dat", .refused = true},
        {.path = dir + "/Jotwel.versions/new.pdf", .refused = true},
        {.path = dir + "/Jotwel.dat.pdf", .refused = false},
        {.path = dir + "/sub/Jotwel.dat", .refused = false},
        {.path = dir + "/list.pdf", .refused = false},
    };
    for (const auto& c : cases) {
        const std::string says = reports::OwnFileRefusal(c.path, dir, dir + "/settings.ini");
        EXPECT_EQ(!says.empty(), c.refused) << c.path << ": " << says;
    }

    PutListing(3, ListingOf(NumberedLines(3)));
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(dir + "/Jotwel.dat"));
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(JobPdf(1)));
    std::remove(JobPdf(1).c_str());
    Run();
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 2u);
    EXPECT_EQ(ReadFileBytes(dir + "/Jotwel.dat"), "diary");
    EXPECT_EQ(JobPages(1), Pages{PrintedLines(0, 3)});
    const auto box = LastMessageBox();
    EXPECT_EQ(box.text,
              "\"Jotwel.dat\" is one of Jotwel's own files; printing to it would replace it. "
              "Choose another file for the printout.");
    EXPECT_EQ(box.caption, "Print Error");
}

// A line too long for one print line continues on the next, and every line
// of the listing is still printed.
TEST_F(PrintListingTest, LongLinesContinueAndNoLineIsLost) {
    const std::vector<std::string> lines = NumberedLines(3);
    PutListing(3, ListingOf({lines[0], "long " + std::string(300, 'x'), lines[2]}));
    PrintJobsToPdf({1});
    Run();
    // The first 255 characters run off the edge of the paper.
    const Pages pages = JobPages(1);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 5u);
    EXPECT_EQ(pages[0][3], std::string(50, 'x'));
    EXPECT_EQ(pages[0][4], PrintedLines(3, 3)[0]);
}

}  // namespace
}  // namespace jtest
