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
    std::deque<PrintDialogAnswer> printAnswers;
    std::vector<ShownPrintDialog> printDialogs;
    int printDeviceFailures = 0;
};

Seams& State() {
    static Seams seams;
    return seams;
}

}  // namespace

void SetTestMode(bool on) {
    State().testMode = on;
}
bool InTestMode() {
    return State().testMode;
}

void AnswerNextMessageBox(int answer) {
    State().answers.push_back(answer);
}
const std::vector<ShownMessageBox>& MessageBoxesShown() {
    return State().boxes;
}

void OnNextDialog(std::function<void(TDialog&)> action) {
    State().actions.push_back(std::move(action));
}
const std::vector<ShownDialog>& DialogsShown() {
    return State().dialogs;
}

void AnswerNextPrintDialog(PrintDialogAnswer answer) {
    State().printAnswers.push_back(std::move(answer));
}
const std::vector<ShownPrintDialog>& PrintDialogsShown() {
    return State().printDialogs;
}
void FailNextPrintDevice() {
    ++State().printDeviceFailures;
}

int PendingSeams() {
    const Seams& s = State();
    return static_cast<int>(s.answers.size() + s.actions.size() + s.printAnswers.size()) +
           s.printDeviceFailures;
}

void ResetSeams() {
    Seams& s = State();
    s.answers.clear();
    s.actions.clear();
    s.boxes.clear();
    s.dialogs.clear();
    s.printAnswers.clear();
    s.printDialogs.clear();
    s.printDeviceFailures = 0;
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

PrintDialogAnswer TakePrintDialogAnswer(ShownPrintDialog shown) {
    Seams& s = State();
    PrintDialogAnswer answer;
    shown.hadAnswer = !s.printAnswers.empty();
    if (shown.hadAnswer) {
        answer = std::move(s.printAnswers.front());
        s.printAnswers.pop_front();
    }
    shown.answer = answer.kind;
    s.printDialogs.push_back(shown);
    return answer;
}

bool TakePrintDeviceFailure() {
    Seams& s = State();
    if (s.printDeviceFailures == 0) return false;
    --s.printDeviceFailures;
    return true;
}

}  // namespace framework::testing
