#include "app/VersionWarning.h"

#include <string>

#include "framework/MessageBox.h"
#include "platform/CodePage.h"

namespace app {
namespace {

bool g_shown = false;

}  // namespace

void ReportVersionFailure(framework::TWindow* parent, const platform::Status& failure) {
    if (failure.ok() || g_shown) return;
    g_shown = true;
    std::string text = "The diary could not be copied to Jotwel.versions before this change.\n\n";
    // The reason names a path in the file system's encoding (UTF-8).
    text += platform::Utf8ToCp1252Lossy(failure.message());
    text += "\n\nA failed copy never stops a change. This warning is shown once while Jotwel runs.";
    framework::MessageBox(parent, text, "Jotwel", framework::kMbOk | framework::kMbIconWarning);
}

void ResetVersionWarning() {
    g_shown = false;
}

}  // namespace app
