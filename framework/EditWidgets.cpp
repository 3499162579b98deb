#include "framework/EditWidgets.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

#include "framework/TextCodec.h"

namespace framework {

namespace {

// Inner margin QLineEdit keeps on each side of its text.
constexpr int kLineEditTextMargin = 2;
// The most refused characters a notice names.
constexpr int kMostNamedCharacters = 5;

// A line break in pasted text, whatever its convention, as "\n".
QString WithPlainBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// A line break in text for a one-line box, whatever its convention, as a space.
QString OnOneLine(const QString& text) {
    return WithPlainBreaks(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// Shows notice at box as a tooltip below it.
void ShowNotice(QWidget* box, const QString& notice) {
    if (notice.isEmpty() || !box->isVisible()) return;
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), notice, box);
}

// The characters of text as shown in a notice: "ż", "ł" and "ć".
QString NamedCharacters(const QString& characters) {
    QStringList named;
    for (int i = 0; i < characters.size(); ++i) {
        const int length = characters.at(i).isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        if (named.size() < kMostNamedCharacters) {
            named.append(QStringLiteral("\"%1\"").arg(characters.mid(i, length)));
        } else {
            named.append(QStringLiteral("..."));
            break;
        }
        i += length - 1;
    }
    if (named.size() == 1) return named.first();
    const QString last = named.takeLast();
    return named.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

}  // namespace

// Refuses, whole, a change that leaves text the box may not hold, and
// remembers it: the box then keeps what of it can stand.
class SingleLineValidator : public QValidator {
public:
    explicit SingleLineValidator(SingleLineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        // A line break pasted into a one-line box would be stored as part of
        // the line: each one becomes a space.
        input = OnOneLine(input);
        if (edit_->Accepts(input)) return Acceptable;
        edit_->attempted_ = input;
        return Invalid;
    }

private:
    SingleLineEdit* edit_;
};

int StoredLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

InsertFilter FilterInsert(const QString& before, const QString& inserted, const QString& after,
                          const std::function<bool(const QString&)>& fits) {
    InsertFilter filter;
    QString storable;
    for (int i = 0; i < inserted.size(); ++i) {
        const bool pair = inserted.at(i).isHighSurrogate() && i + 1 < inserted.size() &&
                          inserted.at(i + 1).isLowSurrogate();
        const QString character = inserted.mid(i, pair ? 2 : 1);
        if (IsCp1252(character)) {
            storable += character;
        } else if (!filter.refused.contains(character)) {
            filter.refused += character;
        }
        if (pair) ++i;
    }
    // The longest start of storable that fits (fitting only gets harder as
    // the text grows).
    qsizetype low = 0, high = storable.size();
    if (!fits(before + storable + after)) {
        high = storable.size() - 1;
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (fits(before + storable.left(middle) + after)) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
    } else {
        low = storable.size();
    }
    filter.kept = storable.left(low);
    filter.cutCount = static_cast<int>(storable.size() - low);
    return filter;
}

QString InsertNotice(const InsertFilter& filter, int maxBytes) {
    QStringList parts;
    if (!filter.refused.isEmpty()) {
        const bool one = filter.refused.size() == 1 ||
                         (filter.refused.size() == 2 && filter.refused.at(0).isHighSurrogate());
        parts.append(QStringLiteral("%1 cannot be stored: the diary keeps only Western European "
                                    "(Windows-1252) characters, so %2 left out.")
                         .arg(NamedCharacters(filter.refused),
                              one ? QStringLiteral("it was") : QStringLiteral("they were")));
    }
    if (filter.cutCount > 0) {
        const QString count = filter.cutCount == 1
                                  ? QStringLiteral("1 character was")
                                  : QStringLiteral("%1 characters were").arg(filter.cutCount);
        if (maxBytes > 0) {
            parts.append(QStringLiteral("The box holds at most %1 characters: %2 left out.")
                             .arg(maxBytes)
                             .arg(count));
        } else {
            parts.append(QStringLiteral("The box is full: %1 left out.").arg(count));
        }
    }
    return parts.join(QLatin1Char(' '));
}

SingleLineEdit::SingleLineEdit(QWidget* parent, EditRules rules)
    : QLineEdit(parent), rules_(rules) {
    setValidator(new SingleLineValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lastGood_ = text; });
    connect(this, &QLineEdit::inputRejected, this, [this] {
        // Qt undoes the change after this signal; what can stand is put back
        // afterwards as a change of its own, so Undo takes it back in one step.
        QTimer::singleShot(0, this, [this, base = lastGood_, attempted = attempted_] {
            KeepWhatFits(base, attempted);
        });
    });
}

void SingleLineEdit::SetMaxBytes(int maxBytes) {
    rules_.maxBytes = maxBytes;
    // A box with a stated capacity scrolls, so all of it can be typed.
    if (maxBytes > 0) rules_.stopsWhenFull = false;
}

bool SingleLineEdit::Accepts(const QString& text) const {
    if (!IsCp1252(text)) return false;
    if (rules_.maxBytes > 0 && StoredLength(text) > rules_.maxBytes) return false;
    return !rules_.stopsWhenFull || FitsWidth(text);
}

void SingleLineEdit::KeepWhatFits(const QString& base, const QString& attempted) {
    // The box changed meanwhile (the program set a text that stays).
    if (text() != base) return;
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(base.size(), attempted.size());
    while (prefix < shorter && base.at(prefix) == attempted.at(prefix)) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           base.at(base.size() - 1 - suffix) == attempted.at(attempted.size() - 1 - suffix)) {
        ++suffix;
    }
    const QString before = base.left(prefix);
    const QString after = base.right(suffix);
    const QString removed = base.mid(prefix, base.size() - prefix - suffix);
    const QString inserted = attempted.mid(prefix, attempted.size() - prefix - suffix);
    const InsertFilter filter =
        FilterInsert(before, inserted, after, [this](const QString& t) { return Accepts(t); });
    // Nothing kept: the selection a refused character would have replaced
    // stays.
    if (!filter.kept.isEmpty()) {
        setSelection(static_cast<int>(prefix), static_cast<int>(removed.size()));
        insert(filter.kept);
    }
    notice_ = InsertNotice(filter, rules_.maxBytes);
    ShowNotice(this, notice_);
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
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    ApplyRules();
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEdit::CheckChange);
}

