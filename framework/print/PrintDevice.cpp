#include "framework/print/PrintDevice.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <vector>

#include "framework/TestSeams.h"
#include "framework/TextCodec.h"
#include "framework/print/TRecordingDC.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/WholeFile.h"

namespace framework {
namespace {

// A name for the progress dialog: characters the code page lacks become "?".
std::string ShownName(const QString& text) {
    return platform::Utf8ToCp1252Lossy(text.toStdString());
}

// The page order of a document: page indexes, each copy whole after the
// other when collated, else each page repeated copies times.
std::vector<int> PageOrder(int pages, int copies, bool collate) {
    std::vector<int> order;
    for (int outer = 0; outer < (collate ? copies : pages); ++outer) {
        for (int inner = 0; inner < (collate ? pages : copies); ++inner) {
            order.push_back(collate ? inner : outer);
        }
    }
    return order;
}

// Plays the pages of dc onto an open painter, starting a new page on
// pagedDevice between them.
template <class Paged>
void PlayPages(const TRecordingDC& dc, const std::vector<int>& order, QPainter& painter,
               Paged& pagedDevice) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0) pagedDevice.newPage();
        dc.PlayPage(order[i], painter);
    }
}

// A PDF file: drawn in memory and written whole through platform::Env, so a
// failed or full disk is reported and an older file stays as it was.
class PdfFileDevice : public TPrintDevice {
public:
    explicit PdfFileDevice(const QPrinter& printer)
        : path_(printer.outputFileName()),
          copies_(std::max(1, printer.copyCount())),
          collate_(printer.collateCopies()),
          writer_(&buffer_) {
        buffer_.open(QIODevice::WriteOnly);
        writer_.setResolution(printer.resolution());
        writer_.setPageLayout(printer.pageLayout());
    }

    const QPaintDevice& Device() const override { return writer_; }
    QSize PageSize() const override {
        return writer_.pageLayout().paintRectPixels(writer_.resolution()).size();
    }
    std::string Name() const override { return "PDF file"; }
    std::string Port() const override { return ShownName(QFileInfo(path_).fileName()); }

    PrintError Send(const TRecordingDC& dc, std::string_view title) override {
        if (dc.PageCount() == 0) return PrintError::kNone;
        writer_.setTitle(FromCp1252(title));
        QPainter painter;
        if (!painter.begin(&writer_)) return PrintError::kGeneral;
        PlayPages(dc, PageOrder(dc.PageCount(), copies_, collate_), painter, writer_);
        if (!painter.end()) return PrintError::kGeneral;
        const QByteArray& bytes = buffer_.data();
        const platform::Status written = platform::ReplaceWholeFile(
            *platform::Env::Default(), QFile::encodeName(path_).toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return written.ok() ? PrintError::kNone : PrintErrorOfErrno(written.code());
    }

private:
    QString path_;
    int copies_;
    bool collate_;
    QBuffer buffer_;
    QPdfWriter writer_;
};

// A printer of the print system. Qt starts the document when painting
// begins and hands it to the print system when painting ends.
class PrinterDevice : public TPrintDevice {
public:
    explicit PrinterDevice(QPrinter& printer) : printer_(printer) {}

    const QPaintDevice& Device() const override { return printer_; }
    QSize PageSize() const override {
        return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
    }
    std::string Name() const override { return ShownName(printer_.printerName()); }
    std::string Port() const override {
        const QPrinterInfo info(printer_);
        if (!info.location().isEmpty()) return ShownName(info.location());
        return "CUPS";
    }

    PrintError Send(const TRecordingDC& dc, std::string_view title) override {
        if (dc.PageCount() == 0) return PrintError::kNone;
        printer_.setDocName(FromCp1252(title));
        // Most printers make the copies themselves; for the others each is
        // drawn.
        const int copies = printer_.supportsMultipleCopies() ? 1 : printer_.copyCount();
        QPainter painter;
        if (!painter.begin(&printer_)) return PrintError::kGeneral;
        PlayPages(dc, PageOrder(dc.PageCount(), copies, printer_.collateCopies()), painter,
                  printer_);
        if (!painter.end()) return PrintError::kGeneral;
        switch (printer_.printerState()) {
            case QPrinter::Aborted:
                return PrintError::kDeletedFromQueue;
            case QPrinter::Error:
                return PrintError::kGeneral;
            default:
                return PrintError::kNone;
        }
    }

private:
    QPrinter& printer_;
};

bool HasPrintableArea(const TPrintDevice& device) {
    return !device.PageSize().isEmpty();
}

std::unique_ptr<TPrintDevice> MakeDevice(QPrinter& printer) {
    if (printer.resolution() <= 0) return nullptr;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty()) return nullptr;
        return std::make_unique<PdfFileDevice>(printer);
    }
    // The printer chosen may have gone from the print system since.
    if (!printer.isValid() || QPrinterInfo::printerInfo(printer.printerName()).isNull() ||
        !printer.paintEngine()) {
        return nullptr;
    }
    return std::make_unique<PrinterDevice>(printer);
}

}  // namespace

std::unique_ptr<TPrintDevice> OpenPrintDevice(QPrinter& printer) {
    if (testing::InTestMode() && testing::TakePrintDeviceFailure()) return nullptr;
    std::unique_ptr<TPrintDevice> device = MakeDevice(printer);
    if (device && !HasPrintableArea(*device)) device.reset();
    return device;
}

}  // namespace framework
