#include "setup/TDlg7.h"

#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "framework/NotSavedMessage.h"
#include "setup/SetupSettings.h"

namespace setup {
namespace {

constexpr int kFirstBox = 101;

std::string HeadingName(std::size_t index) {
    return "Subject heading " + std::to_string(index + 1);
}

}  // namespace

TDlg7::TDlg7(framework::TWindow* parent)
    : TDialog(parent, resources::kHeadingsDialog),
      boxes_{{{this, kFirstBox},
              {this, kFirstBox + 1},
              {this, kFirstBox + 2},
              {this, kFirstBox + 3},
              {this, kFirstBox + 4},
              {this, kFirstBox + 5}}} {}

void TDlg7::SetupWindow() {
    TDialog::SetupWindow();
    if (!StoredHeadingsShown()) return;
    const HeadingTexts& headings = app::Values().headings;
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].SetText(headings[i]);
}

bool TDlg7::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg7> table{{framework::kIdOk, &TDlg7::SaveHeadings}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg7::SaveHeadings() {
    HeadingTexts typed;
    for (std::size_t i = 0; i < boxes_.size(); ++i) typed[i] = boxes_[i].GetText();
    const HeadingsSaveResult result = SaveSubjectHeadings(typed, app::Values().headings);
    switch (result.outcome) {
        case HeadingsSaveResult::Outcome::kSaved:
            CloseWindow(framework::kIdCancel);
            return;
        case HeadingsSaveResult::Outcome::kBlankHeading:
            framework::MessageBox(this,
                                  "There is at least one empty heading\n"
                                  "You must fill all 6 heading boxes");
            return;
        case HeadingsSaveResult::Outcome::kNotWritten:
            framework::ShowNotSaved(this, HeadingName(result.index), result.status);
            return;
    }
}

}  // namespace setup
