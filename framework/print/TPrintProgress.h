#pragma once
// The "Printing" dialog shown while a print job runs (template 32599): the
// document's title, the printer and where its output goes, the page being
// printed and the last page, and a Cancel button. It is shown without a
// modal run; the job asks it between steps whether Cancel was pressed.

#include <string>
#include <string_view>

#include "framework/Controls.h"
#include "framework/TDialog.h"
#include "framework/print/PrintProgressIds.h"

namespace framework {

class TPrintProgress : public TDialog {
public:
    // Texts are Windows-1252 bytes. REQUIRES: the installed resources have
    // template kPrintProgressTemplate.
    TPrintProgress(TWindow* parent, std::string_view title, std::string_view device,
                   std::string_view port);

    // Shows page and lastPage in place of the centred "Now printing".
    void SetPage(int page, int lastPage);
    // Whether Cancel (or Escape) was pressed.
    bool Cancelled() const { return cancelled_; }

protected:
    void SetupWindow() override;
    // Command 2 (Cancel, Escape) cancels the job and disables Cancel; the
    // dialog stays until the job ends. Command 1 (Enter) does nothing.
    bool HandleCommand(int id) override;

private:
    void Cancel();

    TStatic nowPrinting_;
    TStatic page_;
    TStatic lastPage_;
    TStatic title_;
    TStatic device_;
    TButton cancel_;
    std::string pageFormat_;
    std::string lastPageFormat_;
    std::string titleText_;
    std::string deviceText_;
    bool cancelled_ = false;
};

}  // namespace framework
