#include "framework/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

namespace framework {
namespace {
constexpr int kTextIndent = 2;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    QList<QTextOption::Tab> tabs;
    for (qreal stop : stops_) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
    textOption.setTabs(tabs);

    painter->save();
    painter->setFont(item.font);
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect area = item.rect.adjusted(kTextIndent, 0, 0, 0);
    painter->setClipRect(item.rect);
    painter->drawText(QRectF(area), text, textOption);
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), option.fontMetrics.height() + 2);
}

}  // namespace framework
