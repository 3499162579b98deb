#pragma once
// The two kinds of edit box a template can ask for. Both keep out characters
// that Windows-1252 cannot hold and text beyond their byte limit, and, unless
// their template lets them scroll, text that does not fit the box. Nothing
// is kept out silently: what was left out, and why, is shown at the box as
// it happens (a tooltip, also kept for Notice()), and what can stand is
// kept. Every edit can be undone.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

namespace framework {

class SingleLineValidator;

// The editing rules both kinds share.
struct EditRules {
    int maxBytes = 0;            // 0: no limit; a line break counts two (CR LF)
    bool stopsWhenFull = false;  // no automatic scrolling
};

// What is left of a text inserted into a box: the characters that can stand,
// and what was left out.
struct InsertFilter {
    QString kept;
    QString refused;   // characters the code page cannot hold, each once
    int cutCount = 0;  // storable characters left out for want of room
};

// Filters inserted for a box that holds before + (what is kept) + after.
// fits tells whether a text may stand in the box; a text that does not fit
// is cut at the end.
InsertFilter FilterInsert(const QString& before, const QString& inserted, const QString& after,
                          const std::function<bool(const QString&)>& fits);
// The short message that says what filter left out, or an empty text.
// maxBytes: the box's limit (0: none).
QString InsertNotice(const InsertFilter& filter, int maxBytes);

class SingleLineEdit : public QLineEdit {
    Q_OBJECT
public:
    SingleLineEdit(QWidget* parent, EditRules rules);
    void SetMaxBytes(int maxBytes);
    // Whether text may stand in the box (code page, limit, width).
    bool Accepts(const QString& text) const;
    // The last message about text left out ("" when none yet).
    const QString& Notice() const { return notice_; }

private:
    friend class SingleLineValidator;
    bool FitsWidth(const QString& text) const;
    // The user's change to attempted was refused whole: keeps what of it
    // can stand, as a change of its own, and says what was left out.
    void KeepWhatFits(const QString& base, const QString& attempted);

    EditRules rules_;
    QString lastGood_;
    QString attempted_;
    QString notice_;
};

class MultiLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    MultiLineEdit(QWidget* parent, EditRules rules, bool wantReturn);
    void SetMaxBytes(int maxBytes);
    // Whether text ("\n" between lines) may stand in the box.
    bool Accepts(const QString& text) const;
    // The text, "\n" between lines; a non-breaking space stays one.
    QString Text() const;
    // Sets the text without the checks (as the program does, not the user).
    void SetTextUnchecked(const QString& text);
    const QString& Notice() const { return notice_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Inserts text at the cursor, in place of the selection, keeping only
    // what can stand; true when it was kept whole.
    bool InsertChecked(const QString& text);
    void CheckChange();
    void ApplyRules();
    int VisibleLines() const;
    int LinesNeeded(const QString& text) const;

    EditRules rules_;
    bool wantReturn_;
    bool reverting_ = false;
    QString lastGood_;
    int lastGoodCursor_ = 0;
    QString notice_;
};

// Bytes the text takes on disk: one per character, two per line break.
int StoredLength(const QString& text);

}  // namespace framework
