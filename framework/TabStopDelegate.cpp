#include "framework/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

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

    const QTextOption textOption = LineOption();
    QTextLayout layout(text, item.font);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1e6);  // one line, never wrapped
    layout.endLayout();
    const int width =
        line.isValid() ? kTextIndent + qCeil(line.naturalTextWidth()) + kTextIndent : 0;
    if (width > widest_) {
        // Every line takes the new width once the list lays its lines out
        // again, which it must not do while it paints.
        widest_ = width;
        auto* self = const_cast<TabStopDelegate*>(this);
        QMetaObject::invokeMethod(
            self,
            [self, index = QPersistentModelIndex(index)] { emit self->sizeHintChanged(index); },
            Qt::QueuedConnection);
    }

    painter->save();
    painter->setFont(item.font);
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect area = item.rect.adjusted(kTextIndent, 0, 0, 0);
    painter->setClipRect(item.rect);
    painter->drawText(QRectF(area), text, textOption);
    painter->restore();
}

QTextOption TabStopDelegate::LineOption() const {
    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    QList<QTextOption::Tab> tabs;
    for (qreal stop : stops_) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
    textOption.setTabs(tabs);
    return textOption;
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(std::max(option.rect.width(), widest_), option.fontMetrics.height() + 2);
}

}  // namespace framework
