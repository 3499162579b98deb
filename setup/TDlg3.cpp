#include "setup/TDlg3.h"

namespace setup {

TDlg3::TDlg3(framework::TWindow* parent, int templateId) : TDialog(parent, templateId) {}

}  // namespace setup
