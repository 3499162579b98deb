#pragma once
// Turns a grab of a dialog's inside into a picture of the whole window: a
// plain raised frame and a title bar with the caption and the dialog's
// title-bar buttons (close, and context help when the dialog has it).

#include <QImage>
#include <QString>

namespace pictures {

// The grab inside a window frame titled caption, made exactly size pixels:
// when the framed window is larger it is scaled down to fit (keeping its
// proportions); it is centred and the rest filled with face, the colour of
// the frame and of the dialog's own background, so the picture blends into
// the help screen that shows it.
QImage WindowPicture(const QImage& inside, const QString& caption, QSize size, QColor face,
                     bool contextHelp);

}  // namespace pictures
