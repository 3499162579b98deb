#pragma once
// Test seams of the windowing layer. In test mode no modal run and no message
// box ever waits for a person:
// - a message box is recorded and answered at once (by a queued answer, or
//   OK for an OK box and No for a Yes/No box);
// - each modal dialog, once shown, is handed to the next queued action, which
//   acts on its controls as a user would; a dialog still open after its
//   action (or shown with no action queued) is recorded and cancelled;
// - the print dialog is never shown: it is recorded and answered at once by
//   a queued answer (print to a PDF file, or cancel); with no answer queued
//   it is cancelled.
// Queued actions are taken first in, first out, so nested dialogs are driven
// in the order they appear.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace framework {

class TDialog;

namespace testing {

struct ShownMessageBox {
    std::string text;     // Windows-1252 bytes, as passed
    std::string caption;  // Windows-1252 bytes, as passed
    unsigned flags = 0;
    int answer = 0;
};

struct ShownDialog {
    int templateId = 0;
    bool hadAction = false;  // a queued action handled it
    bool leftOpen = false;   // still open after its action, cancelled by the seam
};

// How a test answers the next print dialog.
struct PrintDialogAnswer {
    enum class Kind { kCancel, kPdfFile };
    Kind kind = Kind::kCancel;
    std::string path;  // the PDF file to print to (UTF-8); empty: the one proposed
    int copies = 1;

    static PrintDialogAnswer Cancel() { return {}; }
    static PrintDialogAnswer PdfFile(std::string path, int copies = 1) {
        return {Kind::kPdfFile, std::move(path), copies};
    }
    // Prints to the file the dialog proposes, as a user who just presses Print.
    static PrintDialogAnswer ProposedFile() { return {Kind::kPdfFile, {}, 1}; }
};

struct ShownPrintDialog {
    bool pageRangeOffered = false;
    bool selectionOffered = false;
    std::string proposedPath;  // the file proposed (UTF-8), empty when none
    bool hadAnswer = false;    // false: no answer was queued, so it was cancelled
    PrintDialogAnswer::Kind answer = PrintDialogAnswer::Kind::kCancel;
};

void SetTestMode(bool on);
bool InTestMode();

// Answers the next message box shown with answer (kIdOk, kIdYes, kIdNo).
void AnswerNextMessageBox(int answer);
const std::vector<ShownMessageBox>& MessageBoxesShown();

// Runs action with the next modal dialog once it is shown.
void OnNextDialog(std::function<void(TDialog&)> action);
const std::vector<ShownDialog>& DialogsShown();

// Answers the next print dialog with answer.
void AnswerNextPrintDialog(PrintDialogAnswer answer);
const std::vector<ShownPrintDialog>& PrintDialogsShown();
// Makes the next print job that gets past its print dialog find no device
// context to draw on, as when the printer chosen goes away meanwhile.
void FailNextPrintDevice();

// Number of queued actions and answers not used yet.
int PendingSeams();
// Forgets queued actions and answers and what was shown (test teardown).
void ResetSeams();

// Used by the framework itself.
int TakeMessageBoxAnswer(ShownMessageBox shown);
bool TakeDialogAction(std::function<void(TDialog&)>* action);
int RecordDialog(const ShownDialog& shown);  // returns its index
void MarkDialogLeftOpen(int index);
PrintDialogAnswer TakePrintDialogAnswer(ShownPrintDialog shown);
bool TakePrintDeviceFailure();

}  // namespace testing
}  // namespace framework
