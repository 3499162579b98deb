#include "entry/SaveReport.h"

#include "entry/EntryTexts.h"
#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"

namespace entry {

bool ReportEntrySave(framework::TWindow* owner, const EntrySaveResult& result) {
    switch (result.outcome) {
        case EntrySaveResult::Outcome::kSaved:
            break;
        case EntrySaveResult::Outcome::kNotSaved:
            framework::ShowNotSaved(owner, "Your entry", result.status);
            break;
        case EntrySaveResult::Outcome::kLastDateNotWritten:
            framework::MessageBox(owner, LastDateNotWrittenMessage(result.status));
            break;
        case EntrySaveResult::Outcome::kNotConfirmed:
            framework::MessageBox(owner, NotConfirmedMessage(result.status));
            break;
    }
    framework::ReportVersionFailure(owner, result.versionStatus);
    return result.stored();
}

}  // namespace entry
