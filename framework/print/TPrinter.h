#pragma once
// The printer a window prints with, and the print job that runs a printout.
//
// A job shows the print dialog (unless told not to), then draws every page
// the printout has (never a page range chosen in the dialog: none is
// offered) while a "Printing" dialog offers Cancel and the parent
// window is disabled, and only then sends the document to the printer or PDF
// file chosen: a job cancelled or failed before that sends nothing. Failures
// are reported in the "Print Error" message box, a job that drew no page
// among them; a cancelled print dialog is not a failure and shows nothing.

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <string>

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

    // Tells, for a file chosen in the print dialog (a UTF-8 path), why the
    // printout must not go there (Windows-1252 bytes), or "" when it may. A
    // refused file is reported and the print dialog shown again.
    using FileCheck = std::function<std::string(const std::string& path)>;
    void SetFileCheck(FileCheck check) { fileCheck_ = std::move(check); }

private:
    QPrinter& Printer();
    bool AskPrintDialog(TWindow* parent, const TPageRange& range);
    // After a printout to a file, the next proposes a free name beside it,
    // so that pressing Print never replaces it.
    void ProposeFreeFileName();
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
    FileCheck fileCheck_;
};

}  // namespace framework
