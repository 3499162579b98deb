#include "framework/EditWidgets.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QValidator>

#include "framework/TextCodec.h"

namespace framework {
namespace {

// Inner margin QLineEdit keeps on each side of its text.
constexpr int kLineEditTextMargin = 2;

class SingleLineValidator : public QValidator {
public:
    explicit SingleLineValidator(SingleLineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        return edit_->Accepts(input) ? Acceptable : Invalid;
    }

private:
    SingleLineEdit* edit_;
};

}  // namespace

int StoredLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

SingleLineEdit::SingleLineEdit(QWidget* parent, EditRules rules)
    : QLineEdit(parent), rules_(rules) {
    setValidator(new SingleLineValidator(this));
}

void SingleLineEdit::SetMaxBytes(int maxBytes) {
    rules_.maxBytes = maxBytes;
}

bool SingleLineEdit::Accepts(const QString& text) const {
    if (!IsCp1252(text)) return false;
    if (rules_.maxBytes > 0 && StoredLength(text) > rules_.maxBytes) return false;
    return !rules_.stopsWhenFull || FitsWidth(text);
}

bool SingleLineEdit::FitsWidth(const QString& text) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect area = style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                           .marginsRemoved(textMargins());
    const int room = area.width() - 2 * kLineEditTextMargin - cursorRect().width();
    return fontMetrics().horizontalAdvance(text) <= room;
}

MultiLineEdit::MultiLineEdit(QWidget* parent, EditRules rules, bool wantReturn)
    : QPlainTextEdit(parent), rules_(rules), wantReturn_(wantReturn) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    document()->setDocumentMargin(2);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEdit::CheckChange);
}

void MultiLineEdit::SetMaxBytes(int maxBytes) {
    rules_.maxBytes = maxBytes;
}

bool MultiLineEdit::Accepts(const QString& text) const {
    if (!IsCp1252(text)) return false;
    if (rules_.maxBytes > 0 && StoredLength(text) > rules_.maxBytes) return false;
    return !rules_.stopsWhenFull || LinesNeeded(text) <= VisibleLines();
}

void MultiLineEdit::SetTextUnchecked(const QString& text) {
    reverting_ = true;
    setPlainText(text);
    reverting_ = false;
    lastGood_ = text;
    lastGoodCursor_ = static_cast<int>(text.size());
}

void MultiLineEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !wantReturn_) {
        event->ignore();  // Enter goes to the dialog's default button
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEdit::CheckChange() {
    if (reverting_) return;
    const QString now = toPlainText();
    if (Accepts(now)) {
        lastGood_ = now;
        lastGoodCursor_ = textCursor().position();
        return;
    }
    reverting_ = true;
    setPlainText(lastGood_);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(lastGoodCursor_, static_cast<int>(lastGood_.size())));
    setTextCursor(cursor);
    reverting_ = false;
}

int MultiLineEdit::VisibleLines() const {
    const qreal margin = document()->documentMargin();
    const qreal height = contentsRect().height() - 2 * margin;
    return std::max(1, static_cast<int>(height / fontMetrics().lineSpacing()));
}

int MultiLineEdit::LinesNeeded(const QString& text) const {
    const qreal width = contentsRect().width() - 2 * document()->documentMargin();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        int paragraphLines = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++paragraphLines;
        }
        layout.endLayout();
        lines += std::max(1, paragraphLines);
    }
    return lines;
}

}  // namespace framework