void MultiLineEdit::SetMaxBytes(int maxBytes) {
    rules_.maxBytes = maxBytes;
    // A box with a stated capacity scrolls, so all of it can be typed.
    if (maxBytes > 0) rules_.stopsWhenFull = false;
    ApplyRules();
}

void MultiLineEdit::ApplyRules() {
    setVerticalScrollBarPolicy(rules_.stopsWhenFull ? Qt::ScrollBarAlwaysOff
                                                    : Qt::ScrollBarAsNeeded);
}

bool MultiLineEdit::Accepts(const QString& text) const {
    if (!IsCp1252(text)) return false;
    if (rules_.maxBytes > 0 && StoredLength(text) > rules_.maxBytes) return false;
    return !rules_.stopsWhenFull || LinesNeeded(text) <= VisibleLines();
}

QString MultiLineEdit::Text() const {
    // toPlainText() would turn a non-breaking space into a plain one.
    return WithPlainBreaks(document()->toRawText());
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
    const QString typed = enter ? QStringLiteral("\n") : event->text();
    const bool typesText = !typed.isEmpty() && (enter || typed.at(0).isPrint()) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typesText && !isReadOnly()) {
        InsertChecked(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    if (committed.isEmpty() || (IsCp1252(committed) && Accepts(Text() + committed))) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&rest);
    InsertChecked(committed);
}

void MultiLineEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) InsertChecked(source->text());
}

bool MultiLineEdit::InsertChecked(const QString& text) {
    QTextCursor cursor = textCursor();
    const QString whole = Text();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const InsertFilter filter =
        FilterInsert(whole.left(start), WithPlainBreaks(text), whole.mid(end),
                     [this](const QString& t) { return Accepts(t); });
    if (!filter.kept.isEmpty()) {
        // Typed characters join the step before them, for Undo; anything
        // longer is a step of its own.
        const bool ownStep = text.size() > 1;
        if (ownStep) cursor.beginEditBlock();
        cursor.insertText(filter.kept);
        if (ownStep) cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
    }
    notice_ = InsertNotice(filter, rules_.maxBytes);
    ShowNotice(this, notice_);
    return notice_.isEmpty();
}

void MultiLineEdit::CheckChange() {
    if (reverting_) return;
    const QString now = Text();
    if (Accepts(now)) {
        lastGood_ = now;
        lastGoodCursor_ = textCursor().position();
        return;
    }
    // A change no insertion check saw (a deletion that rewraps the lines of
    // a box that does not scroll): the box goes back to its last text.
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
