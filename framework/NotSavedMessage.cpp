#include "framework/NotSavedMessage.h"

#include <string>

#include "framework/MessageBox.h"
#include "platform/CodePage.h"

namespace framework {

void ShowNotSaved(TWindow* owner, std::string_view what,
                  const platform::Status& failure) {
    std::string text(what);
    text += " could not be saved.\n\n";
    // The reason names a path in the file system's encoding (UTF-8).
    text += platform::Utf8ToCp1252Lossy(failure.message());
    MessageBox(owner, text, {}, kMbOk | kMbIconStop);
}

}  // namespace framework
