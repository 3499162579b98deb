#pragma once
// The Qt dialog behind a TDialog, built from its template. It keeps the
// dialog keyboard of the desktop the templates come from:
// - Tab and Shift+Tab visit the tab-stop controls in template order; a group
//   of radio buttons is one stop, entered at its checked button;
// - Enter presses the focused push button, else the default push button,
//   else sends command 1; a multi-line box that wants Enter keeps it;
// - Escape and the close box send command 2;
// - the arrow keys move within a group of radio buttons in template order,
//   wrapping around, and check the button they reach (a click).

#include <QDialog>
#include <QLabel>
#include <functional>
#include <vector>

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"

class QAbstractButton;
class QButtonGroup;

namespace framework {

struct BuiltControl {
    const ControlTemplate* control = nullptr;
    QWidget* widget = nullptr;
    int group = 0;  // number of the group the control belongs to
};

// A static text control. Its text() is always the whole text, so assistive
// tools read all of it; when the text is too long for its dialog, it is drawn
// cut short with an ellipsis and the whole text becomes its tooltip.
class StaticText : public QLabel {
    Q_OBJECT
public:
    explicit StaticText(QWidget* parent) : QLabel(parent) {}
    void SetElided(bool elided);
    bool IsElided() const { return elided_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool elided_ = false;
};

// A one-line static text is never wrapped onto a line it has no room for:
// when its text is wider than the template planned (the font differs from
// the one the template was drawn with), the control widens to show it all,
// keeping its alignment, up to the dialog's edges; beyond them it is elided.
// It is made tall enough for the font's descenders. Called when a static is
// built and when its text is set.
void FitStaticText(QLabel* label);
inline constexpr char kTemplateGeometry[] = "templateGeometry";

class DialogWidget : public QDialog {
    Q_OBJECT
public:
    // Builds every control of dialogTemplate. onCommand receives the command
    // ids of clicks and keys; it must outlive the widget.
    DialogWidget(QWidget* parent, const DialogTemplate& dialogTemplate,
                 std::function<void(int)> onCommand);

    const DialogUnits& units() const { return units_; }
    const std::vector<BuiltControl>& controls() const { return controls_; }
    // The first control with this id, or nullptr.
    QWidget* Control(int id) const;
    // The exclusive group a radio button belongs to, or nullptr.
    QButtonGroup* RadioGroup(QWidget* radio) const;

    void reject() override;
    // The static text that labels control for assistive tools, or nullptr.
    QLabel* LabelOf(QWidget* control) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void BuildControl(const ControlTemplate& control, int group);
    QWidget* MakeWidget(const ControlTemplate& control);
    void PressEnter();
    // Ties each focusable control with neither text nor name of its own to
    // the static text beside it, which then names it for assistive tools.
    void LabelControls();
    // Puts focus in the first edit box that takes typing, where the dialog's
    // set-up step chose no control.
    void FocusFirstEdit();
    // Moves from radio to the next (or previous) button of its group.
    void StepInGroup(QAbstractButton* radio, bool forward);
    std::vector<QWidget*> TabStops() const;

    DialogUnits units_;
    std::function<void(int)> onCommand_;
    std::vector<BuiltControl> controls_;
    std::vector<std::pair<int, QButtonGroup*>> radioGroups_;
};

}  // namespace framework
