#pragma once
// Where a print job's pages go: the printer or the PDF file chosen in the
// print dialog. A device measures fonts and texts for the printout while the
// pages are drawn, and receives the whole document once they all are.

#include <QSize>
#include <memory>
#include <string>
#include <string_view>

#include "framework/print/PrintError.h"

class QPaintDevice;
class QPrinter;

namespace framework {

class TRecordingDC;

class TPrintDevice {
public:
    virtual ~TPrintDevice() = default;

    // What fonts and texts are measured on.
    virtual const QPaintDevice& Device() const = 0;
    // The printable area in dots.
    virtual QSize PageSize() const = 0;
    // The printer's name and where its output goes (Windows-1252 bytes),
    // as the progress dialog shows them.
    virtual std::string Name() const = 0;
    virtual std::string Port() const = 0;
    // Sends the pages drawn on dc as one document named title, in as many
    // copies as the print dialog asked for. Sends nothing for a document of
    // no pages. Returns kNone on success.
    virtual PrintError Send(const TRecordingDC& dc, std::string_view title) = 0;
};

// The device of printer's current choice, or nullptr when none can be made
// (the printer is gone, or no output file is named).
// REQUIRES: printer outlives the device.
std::unique_ptr<TPrintDevice> OpenPrintDevice(QPrinter& printer);

}  // namespace framework
