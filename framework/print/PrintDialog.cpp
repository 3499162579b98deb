#include "framework/print/PrintDialog.h"

#include <QtPrintSupport/qtprintsupportglobal.h>

#include <QPrinter>
#if QT_CONFIG(printdialog)
#include <QPrintDialog>
#endif

#include "framework/TWindow.h"
#include "framework/TestSeams.h"
#include "framework/print/TPrintout.h"

namespace framework {
namespace {

bool OffersPageRange(const TPageRange& range) {
    return range.minPage != 0 || range.maxPage != 0;
}
bool OffersSelection(const TPageRange& range) {
    return range.selFromPage != 0 || range.selToPage != 0;
}

// Applies a test's answer to printer; false for a cancel.
bool ApplyAnswer(QPrinter& printer, const testing::PrintDialogAnswer& answer) {
    if (answer.kind == testing::PrintDialogAnswer::Kind::kCancel) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(answer.path));
    printer.setCopyCount(answer.copies);
    printer.setPrintRange(QPrinter::AllPages);
    return true;
}

bool AnswerInTest(QPrinter& printer, const TPageRange& range) {
    testing::ShownPrintDialog shown;
    shown.pageRangeOffered = OffersPageRange(range);
    shown.selectionOffered = OffersSelection(range);
    return ApplyAnswer(printer, testing::TakePrintDialogAnswer(shown));
}

#if QT_CONFIG(printdialog)
bool ShowDialog(QPrinter& printer, TWindow* parent, const TPageRange& range) {
    QPrintDialog dialog(&printer, parent ? parent->Widget() : nullptr);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (OffersPageRange(range)) {
        options |= QAbstractPrintDialog::PrintPageRange;
        dialog.setMinMax(range.minPage, range.maxPage);
    }
    if (OffersSelection(range)) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}
#else
// Without a print dialog the printer's current choice is used.
bool ShowDialog(QPrinter&, TWindow*, const TPageRange&) {
    return true;
}
#endif

}  // namespace

bool ExecPrintDialog(QPrinter& printer, TWindow* parent, const TPageRange& range) {
    if (testing::InTestMode()) return AnswerInTest(printer, range);
    return ShowDialog(printer, parent, range);
}

}  // namespace framework
