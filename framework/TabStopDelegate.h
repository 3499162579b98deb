#pragma once
// Draws list box lines with their tabs expanded at the list's own tab stops
// (QListWidget alone only knows fixed stops). Every line has the same height,
// so long lists fill and scroll quickly.

#include <QList>
#include <QStyledItemDelegate>

namespace framework {

class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    // Tab stop positions in pixels from the line's left edge.
    void SetTabStops(QList<qreal> pixels) { stops_ = std::move(pixels); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QList<qreal> stops_;
};

}  // namespace framework
