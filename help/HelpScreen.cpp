#include "help/HelpScreen.h"

namespace help {

HelpScreen::HelpScreen(framework::TWindow* parent, int templateId) : TDialog(parent, templateId) {}

}  // namespace help
