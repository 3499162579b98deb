#pragma once
// A modal dialog built from a dialog template of the installed resources.
//
// The controls exist from construction on, so wrappers bound by id can be
// made in a subclass's constructor. Execute runs the set-up step, shows the
// dialog and runs its own message loop until the dialog ends. Modal runs
// nest: a handler may end its dialog and, still inside the handler, run
// another dialog; each run returns after the handler that ended it.
//
// Clicks on push buttons, check boxes and radio buttons send their control
// id as a command. TDialog binds command 1 (close with result 1, if
// CanClose) and command 2 (end with result 2); Escape and the close box send
// command 2.

#include <QPointer>

#include "framework/DialogTemplate.h"
#include "framework/TWindow.h"

namespace framework {

class DialogWidget;

class TDialog : public TWindow {
public:
    // REQUIRES: the installed resources have dialog template resId.
    TDialog(TWindow* parent, int resId);
    ~TDialog() override;

    // Runs the dialog modally and returns the result it ended with.
    int Execute();
    // Ends the dialog with result: it hides at once; Execute returns once
    // the handler that called this has finished.
    void EndDialog(int result);
    // The ordinary close: ends with result if CanClose() agrees.
    void CloseWindow(int result);
    // Runs the set-up step and shows the dialog without a modal run (tests
    // and picture making). Execute does not need it.
    void ShowModeless();

    bool IsRunning() const { return running_ && !ended_; }
    int TemplateId() const { return template_.id; }
    const DialogTemplate& Template() const { return template_; }
    QWidget* Widget() const override;
    DialogWidget* Dialog() const;
    // The control with id, or nullptr.
    QWidget* Control(int id) const;

protected:
    // Runs once the controls exist and before the dialog is first shown.
    virtual void SetupWindow() {}
    virtual bool CanClose() { return true; }
    bool HandleCommand(int id) override;

private:
    void PlaceOnParent();
    void RunTestAction();

    const DialogTemplate& template_;
    // Deleted by the destructor, unless its parent widget went first.
    QPointer<DialogWidget> widget_;
    bool setUp_ = false;
    bool running_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace framework
