#include "framework/DialogWidget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

#include "framework/EditWidgets.h"
#include "framework/ListLinesModel.h"
#include "framework/ResourceModule.h"
#include "framework/TabStopDelegate.h"
#include "framework/TextCodec.h"

namespace framework {
namespace {

constexpr int kIconSize = 32;
// Space kept free at a dialog's left and right edges, in dialog units.
constexpr int kDialogMargin = 4;
// The farthest, in dialog units, a static text may be from a control it
// labels.
constexpr int kMostLabelGap = 12;

// Gap between the spans [a0, a1) and [b0, b1); negative when they overlap.
int Gap(int a0, int a1, int b0, int b1) {
    return std::max(b0 - a1, a0 - b1);
}

// How far, in dialog units, the static text lies from control as its
// label: a text left of the control on its row counts the gap between them,
// a text above or below that shares columns with it the gap between them;
// -1 for any other text.
int LabelDistance(const ControlTemplate& text, const ControlTemplate& control) {
    const int rows = Gap(text.y, text.y + text.height, control.y, control.y + control.height);
    const int columns = Gap(text.x, text.x + text.width, control.x, control.x + control.width);
    if (rows < 0 && columns >= 0 && text.x < control.x) return columns;
    if (columns < 0 && rows >= 0) return rows;
    return -1;
}

// Whether a control shows no text of its own to name it.
bool HasNoOwnText(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::Edit:
        case ControlKind::ListBox:
            return true;
        default:
            return control.text.empty();
    }
}

Qt::Alignment TextAlignment(std::uint32_t style) {
    if (style & kCenter) return Qt::AlignHCenter | Qt::AlignTop;
    if (style & kRight) return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

QLabel* MakeStatic(QWidget* parent, const ControlTemplate& control) {
    auto* label = new StaticText(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(FromUtf8(control.text));
    label->setWordWrap(true);
    label->setAlignment(TextAlignment(control.style));
    label->setIndent(0);  // a framed label would indent its text at the top too
    if (control.style & kSunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    } else if (control.style & kBorder) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    return label;
}

QLabel* MakeImage(QWidget* parent, const ControlTemplate& control) {
    auto* label = new QLabel(parent);
    const TResourceModule& resources = Resources();
    const QPixmap image = control.kind == ControlKind::Icon
                              ? resources.LoadIcon(control.resource).pixmap(kIconSize, kIconSize)
                              : resources.LoadBitmap(control.resource);
    label->setPixmap(image);
    return label;
}

QWidget* MakeEdit(QWidget* parent, const ControlTemplate& control) {
    if (control.style & kMultiLine) {
        EditRules rules{0, !(control.style & kAutoVScroll)};
        return new MultiLineEdit(parent, rules, control.style & kWantReturn);
    }
    EditRules rules{0, !(control.style & kAutoHScroll)};
    return new SingleLineEdit(parent, rules);
}

// A list box shows its lines through a model over one buffer; every line
// has the same height, so the view lays out any number of them at once.
QListView* MakeListBox(QWidget* parent, const ControlTemplate& control) {
    auto* list = new QListView(parent);
    list->setModel(new ListLinesModel(list, control.style & kSort));
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A line wider than the list scrolls rather than being cut.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy((control.style & kVScroll) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    list->setItemDelegate(new TabStopDelegate(list));
    return list;
}

QAbstractButton* MakeButton(QWidget* parent, const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::CheckBox:
            if (control.style & kPushLike) {
                auto* toggle = new QPushButton(parent);
                toggle->setCheckable(true);
                toggle->setAutoDefault(false);
                toggle->setText(FromUtf8(control.text));
                return toggle;
            }
            return new QCheckBox(FromUtf8(control.text), parent);
        case ControlKind::RadioButton: {
            // Exclusive within its template group through the group's
            // QButtonGroup, which takes precedence over auto-exclusivity;
            // auto-exclusivity stays on so that assistive tools are told it
            // is a radio button, not a check box.
            auto* radio = new QRadioButton(FromUtf8(control.text), parent);
            if (control.style & kLeftText) radio->setLayoutDirection(Qt::RightToLeft);
            return radio;
        }
        default: {
            auto* button = new QPushButton(FromUtf8(control.text), parent);
            button->setAutoDefault(false);
            button->setDefault(control.style & kDefault);
            return button;
        }
    }
}

bool IsButtonKind(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::RadioButton;
}

Qt::FocusPolicy FocusPolicyOf(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::Static:
        case ControlKind::EtchedFrame:
        case ControlKind::Icon:
        case ControlKind::Picture:
            return Qt::NoFocus;
        case ControlKind::RadioButton:
            return Qt::StrongFocus;  // arrow keys move within the group
        default:
            return (control.style & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

}  // namespace

void StaticText::SetElided(bool elided) {
    elided_ = elided;
    setToolTip(elided ? text() : QString());
    update();
}

void StaticText::paintEvent(QPaintEvent* event) {
    // Decided again as it is drawn: once the dialog is on its screen, the
    // font may measure a little wider than when the dialog was built.
    const QRect area =
        contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    const bool tooLong = !wordWrap() && fontMetrics().horizontalAdvance(text()) > area.width();
    if (!elided_ && !tooLong) {
        QLabel::paintEvent(event);
        return;
    }
    if (toolTip() != text()) setToolTip(text());
    QPainter painter(this);
    drawFrame(&painter);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}

void FitStaticText(QLabel* label) {
    const QRect planned = label->property(kTemplateGeometry).toRect();
    if (planned.isNull()) return;
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = label->text();
    const bool oneLine = planned.height() < 2 * metrics.height() && !text.contains('\n');
    label->setWordWrap(!oneLine);
    QRect fitted = planned;
    const int frame = 2 * label->frameWidth();
    const int needed = metrics.horizontalAdvance(text) + frame;
    if (oneLine) {
        // Room for the tails of g, y and p below the line.
        fitted.setHeight(std::max(fitted.height(), metrics.height() + frame));
    }
    if (oneLine && needed > planned.width()) {
        const int extra = needed - planned.width();
        if (label->alignment() & Qt::AlignHCenter)
            fitted.adjust(-extra / 2, 0, extra - extra / 2, 0);
        else if (label->alignment() & Qt::AlignRight)
            fitted.adjust(-extra, 0, 0, 0);
        else
            fitted.adjust(0, 0, extra, 0);
        // Never past the dialog's edges: what still does not fit is elided.
        if (auto* dialog = qobject_cast<DialogWidget*>(label->parentWidget())) {
            const int margin = dialog->units().X(kDialogMargin);
            const QRect room = dialog->rect().adjusted(margin, 0, -margin, 0);
            fitted.setLeft(std::max(fitted.left(), std::min(planned.left(), room.left())));
            fitted.setRight(std::min(fitted.right(), std::max(planned.right(), room.right())));
        }
    }
    if (auto* fittedText = qobject_cast<StaticText*>(label)) {
        fittedText->SetElided(oneLine && needed > fitted.width());
    }
    label->setGeometry(fitted);
}

DialogWidget::DialogWidget(QWidget* parent, const DialogTemplate& dialogTemplate,
                           std::function<void(int)> onCommand)
    : QDialog(parent), units_(DialogFont(dialogTemplate)), onCommand_(std::move(onCommand)) {
    setFont(DialogFont(dialogTemplate));
    setWindowTitle(FromUtf8(dialogTemplate.caption));
    setObjectName(QStringLiteral("dlg%1").arg(dialogTemplate.id));
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint;
    if (!dialogTemplate.closeDisabled) flags |= Qt::WindowCloseButtonHint;
    if (dialogTemplate.contextHelp) flags |= Qt::WindowContextHelpButtonHint;
    setWindowFlags(flags);
    setFixedSize(units_.X(dialogTemplate.width), units_.Y(dialogTemplate.height));
    int group = 0;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.style & kGroup) ++group;
        BuildControl(control, group);
    }
    LabelControls();
}

QLabel* DialogWidget::LabelOf(QWidget* control) const {
    for (const BuiltControl& built : controls_) {
        auto* label = qobject_cast<QLabel*>(built.widget);
        if (label && label->buddy() == control) return label;
    }
    return nullptr;
}

void DialogWidget::LabelControls() {
    for (const BuiltControl& built : controls_) {
        const ControlTemplate& control = *built.control;
        if (built.widget->focusPolicy() == Qt::NoFocus || !HasNoOwnText(control) ||
            !control.accessibleName.empty()) {
            continue;
        }
        const BuiltControl* nearest = nullptr;
        int nearestDistance = kMostLabelGap + 1;
        for (const BuiltControl& other : controls_) {
            if (other.control->kind != ControlKind::Static) continue;
            const int distance = LabelDistance(*other.control, control);
            if (distance >= 0 && distance < nearestDistance) {
                nearest = &other;
                nearestDistance = distance;
            }
        }
        // Assistive tools name a control after the label whose buddy it is,
        // reading the label's text when asked, so a text the program sets
        // later names it too.
        if (nearest) static_cast<QLabel*>(nearest->widget)->setBuddy(built.widget);
    }
}

void DialogWidget::BuildControl(const ControlTemplate& control, int group) {
    QWidget* widget = MakeWidget(control);
    widget->setObjectName(QStringLiteral("ctl%1").arg(control.id));
    widget->setGeometry(units_.ToPixels(control.x, control.y, control.width, control.height));
    if (control.kind == ControlKind::Icon) widget->resize(kIconSize, kIconSize);
    if (control.kind == ControlKind::Picture) widget->adjustSize();
    widget->setFocusPolicy(FocusPolicyOf(control));
    if (!control.accessibleName.empty()) {
        widget->setAccessibleName(FromUtf8(control.accessibleName));
    }
    widget->setVisible(!(control.style & kHidden));
    if (auto* label = qobject_cast<QLabel*>(widget); label && control.kind == ControlKind::Static) {
        label->setProperty(kTemplateGeometry, label->geometry());
        FitStaticText(label);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget);
        button && IsButtonKind(control.kind)) {
        const int id = control.id;
        connect(button, &QAbstractButton::clicked, this, [this, id] { onCommand_(id); });
        if (control.kind == ControlKind::RadioButton) {
            auto found = std::find_if(radioGroups_.begin(), radioGroups_.end(),
                                      [group](const auto& entry) { return entry.first == group; });
            if (found == radioGroups_.end()) {
                radioGroups_.emplace_back(group, new QButtonGroup(this));
                found = radioGroups_.end() - 1;
            }
            found->second->addButton(button);
            button->installEventFilter(this);
        }
    }
    controls_.push_back(BuiltControl{&control, widget, group});
}

QWidget* DialogWidget::MakeWidget(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::Static:
            return MakeStatic(this, control);
        case ControlKind::EtchedFrame: {
            auto* frame = new QFrame(this);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
            return frame;
        }
        case ControlKind::Icon:
        case ControlKind::Picture:
            return MakeImage(this, control);
        case ControlKind::Edit:
            return MakeEdit(this, control);
        case ControlKind::ListBox:
            return MakeListBox(this, control);
        default:
            return MakeButton(this, control);
    }
}

