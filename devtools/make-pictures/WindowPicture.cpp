#include "devtools/make-pictures/WindowPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace pictures {
namespace {

constexpr int kBorder = 4;        // frame width on each side
constexpr int kTitleHeight = 20;  // title bar, inside the frame
constexpr int kTitleButton = 16;  // width of a title-bar button
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);
const QColor kTitleLeft(10, 36, 106);
const QColor kTitleRight(166, 202, 240);

// A raised 3D edge just inside rect.
void DrawRaisedEdge(QPainter& p, const QRect& r) {
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(kDarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(kShadow);
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() - QPoint(1, 1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() - QPoint(1, 1));
}

void DrawTitleButton(QPainter& p, const QRect& r, const QString& glyph, QColor face) {
    p.fillRect(r, face);
    DrawRaisedEdge(p, r);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(r.height() - 4);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, glyph);
}

void DrawTitleBar(QPainter& p, const QRect& bar, const QString& caption, QColor face,
                  bool contextHelp) {
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, kTitleLeft);
    gradient.setColorAt(1, kTitleRight);
    p.fillRect(bar, gradient);
    const int buttonTop = bar.top() + 2;
    const QSize button(kTitleButton, bar.height() - 4);
    const QRect close(QPoint(bar.right() - 1 - button.width(), buttonTop), button);
    const QRect help(close.topLeft() - QPoint(button.width() + 2, 0), button);
    DrawTitleButton(p, close, QStringLiteral("\u00d7"), face);
    if (contextHelp) DrawTitleButton(p, help, QStringLiteral("?"), face);
    const int captionEnd = contextHelp ? help.left() : close.left();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRect text(bar.left() + 4, bar.top(), captionEnd - bar.left() - 8, bar.height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

QImage FramedWindow(const QImage& inside, const QString& caption, QColor face, bool contextHelp) {
    const QSize whole(inside.width() + 2 * kBorder, inside.height() + 2 * kBorder + kTitleHeight);
    QImage framed(whole, QImage::Format_RGB32);
    framed.fill(face);
    QPainter p(&framed);
    DrawRaisedEdge(p, framed.rect());
    DrawTitleBar(p, QRect(kBorder, kBorder, inside.width(), kTitleHeight), caption, face,
                 contextHelp);
    p.drawImage(kBorder, kBorder + kTitleHeight, inside);
    return framed;
}

}  // namespace

QImage WindowPicture(const QImage& inside, const QString& caption, QSize size, QColor face,
                     bool contextHelp) {
    QImage framed = FramedWindow(inside, caption, face, contextHelp);
    if (framed.width() > size.width() || framed.height() > size.height()) {
        framed = framed.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(face);
    QPainter p(&picture);
    p.drawImage((size.width() - framed.width()) / 2, (size.height() - framed.height()) / 2, framed);
    return picture;
}

}  // namespace pictures
