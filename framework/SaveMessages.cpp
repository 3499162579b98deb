#include "framework/SaveMessages.h"

#include <string>

#include "framework/MessageBox.h"
#include "platform/CodePage.h"

namespace framework {

namespace {

bool g_versionWarningShown = false;

}  // namespace

void ReportVersionFailure(TWindow* parent, const platform::Status& failure) {
    if (failure.ok() || g_versionWarningShown) return;
    g_versionWarningShown = true;
    std::string text =
        "No version of the diary could be kept in Jotwel.versions for this change.\n\n";
    // The reason names a path in the file system's encoding (UTF-8).
    text += platform::Utf8ToCp1252Lossy(failure.message());
    text += "\n\nThe change itself was made. This warning is shown once while Jotwel runs.";
    MessageBox(parent, text, "Jotwel", kMbOk | kMbIconWarning);
}

void ResetVersionWarning() {
    g_versionWarningShown = false;
}

void ShowNotSaved(TWindow* owner, std::string_view what, const platform::Status& failure) {
    std::string text(what);
    text += " could not be saved.\n\n";
    // The reason names a path in the file system's encoding (UTF-8).
    text += platform::Utf8ToCp1252Lossy(failure.message());
    MessageBox(owner, text, {}, kMbOk | kMbIconStop);
}

}  // namespace framework
