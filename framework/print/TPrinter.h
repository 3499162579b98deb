#pragma once
// The printer a window prints with, and the print job that runs a printout.
//
// A job shows the print dialog (unless told not to), then draws every page
// the printout has while a "Printing" dialog offers Cancel and the parent
// window is disabled, and only then sends the document to the printer or PDF
// file chosen: a job cancelled or failed before that sends nothing. Failures
// are reported in the "Print Error" message box; a cancelled print dialog
// is not a failure and shows nothing.

#include <QSize>
#include <QString>
#include <memory>

#include "framework/print/PrintError.h"

class QPrinter;

namespace framework {

class TWindow;
class TPrintout;
class TPrintDevice;
class TPrintProgress;
class TRecordingDC;
struct TPageRange;

class TPrinter {
public:
    // Takes the system's default printer when it first prints.
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Runs one print job of printout with parent (nullptr: none) as the
    // parent of its dialogs, showing the print dialog first when prompt is
    // true. Returns whether the job ended without an error (false also
    // when the print dialog was cancelled).
    bool Print(TWindow* parent, TPrintout& printout, bool prompt);
    // How the last job ended (kNone also after a cancelled print dialog).
    PrintError Error() const { return error_; }

private:
    QPrinter& Printer();
    bool AskPrintDialog(TWindow* parent, const TPageRange& range);
    void FollowDefaultPrinter();
    PrintError RunJob(TWindow* parent, TPrintout& printout, const TPageRange& range);
    PrintError DrawPages(TPrintout& printout, TRecordingDC& dc, TPrintProgress& progress,
                         const TPageRange& range, QSize pageSize);

    // Made on first use, so that a run that never prints never asks the
    // print system for its printers.
    std::unique_ptr<QPrinter> printer_;
    // The system's default printer when this object last took it; empty
    // once the user chose another printer or a file.
    QString takenDefault_;
    PrintError error_ = PrintError::kNone;
};

}  // namespace framework
