#pragma once
// Wrappers for a row of score buttons: radio buttons with consecutive ids in
// one group, the button at index k standing for score k.

#include <memory>
#include <vector>

#include "framework/Controls.h"

namespace framework {
class TDialog;
}

namespace entry {

class ScoreRow {
public:
    // REQUIRES: dialog has radio buttons firstId .. firstId + count - 1.
    ScoreRow(framework::TDialog* dialog, int firstId, int count);

    // The index of the first button that is on, or -1 when none is.
    int Score() const;
    int Count() const { return static_cast<int>(buttons_.size()); }
    framework::TRadioButton& Button(int score) { return *buttons_.at(score); }

private:
    std::vector<std::unique_ptr<framework::TRadioButton>> buttons_;
};

}  // namespace entry
