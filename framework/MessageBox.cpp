#include "framework/MessageBox.h"

#include <QMessageBox>

#include "framework/TWindow.h"
#include "framework/TestSeams.h"
#include "framework/TextCodec.h"

namespace framework {
namespace {

QMessageBox::Icon IconOf(unsigned flags) {
    constexpr unsigned kIconBits = 0xF0;
    if ((flags & kIconBits) == kMbIconWarning) return QMessageBox::Warning;
    if (flags & kMbIconStop) return QMessageBox::Critical;
    if (flags & kMbIconQuestion) return QMessageBox::Question;
    return QMessageBox::NoIcon;
}

// Qt gives a window with an empty title the program's name instead; a box
// meant to have no caption gets a lone space, which shows as nothing.
QString TitleFor(std::string_view caption) {
    return caption.empty() ? QStringLiteral(" ") : FromCp1252(caption);
}

}  // namespace

int MessageBox(TWindow* owner, std::string_view text, std::string_view caption, unsigned flags) {
    if (testing::InTestMode()) {
        return testing::TakeMessageBoxAnswer(
            testing::ShownMessageBox{std::string(text), std::string(caption), flags, 0});
    }
    QMessageBox box(owner ? owner->Widget() : nullptr);
    box.setWindowTitle(TitleFor(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromCp1252(text));
    box.setIcon(IconOf(flags));
    if (flags & kMbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (flags & kMbYesNo) return pressed == QMessageBox::Yes ? kIdYes : kIdNo;
    return kIdOk;
}

}  // namespace framework
