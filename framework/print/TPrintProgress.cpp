#include "framework/print/TPrintProgress.h"

#include "framework/FormatText.h"
#include "framework/MessageBox.h"

namespace framework {

namespace ids = print_progress_ids;

TPrintProgress::TPrintProgress(TWindow* parent, std::string_view title, std::string_view device,
                               std::string_view port)
    : TDialog(parent, kPrintProgressTemplate),
      nowPrinting_(this, ids::kNowPrintingLabel),
      page_(this, ids::kPageLabel),
      lastPage_(this, ids::kLastPageLabel),
      title_(this, ids::kTitleLabel),
      device_(this, ids::kDeviceLabel),
      cancel_(this, ids::kCancelButton),
      pageFormat_(page_.GetText()),
      lastPageFormat_(lastPage_.GetText()),
      titleText_(FormatText(title_.GetText(), {title})),
      deviceText_(FormatText(device_.GetText(), {device, port})) {}

void TPrintProgress::SetupWindow() {
    title_.SetText(titleText_);
    device_.SetText(deviceText_);
    // The page texts overlap "Now printing" until there are numbers in them.
    page_.Show(false);
    lastPage_.Show(false);
}

void TPrintProgress::SetPage(int page, int lastPage) {
    page_.SetText(FormatText(pageFormat_, {std::to_string(page)}));
    lastPage_.SetText(FormatText(lastPageFormat_, {std::to_string(lastPage)}));
    nowPrinting_.Show(false);
    page_.Show(true);
    lastPage_.Show(true);
}

bool TPrintProgress::HandleCommand(int id) {
    switch (id) {
        case ids::kCancelButton:
            Cancel();
            return true;
        case kIdOk:  // Enter: the dialog is left only by Cancel or the job's end
            return true;
        default:
            return TDialog::HandleCommand(id);
    }
}

void TPrintProgress::Cancel() {
    cancelled_ = true;
    cancel_.Enable(false);
}

}  // namespace framework