QWidget* DialogWidget::Control(int id) const {
    for (const BuiltControl& built : controls_) {
        if (built.control->id == id) return built.widget;
    }
    return nullptr;
}

QButtonGroup* DialogWidget::RadioGroup(QWidget* radio) const {
    auto* button = qobject_cast<QAbstractButton*>(radio);
    return button ? button->group() : nullptr;
}

void DialogWidget::showEvent(QShowEvent* event) {
    if (!focusWidget()) FocusFirstEdit();
    QDialog::showEvent(event);
}

void DialogWidget::FocusFirstEdit() {
    for (const BuiltControl& built : controls_) {
        if (built.control->kind == ControlKind::Edit && (built.control->style & kTabStop) &&
            !built.widget->isHidden() && built.widget->isEnabled()) {
            built.widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void DialogWidget::reject() {
    onCommand_(2);
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const bool backward = key == Qt::Key_Left || key == Qt::Key_Up;
    auto* radio = qobject_cast<QAbstractButton*>(watched);
    if (!radio || !(forward || backward)) return QDialog::eventFilter(watched, event);
    StepInGroup(radio, forward);
    return true;
}

void DialogWidget::StepInGroup(QAbstractButton* radio, bool forward) {
    QButtonGroup* group = radio->group();
    std::vector<QAbstractButton*> members;
    for (const BuiltControl& built : controls_) {
        auto* button = qobject_cast<QAbstractButton*>(built.widget);
        if (button && button->group() == group &&
            (button == radio || (!button->isHidden() && button->isEnabled()))) {
            members.push_back(button);
        }
    }
    const auto at = std::find(members.begin(), members.end(), radio) - members.begin();
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    QAbstractButton* target = members[(at + (forward ? 1 : count - 1)) % count];
    target->setFocus(Qt::OtherFocusReason);
    target->click();
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            onCommand_(2);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) break;
            PressEnter();
            return;
        default:
            break;
    }
    QDialog::keyPressEvent(event);
}

void DialogWidget::PressEnter() {
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused && !focused->isCheckable() && focused->isEnabled()) {
        focused->click();
        return;
    }
    for (const BuiltControl& built : controls_) {
        if (built.control->kind == ControlKind::PushButton && (built.control->style & kDefault)) {
            if (built.widget->isEnabled()) onCommand_(built.control->id);
            return;
        }
    }
    onCommand_(1);
}

