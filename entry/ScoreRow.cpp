#include "entry/ScoreRow.h"

#include "entry/EntryRules.h"

namespace entry {

ScoreRow::ScoreRow(framework::TDialog* dialog, int firstId, int count) {
    buttons_.reserve(count);
    for (int k = 0; k < count; ++k) {
        buttons_.push_back(std::make_unique<framework::TRadioButton>(dialog, firstId + k));
    }
}

int ScoreRow::Score() const {
    std::vector<bool> on;
    on.reserve(buttons_.size());
    for (const auto& button : buttons_) on.push_back(button->IsChecked());
    return ScoreOf(on);
}

}  // namespace entry
