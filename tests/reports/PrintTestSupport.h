#pragma once
// Helpers of the printing tests: listing files written byte for byte, the
// text of printed PDF files read back with poppler's pdftotext, a window to
// print from, and a way to act on the "Printing" dialog while a job runs.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/TWindow.h"

namespace ptest {

// The listing heading as printed: its tabs come out as spaces.
inline constexpr char kPrintedHeading[] = "Date Events Score Date/time entered";

// Listing line i (1-based), as written and as printed.
std::string ListingLine(int i);
// A listing file of the heading and lines 1 to count, each ending CR LF.
std::string ListingOf(int count);
// Writes bytes as the listing file of the test's folder and makes the
// process-wide values point at it with listingLineCount = count.
void PutListing(const std::string& bytes, int count);
// What a one-page job of lines first..last of ListingOf prints (0 is the
// heading), as pdftotext reads it back: runs of spaces as one.
std::vector<std::string> PrintedLines(int first, int last);

// The text lines of each page of a PDF file, runs of spaces read as one;
// fails the test when the file cannot be read.
std::vector<std::vector<std::string>> PdfPages(const std::string& path);
bool FileExists(const std::string& path);

// A plain window with a widget, to be the parent of the print dialogs.
class TestWindow : public framework::TWindow {
public:
    TestWindow() : TWindow(nullptr) {}
    QWidget* Widget() const override { return const_cast<QWidget*>(&widget_); }

private:
    QWidget widget_;
};

// The "Printing" dialog on screen, or nullptr.
QWidget* ShownProgressDialog();
// Runs action with the next "Printing" dialog as soon as the event loop
// runs while one is shown (the job's abort check). Fails the test when
// none appears within a few seconds. Nothing is done once the returned
// guard is gone, so a test's action never reaches another test.
[[nodiscard]] std::unique_ptr<QObject> OnProgressDialog(
    std::function<void(QWidget* dialog)> action);

}  // namespace ptest
