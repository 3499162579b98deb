#include "framework/Controls.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListView>
#include <QPushButton>

#include "framework/DialogWidget.h"
#include "framework/EditWidgets.h"
#include "framework/ListLinesModel.h"
#include "framework/TDialog.h"
#include "framework/TFrameWindow.h"
#include "framework/TabStopDelegate.h"
#include "framework/TextCodec.h"

namespace framework {
namespace {

QWidget* FindControl(TDialog* parent, int id) {
    QWidget* widget = parent->Control(id);
    if (!widget) qFatal("dialog %d has no control %d", parent->TemplateId(), id);
    return widget;
}

std::string ToStored(const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    // Edit boxes refuse what the code page cannot hold, so this never fails;
    // a stray character would be dropped rather than stored wrongly.
    std::string bytes;
    for (QChar c : withBreaks) {
        if (auto b = ToCp1252(QString(c))) bytes += *b;
    }
    return bytes;
}

QString FromStored(std::string_view bytes) {
    QString text = FromCp1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

TControl::TControl(TDialog* parent, int id) : id_(id), widget_(FindControl(parent, id)) {}

void TControl::Show(bool visible) {
    widget_->setVisible(visible);
}
bool TControl::IsVisible() const {
    return !widget_->isHidden();
}
void TControl::Enable(bool enabled) {
    widget_->setEnabled(enabled);
}
void TControl::SetAccessibleName(std::string_view name) {
    widget_->setAccessibleName(FromCp1252(name));
}

void TStatic::SetText(std::string_view text) {
    auto* label = static_cast<QLabel*>(widget_);
    label->setText(FromCp1252(text));
    FitStaticText(label);
}

std::string TStatic::GetText() const {
    return ToStored(static_cast<QLabel*>(widget_)->text());
}

TEdit::TEdit(TDialog* parent, int id, int textLimit) : TControl(parent, id) {
    SetTextLimit(textLimit);
}

void TEdit::SetTextLimit(int textLimit) {
    const int maxBytes = textLimit > 0 ? textLimit - 1 : 0;
    if (auto* single = qobject_cast<SingleLineEdit*>(widget_)) single->SetMaxBytes(maxBytes);
    if (auto* multi = qobject_cast<MultiLineEdit*>(widget_)) multi->SetMaxBytes(maxBytes);
}

std::string TEdit::GetText() const {
    if (auto* single = qobject_cast<SingleLineEdit*>(widget_)) return ToStored(single->text());
    return ToStored(static_cast<MultiLineEdit*>(widget_)->Text());
}

std::string TEdit::GetText(std::size_t maxBytes) const {
    std::string text = GetText();
    if (text.size() > maxBytes) text.resize(maxBytes);
    return text;
}

void TEdit::SetText(std::string_view text) {
    if (auto* single = qobject_cast<SingleLineEdit*>(widget_)) {
        single->setText(FromCp1252(text));
        return;
    }
    static_cast<MultiLineEdit*>(widget_)->SetTextUnchecked(FromStored(text));
}

TButton::TButton(TFrameWindow* parent, int id, std::string_view text, int x, int y, int width,
                 int height, bool isDefault)
    : TControl(id, new QPushButton(FromCp1252(text), parent->Client())) {
    auto* button = static_cast<QPushButton*>(widget_);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    button->setGeometry(x, y, width, height);
    button->setDefault(isDefault);
    QObject::connect(button, &QPushButton::clicked, button, [parent, id] { parent->Command(id); });
    button->show();
}

void TButton::Click() {
    static_cast<QAbstractButton*>(widget_)->click();
}

QAbstractButton* TCheckBox::Button() const {
    return static_cast<QAbstractButton*>(widget_);
}

bool TCheckBox::IsChecked() const {
    return Button()->isChecked();
}
void TCheckBox::SetCheck(bool checked) {
    Button()->setChecked(checked);
}
void TCheckBox::Click() {
    Button()->click();
}

void TRadioButton::SetCheck(bool checked) {
    QAbstractButton* button = Button();
    QButtonGroup* group = button->group();
    if (checked || !group) {
        button->setChecked(checked);
        return;
    }
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

QListView* TListBox::List() const {
    return static_cast<QListView*>(widget_);
}

ListLinesModel* TListBox::Lines() const {
    return static_cast<ListLinesModel*>(List()->model());
}

void TListBox::ClearList() {
    Lines()->Clear();
}

int TListBox::AddString(std::string_view line) {
    return Lines()->Add(line);
}

void TListBox::AddStrings(const std::vector<std::string>& lines) {
    Lines()->Add(lines);
}

void TListBox::DeleteStrings(int first, int count) {
    const int selected = GetSelIndex();
    Lines()->Remove(first, count);
    // The view would select the line that moves up into the place; a
    // removed selection leaves none, so nothing is acted on unseen.
    if (selected >= first && selected < first + count) List()->clearSelection();
}

int TListBox::GetCount() const {
    return Lines()->Count();
}

std::string TListBox::GetString(int index) const {
    return std::string(Line(index));
}

std::string_view TListBox::Line(int index) const {
    return Lines()->Line(index);
}

int TListBox::GetSelIndex() const {
    const QModelIndexList selected = List()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TListBox::SetSelIndex(int index) {
    if (index < 0) {
        List()->clearSelection();
        return;
    }
    List()->setCurrentIndex(Lines()->index(index));
}

void TListBox::SetTabStops(const std::vector<int>& dialogUnits) {
    auto* dialog = qobject_cast<DialogWidget*>(widget_->window());
    auto* delegate = qobject_cast<TabStopDelegate*>(List()->itemDelegate());
    if (!dialog || !delegate) return;
    QList<qreal> pixels;
    for (int units : dialogUnits) pixels.append(dialog->units().X(units));
    delegate->SetTabStops(pixels);
    List()->viewport()->update();
}

}  // namespace framework
