#pragma once
// What a print job prints: a document of pages that a printout draws on the
// device context the job hands it. The job calls, in order: SetPrintParams,
// BeginPrinting, BeginDocument, then for each page from the first that
// HasPage agrees to: PrintPage; then EndDocument and EndPrinting.

#include <QRect>
#include <QSize>
#include <string>

namespace platform {
class TDC;
}  // namespace platform

namespace framework {

// The pages a printout offers in the print dialog. A range of 0 to 0 offers
// no page range (the job then prints from page 1 for as long as HasPage
// agrees); a selection of 0 to 0 offers no choice of printing a selection.
struct TPageRange {
    int minPage = 1;
    int maxPage = 1;
    int selFromPage = 0;
    int selToPage = 0;
};

class TPrintout {
public:
    // title: the document name of the job (Windows-1252 bytes).
    explicit TPrintout(std::string title) : title_(std::move(title)) {}
    virtual ~TPrintout() = default;
    TPrintout(const TPrintout&) = delete;
    TPrintout& operator=(const TPrintout&) = delete;

    const std::string& Title() const { return title_; }
    // Asks to be printed band by band where the printer prints in bands.
    // Qt always prints whole pages, so every page is drawn exactly once.
    void SetBanding(bool banding) { banding_ = banding; }
    bool WantBanding() const { return banding_; }

    // Stores the device context the pages are drawn on and the size of the
    // printable area in its dots; both stay valid until EndPrinting.
    virtual void SetPrintParams(platform::TDC* dc, QSize pageSize);
    // The pages offered in the print dialog: pages 1 to 1, no selection.
    virtual void GetDialogInfo(TPageRange& range);
    virtual void BeginPrinting() {}
    // firstPage and lastPage: the job's range; flags are unused (0).
    virtual void BeginDocument(int /*firstPage*/, int /*lastPage*/, unsigned /*flags*/) {}
    // True for page 1 only.
    virtual bool HasPage(int page);
    // Draws page on DC(). band is the part of the page to draw, always the
    // whole printable area; flags are unused (0).
    virtual void PrintPage(int page, const QRect& band, unsigned flags) = 0;
    virtual void EndDocument() {}
    virtual void EndPrinting() {}

protected:
    // The job's device context; nullptr outside a job.
    platform::TDC* DC() const { return dc_; }
    QSize PageSize() const { return pageSize_; }

private:
    std::string title_;
    bool banding_ = false;
    platform::TDC* dc_ = nullptr;
    QSize pageSize_;
};

}  // namespace framework