std::vector<QWidget*> DialogWidget::TabStops() const {
    std::vector<QWidget*> stops;
    std::vector<QButtonGroup*> groupsSeen;
    for (const BuiltControl& built : controls_) {
        QWidget* widget = built.widget;
        if (!(built.control->style & kTabStop) || !widget->isVisible() || !widget->isEnabled()) {
            continue;
        }
        if (QButtonGroup* group = RadioGroup(widget)) {
            if (std::find(groupsSeen.begin(), groupsSeen.end(), group) != groupsSeen.end())
                continue;
            groupsSeen.push_back(group);
            QAbstractButton* checked = group->checkedButton();
            stops.push_back(checked && checked->isVisible() ? checked : widget);
            continue;
        }
        stops.push_back(widget);
    }
    return stops;
}

bool DialogWidget::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty()) return false;
    QWidget* current = focusWidget();
    QButtonGroup* currentGroup = current ? RadioGroup(current) : nullptr;
    int at = -1;
    for (int i = 0; i < static_cast<int>(stops.size()); ++i) {
        if (stops[i] == current || (currentGroup && RadioGroup(stops[i]) == currentGroup)) {
            at = i;
            break;
        }
    }
    const int count = static_cast<int>(stops.size());
    const int target = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    stops[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace framework
