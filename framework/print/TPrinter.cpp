#include "framework/print/TPrinter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <climits>
#include <new>

#include "framework/MessageBox.h"
#include "framework/TextCodec.h"
#include "framework/print/PrintDevice.h"
#include "framework/print/PrintDialog.h"
#include "framework/print/TPrintProgress.h"
#include "framework/print/TPrintout.h"
#include "framework/print/TRecordingDC.h"

namespace framework {
namespace {

// The wait cursor, from construction until Restore or destruction.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    void Restore() {
        if (active_) QGuiApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// Disables window (when there is one) for its lifetime, keeping the dialog
// that belongs to it usable.
class DisabledWindow {
public:
    DisabledWindow(TWindow* window, TDialog& keepEnabled)
        : widget_(window ? window->Widget() : nullptr) {
        if (!widget_) return;
        wasEnabled_ = widget_->isEnabled();
        widget_->setEnabled(false);
        keepEnabled.Widget()->setEnabled(true);
    }
    ~DisabledWindow() {
        if (widget_) widget_->setEnabled(wasEnabled_);
    }

private:
    QPointer<QWidget> widget_;
    bool wasEnabled_ = true;
};

// The abort check: handles what the user did meanwhile, then tells whether
// Cancel was pressed.
bool Cancelled(const TPrintProgress& progress) {
    QCoreApplication::processEvents();
    return progress.Cancelled();
}

struct PageSpan {
    int first = 1;
    int last = INT_MAX;
};

// The pages the job may print: those chosen in the print dialog where it
// offered a range, else the printout's range, where 0 leaves that end open.
PageSpan JobSpan(const QPrinter& printer, const TPageRange& range) {
    const bool rangeOffered = range.minPage != 0 || range.maxPage != 0;
    if (rangeOffered && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        return {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
    }
    return {range.minPage > 0 ? range.minPage : 1, range.maxPage > 0 ? range.maxPage : INT_MAX};
}

// Whether anything, a dangling link included, is at path.
bool SomethingAt(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() || info.isSymLink();
}

// The last page of span that the printout has, every page before it
// included; span.first - 1 when it has none.
int LastPage(TPrintout& printout, PageSpan span) {
    int last = span.first - 1;
    while (last < span.last && printout.HasPage(last + 1)) ++last;
    return last;
}

}  // namespace

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

QPrinter& TPrinter::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        takenDefault_ = printer_->printerName();
    }
    return *printer_;
}

bool TPrinter::Print(TWindow* parent, TPrintout& printout, bool prompt) {
    error_ = PrintError::kNone;
    TPageRange range;
    {
        WaitCursor preparing;
        printout.GetDialogInfo(range);
    }
    // The print dialog proposes a file named after the document.
    Printer().setDocName(FromCp1252(printout.Title()));
    if (prompt && !AskPrintDialog(parent, range)) return false;
    try {
        error_ = RunJob(parent, printout, range);
    } catch (const std::bad_alloc&) {
        error_ = PrintError::kOutOfMemory;
    }
    printout.SetPrintParams(nullptr, QSize());
    if (error_ != PrintError::kNone) ReportPrintError(parent, printout.Title(), error_);
    return error_ == PrintError::kNone;
}

bool TPrinter::AskPrintDialog(TWindow* parent, const TPageRange& range) {
    FollowDefaultPrinter();
    ProposeFreeFileName();
    for (;;) {
        if (!ExecPrintDialog(Printer(), parent, range)) return false;
        if (printer_->outputFormat() != QPrinter::PdfFormat || !fileCheck_) break;
        const std::string refused = fileCheck_(printer_->outputFileName().toStdString());
        if (refused.empty()) break;
        MessageBox(parent, refused, "Print Error", kMbOk | kMbIconWarning);
    }
    const bool isDefault = printer_->outputFormat() == QPrinter::NativeFormat &&
                           printer_->printerName() == QPrinterInfo::defaultPrinterName();
    takenDefault_ = isDefault ? printer_->printerName() : QString();
    return true;
}

void TPrinter::ProposeFreeFileName() {
    if (Printer().outputFormat() != QPrinter::PdfFormat) return;
    const std::string used = printer_->outputFileName().toStdString();
    if (used.empty()) return;
    printer_->setOutputFileName(QString::fromStdString(NextFreeFileName(used, SomethingAt)));
}

// Qt's print dialog does not fail when the system's default printer changed
// since this object took it; it would open on the old one. So before the
// dialog, a printer object still on the default it took moves to the
// current default, and the dialog opens there.
void TPrinter::FollowDefaultPrinter() {
    if (takenDefault_.isEmpty() || Printer().printerName() != takenDefault_) return;
    const QString current = QPrinterInfo::defaultPrinterName();
    if (current.isEmpty() || current == takenDefault_) return;
    printer_->setPrinterName(current);
    takenDefault_ = current;
}

PrintError TPrinter::RunJob(TWindow* parent, TPrintout& printout, const TPageRange& range) {
    WaitCursor preparing;
    const std::unique_ptr<TPrintDevice> device = OpenPrintDevice(Printer());
    if (!device) return PrintError::kGeneral;
    TRecordingDC dc(device->Device());
    printout.SetPrintParams(&dc, device->PageSize());
    TPrintProgress progress(parent, printout.Title(), device->Name(), device->Port());
    progress.ShowModeless();
    preparing.Restore();
    const DisabledWindow disabled(parent, progress);
    const PrintError drawn = DrawPages(printout, dc, progress, range, device->PageSize());
    if (drawn != PrintError::kNone) return drawn;
    // Nothing to send is nothing printed, never a success.
    if (dc.PageCount() == 0) return PrintError::kGeneral;
    return device->Send(dc, printout.Title());
}

PrintError TPrinter::DrawPages(TPrintout& printout, TRecordingDC& dc, TPrintProgress& progress,
                               const TPageRange& range, QSize pageSize) {
    if (Cancelled(progress)) return PrintError::kCanceled;
    const PageSpan span = JobSpan(Printer(), range);
    printout.BeginPrinting();
    printout.BeginDocument(span.first, span.last, 0);
    const int lastPage = LastPage(printout, span);
    PrintError error = PrintError::kNone;
    for (long long page = span.first; page <= lastPage; ++page) {
        progress.SetPage(static_cast<int>(page), lastPage);
        if (Cancelled(progress)) {
            error = PrintError::kCanceled;
            break;
        }
        dc.StartPage();
        printout.PrintPage(static_cast<int>(page), QRect(QPoint(0, 0), pageSize), 0);
    }
    if (error == PrintError::kNone && Cancelled(progress)) error = PrintError::kCanceled;
    printout.EndDocument();
    printout.EndPrinting();
    return error;
}

}  // namespace framework
