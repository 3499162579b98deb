#pragma once
// The About box and the help screens (templates 3, 6, 8, 9 and 10): fixed
// texts, icons and pictures with one button. Everything is the framework's
// default: commands 1 and 2, Escape and the close box all close the screen.

#include "framework/TDialog.h"

namespace help {

class HelpScreen : public framework::TDialog {
public:
    // REQUIRES: templateId is one of the About and help templates.
    HelpScreen(framework::TWindow* parent, int templateId);
};

}  // namespace help
