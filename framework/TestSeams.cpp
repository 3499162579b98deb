#include "framework/TestSeams.h"

#include <deque>

#include "framework/MessageBox.h"

namespace framework::testing {
namespace {

struct Seams {
    bool testMode = false;
    std::deque<int> answers;
    std::deque<std::function<void(TDialog&)>> actions;
    std::vector<ShownMessageBox> boxes;
    std::vector<ShownDialog> dialogs;
};

Seams& State() {
    static Seams seams;
    return seams;
}

}  // namespace

void SetTestMode(bool on) { State().testMode = on; }
bool InTestMode() { return State().testMode; }

void AnswerNextMessageBox(int answer) { State().answers.push_back(answer); }
const std::vector<ShownMessageBox>& MessageBoxesShown() { return State().boxes; }

void OnNextDialog(std::function<void(TDialog&)> action) {
    State().actions.push_back(std::move(action));
}
const std::vector<ShownDialog>& DialogsShown() { return State().dialogs; }

int PendingSeams() {
    return static_cast<int>(State().answers.size() + State().actions.size());
}

void ResetSeams() {
    Seams& s = State();
    s.answers.clear();
    s.actions.clear();
    s.boxes.clear();
    s.dialogs.clear();
}

int TakeMessageBoxAnswer(ShownMessageBox shown) {
    Seams& s = State();
    if (!s.answers.empty()) {
        shown.answer = s.answers.front();
        s.answers.pop_front();
    } else {
        shown.answer = (shown.flags & kMbYesNo) ? kIdNo : kIdOk;
    }
    s.boxes.push_back(shown);
    return shown.answer;
}

bool TakeDialogAction(std::function<void(TDialog&)>* action) {
    Seams& s = State();
    if (s.actions.empty()) return false;
    *action = std::move(s.actions.front());
    s.actions.pop_front();
    return true;
}

int RecordDialog(const ShownDialog& shown) {
    State().dialogs.push_back(shown);
    return static_cast<int>(State().dialogs.size()) - 1;
}

void MarkDialogLeftOpen(int index) {
    auto& dialogs = State().dialogs;
    if (index >= 0 && index < static_cast<int>(dialogs.size())) dialogs[index].leftOpen = true;
}

}  // namespace framework::testing
