#pragma once
// The device context a print job hands its printout. It measures fonts and
// texts on the paint device the job will print on, and keeps what is drawn,
// page by page, so that the job sends nothing to the printer until every
// page has been drawn and the user has not cancelled: Qt cannot take back a
// document once it has started on a printer.

#include <QFont>
#include <string>
#include <vector>

#include "platform/TDC.h"

class QPaintDevice;
class QPainter;

namespace framework {

class TRecordingDC : public platform::TDC {
public:
    // Starts with a 12-point font of the device's choice, black, left-aligned.
    // REQUIRES: device outlives this object.
    explicit TRecordingDC(const QPaintDevice& device);

    int DpiX() const override;
    int DpiY() const override;
    void SelectFont(const platform::TFontRequest& request) override;
    int TextHeight() const override;
    int TextWidth(std::string_view text) const override;
    void SetTextColor(platform::TColor color) override;
    void SetTextAlign(platform::TTextAlign align) override;
    void TextOut(int x, int y, std::string_view text) override;

    // Starts a new page: what is drawn from now on belongs to it. Drawing
    // before the first StartPage starts page 1.
    void StartPage();
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Draws page (0-based) onto painter, whose device measures as the one
    // this context was made for.
    void PlayPage(int page, QPainter& painter) const;

private:
    // One text as drawn: its font, colour and the left end of its baseline
    // worked out when it was drawn.
    struct Text {
        QFont font;
        platform::TColor color;
        int x = 0;
        int baseline = 0;
        std::string bytes;
    };

    const QPaintDevice& device_;
    QFont font_;
    platform::TColor color_;
    platform::TTextAlign align_ = platform::TTextAlign::kLeft;
    std::vector<std::vector<Text>> pages_;
};

}  // namespace framework
