#include "setup/HeadingsDialog.h"

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "resources/ResourceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "setup/SetupSettings.h"

namespace setup {
namespace {

namespace ids = resources::headings_ids;

std::string HeadingName(std::size_t index) {
    return "Subject heading " + std::to_string(index + 1);
}

}  // namespace

HeadingsDialog::HeadingsDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kHeadingsDialog),
      boxes_{{{this, ids::HeadingBox(0)},
              {this, ids::HeadingBox(1)},
              {this, ids::HeadingBox(2)},
              {this, ids::HeadingBox(3)},
              {this, ids::HeadingBox(4)},
              {this, ids::HeadingBox(5)}}} {}

void HeadingsDialog::SetupWindow() {
    TDialog::SetupWindow();
    if (!StoredHeadingsShown()) return;
    const HeadingTexts& headings = session::Values().headings;
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i].SetText(headings[i]);
}

bool HeadingsDialog::HandleCommand(int id) {
    static const framework::TCommandTable<HeadingsDialog> table{
        {framework::kIdOk, &HeadingsDialog::SaveHeadings}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void HeadingsDialog::SaveHeadings() {
    HeadingTexts typed;
    for (std::size_t i = 0; i < boxes_.size(); ++i) typed[i] = boxes_[i].GetText();
    const HeadingsSaveResult result = SaveSubjectHeadings(typed, session::Values().headings);
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
