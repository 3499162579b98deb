#include "framework/print/PrintDialog.h"

#include <QtPrintSupport/qtprintsupportglobal.h>

#include <QEvent>
#include <QPrinter>
#include <algorithm>
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
    const QString proposed =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.path.empty() ? proposed : QString::fromStdString(answer.path));
    printer.setCopyCount(answer.copies);
    printer.setPrintRange(QPrinter::AllPages);
    return true;
}

bool AnswerInTest(QPrinter& printer, const TPageRange& range) {
    testing::ShownPrintDialog shown;
    shown.pageRangeOffered = OffersPageRange(range);
    shown.selectionOffered = OffersSelection(range);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        shown.proposedPath = printer.outputFileName().toStdString();
    }
    return ApplyAnswer(printer, testing::TakePrintDialogAnswer(shown));
}

#if QT_CONFIG(printdialog)
// Qt's print dialog shows its "Pages from ... to ..." choice whenever it is
// shown, whatever its options say; this takes the page choices away again
// once the dialog has set itself up, where the printout offers none.
class NoPageChoice : public QObject {
public:
    NoPageChoice(QPrintDialog* dialog, bool keepSelection)
        : QObject(dialog), keepSelection_(keepSelection) {
        dialog->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        for (const char* name : {"printRange", "pagesRadioButton", "printCurrentPage"}) {
            if (auto* choice = watched->findChild<QWidget*>(QLatin1String(name))) {
                choice->setEnabled(false);
                choice->setVisible(false);
            }
        }
        if (auto* group = watched->findChild<QWidget*>(QStringLiteral("gbPrintRange"))) {
            group->setVisible(keepSelection_);
        }
        return false;
    }

private:
    bool keepSelection_;
};

}  // namespace

void SetPrintDialogOptions(QPrintDialog& dialog, const TPageRange& range) {
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (OffersPageRange(range)) {
        options |= QAbstractPrintDialog::PrintPageRange;
        dialog.setMinMax(range.minPage, range.maxPage);
    }
    if (OffersSelection(range)) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    if (!OffersPageRange(range)) new NoPageChoice(&dialog, OffersSelection(range));
    // A range chosen for an earlier printout does not carry over.
    if (QPrinter* printer = dialog.printer()) {
        printer->setPrintRange(QPrinter::AllPages);
        printer->setFromTo(0, 0);
    }
}

namespace {

bool ShowDialog(QPrinter& printer, TWindow* parent, const TPageRange& range) {
    QPrintDialog dialog(&printer, parent ? parent->Widget() : nullptr);
    SetPrintDialogOptions(dialog, range);
    return dialog.exec() == QDialog::Accepted;
}
#else
// Without a print dialog the printer's current choice is used.
bool ShowDialog(QPrinter&, TWindow*, const TPageRange&) {
    return true;
}
#endif

}  // namespace

std::string NextFreeFileName(const std::string& path,
                             const std::function<bool(const std::string&)>& exists) {
    if (!exists(path)) return path;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    std::string stem = path.substr(0, dot);
    const std::string extension = path.substr(dot);
    long long number = 1;
    // A name that already ends in "-N" (N of up to nine digits) counts on.
    const std::size_t dash = stem.rfind('-');
    if (dash != std::string::npos && dash > nameStart) {
        const std::string digits = stem.substr(dash + 1);
        if (!digits.empty() && digits.size() <= 9 &&
            std::all_of(digits.begin(), digits.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            number = std::stoll(digits);
            stem.resize(dash);
        }
    }
    for (;;) {
        const std::string candidate = stem + "-" + std::to_string(++number) + extension;
        if (!exists(candidate)) return candidate;
    }
}

bool ExecPrintDialog(QPrinter& printer, TWindow* parent, const TPageRange& range) {
    if (testing::InTestMode()) return AnswerInTest(printer, range);
    return ShowDialog(printer, parent, range);
}

}  // namespace framework
