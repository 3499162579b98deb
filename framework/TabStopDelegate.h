#pragma once
// Draws list box lines with their tabs expanded at the list's own tab stops
// (QListWidget alone only knows fixed stops). Every line has the same height,
// so long lists fill and scroll quickly. Every line is as wide as the widest
// line drawn so far, so the list's horizontal scroll reaches the end of any
// line it shows: no line is ever cut at the list's edge.

#include <QList>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace framework {

class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    // Tab stop positions in pixels from the line's left edge.
    void SetTabStops(QList<qreal> pixels) { stops_ = std::move(pixels); }
    // The width of the widest line drawn so far, in pixels.
    int LineWidth() const { return widest_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QTextOption LineOption() const;

    QList<qreal> stops_;
    mutable int widest_ = 0;
};

}  // namespace framework
