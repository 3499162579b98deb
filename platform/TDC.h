#pragma once
// A device context: what a printout draws text through. Positions and sizes
// are in device dots, with the origin at the top left of the printable area;
// texts are Windows-1252 bytes. The print job hands its printout a context
// that measures on the chosen printer; tests use a recording one.

#include <string>
#include <string_view>

namespace platform {

// A font as a printout asks for it. The device finds the nearest installed
// face (fontconfig substitutes faces that are missing, e.g. Liberation Serif
// for "Times New Roman"); texts are always Windows-1252, so no character set
// is asked for.
struct TFontRequest {
    int height = 0;    // character-cell height in device dots (ascent + descent)
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool variablePitch = true;
    bool serifFamily = false;  // prefer a roman (serif) face when faceName is missing
    bool proofQuality = true;  // prefer exact glyph shapes over fitting the device grid
    std::string faceName;
};

struct TColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const TColor&) const = default;
};

// Which end of the text a TextOut position names; vertically it always
// names the top of the character cell.
enum class TTextAlign { kLeft, kRight };

class TDC {
public:
    virtual ~TDC() = default;

    // Dots per inch across and down.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // Makes the font of request the selected font, in place of the last one.
    virtual void SelectFont(const TFontRequest& request) = 0;
    // Character-cell height of the selected font.
    virtual int TextHeight() const = 0;
    // Width of text in the selected font.
    virtual int TextWidth(std::string_view text) const = 0;
    // Colour of the texts drawn from now on (initially black).
    virtual void SetTextColor(TColor color) = 0;
    // Alignment of the texts drawn from now on (initially kLeft).
    virtual void SetTextAlign(TTextAlign align) = 0;
    // Draws text in the selected font with the top of its cell at y and the
    // end named by the alignment at x.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};

}  // namespace platform
