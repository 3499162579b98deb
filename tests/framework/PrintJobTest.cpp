// A print job to a PDF file of a printout that offers no page range:
// every page it has is drawn once, in order, between the document's start
// and end; the job ends without an error and writes the file; and the wait
// cursor shows only while the job prepares, not while the pages are drawn
// under the Printing dialog, whose Cancel must be usable.
#include <QCursor>
#include <QGuiApplication>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "framework/print/TPrinter.h"
#include "framework/print/TPrintout.h"
#include "support/TestEnvironment.h"

namespace jtest {
namespace {

class ThreePages : public framework::TPrintout {
public:
    ThreePages() : TPrintout("three pages") {}
    void GetDialogInfo(framework::TPageRange& range) override { range = {0, 0, 0, 0}; }
    void BeginPrinting() override { calls.push_back("begin printing"); }
    void BeginDocument(int first, int, unsigned) override {
        calls.push_back("begin document at " + std::to_string(first));
    }
    void EndDocument() override { calls.push_back("end document"); }
    void EndPrinting() override { calls.push_back("end printing"); }
    bool HasPage(int page) override {
        asked.push_back(page);
        return page >= 1 && page <= 3;
    }
    void PrintPage(int page, const QRect&, unsigned) override {
        drawn.push_back(page);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (cursor != nullptr && cursor->shape() == Qt::WaitCursor) waitCursorWhileDrawing = true;
    }
    std::vector<int> asked, drawn;
    std::vector<std::string> calls;
    bool waitCursorWhileDrawing = false;
};

class PrintJobRunTest : public GuiTest {};

TEST_F(PrintJobRunTest, DrawsEveryPageWithoutTheWaitCursorAndWritesThePdf) {
    const std::string pdf = InTestDir("job.pdf");
    framework::testing::AnswerNextPrintDialog(framework::testing::PrintDialogAnswer::PdfFile(pdf));
    framework::TPrinter printer;
    ThreePages printout;
    // A cursor set by the caller is the caller's to restore.
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
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ReadFileBytes(pdf).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace jtest
