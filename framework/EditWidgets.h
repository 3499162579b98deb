#pragma once
// The two kinds of edit box a template can ask for. Both refuse characters
// that Windows-1252 cannot hold and text beyond their byte limit, and, unless
// their template lets them scroll, text that does not fit the box.

#include <QLineEdit>
#include <QPlainTextEdit>

namespace framework {

// The editing rules both kinds share.
struct EditRules {
    int maxBytes = 0;            // 0: no limit; a line break counts two (CR LF)
    bool stopsWhenFull = false;  // no automatic scrolling
};

class SingleLineEdit : public QLineEdit {
    Q_OBJECT
public:
    SingleLineEdit(QWidget* parent, EditRules rules);
    void SetMaxBytes(int maxBytes);
    // Whether text may stand in the box (code page, limit, width).
    bool Accepts(const QString& text) const;

private:
    bool FitsWidth(const QString& text) const;
    EditRules rules_;
};

class MultiLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    MultiLineEdit(QWidget* parent, EditRules rules, bool wantReturn);
    void SetMaxBytes(int maxBytes);
    // Whether text ("\n" between lines) may stand in the box.
    bool Accepts(const QString& text) const;
    // Sets the text without the checks (as the program does, not the user).
    void SetTextUnchecked(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CheckChange();
    int VisibleLines() const;
    int LinesNeeded(const QString& text) const;

    EditRules rules_;
    bool wantReturn_;
    bool reverting_ = false;
    QString lastGood_;
    int lastGoodCursor_ = 0;
};

// Bytes the text takes on disk: one per character, two per line break.
int StoredLength(const QString& text);

}  // namespace framework
