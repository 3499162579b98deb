// A list line longer than its row stays one line, cut at the right edge: it
// is drawn in the same pixel rows as a short line, never wrapped into lines
// above and below the row's middle.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <vector>

#include "framework/TabStopDelegate.h"

namespace {

// The rows of a 300 x 20 line image that hold any dark pixel.
std::vector<int> InkedRows(const QString& text) {
    QStandardItemModel model;
    model.appendRow(new QStandardItem(text));
    framework::TabStopDelegate delegate(nullptr);
    delegate.SetTabStops({80, 160});
    QImage image(300, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.palette.setColor(QPalette::Text, Qt::black);
    option.state = QStyle::State_Enabled;
    {
        QPainter painter(&image);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

TEST(TabStopDelegate, ALongLineStaysOnOneLine) {
    const std::vector<int> shortLine = InkedRows("Hdlyg");
    ASSERT_FALSE(shortLine.empty());
    QString longLine = "Hdlyg";
    for (int i = 0; i < 40; ++i) longLine += "\tHdlyg word";
    EXPECT_EQ(InkedRows(longLine), shortLine);
}

}  // namespace
