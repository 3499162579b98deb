// Fuzz target: line formats and the page drawn from them. Any format text is
// parsed without undefined behaviour; a format of fewer than seven fields is
// refused; a parsed one names a size in SizeTable, a face in FaceTable and
// colour digits 0 to 9, and its alignment is the format's last character.
// Any table of print lines with any formats, on a device of any resolution
// and font metrics, is drawn with no index outside the tables and no
// arithmetic overflow, every font asked for being a FaceTable face of the
// height its size gives.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "listing/LineFormat.h"
#include "listing/PrintLayout.h"

namespace {

using listing::FaceTable;
using listing::SizeTable;

// A device that measures as the fuzzer says and checks each font asked for.
class FuzzedDC : public platform::TDC {
public:
    FuzzedDC(int dpiX, int dpiY, int height, int widthPerByte)
        : dpiX_(dpiX), dpiY_(dpiY), height_(height), widthPerByte_(widthPerByte) {}

    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    void SelectFont(const platform::TFontRequest& request) override {
        FUZZ_CHECK(std::find(listing::FaceTable.begin(), listing::FaceTable.end(),
                             request.faceName) != listing::FaceTable.end());
        bool heightOfASize = false;
        for (std::size_t i = 0; i < listing::SizeTable.size(); ++i) {
            heightOfASize |= request.height == listing::LineFontHeight(dpiY_, static_cast<int>(i));
        }
        FUZZ_CHECK(heightOfASize);
    }
    int TextHeight() const override { return height_; }
    int TextWidth(std::string_view text) const override {
        return static_cast<int>(
            std::min<long long>(static_cast<long long>(text.size()) * widthPerByte_, 1LL << 30));
    }
    void SetTextColor(platform::TColor color) override {
        for (int c : {color.red, color.green, color.blue}) FUZZ_CHECK(c >= 0 && c <= 255);
    }
    void SetTextAlign(platform::TTextAlign) override {}
    void TextOut(int, int, std::string_view text) override {
        FUZZ_CHECK(text.find_first_of("\r\n\t") == std::string_view::npos);
    }

private:
    int dpiX_, dpiY_, height_, widthPerByte_;
};

void CheckParsed(const std::string& format) {
    const std::optional<listing::LineFormat> parsed = listing::ParseLineFormat(format);
    if (std::count(format.begin(), format.end(), ',') < 6) FUZZ_CHECK(!parsed);
    if (!parsed) return;
    FUZZ_CHECK(parsed->size >= 0 &&
               static_cast<std::size_t>(parsed->size) < listing::SizeTable.size());
    FUZZ_CHECK(parsed->face >= 0 &&
               static_cast<std::size_t>(parsed->face) < listing::FaceTable.size());
    FUZZ_CHECK(parsed->FaceName() == listing::FaceTable[static_cast<std::size_t>(parsed->face)]);
    for (int digit : parsed->colorDigits) FUZZ_CHECK(digit >= 0 && digit <= 9);
    FUZZ_CHECK(parsed->alignment == format.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzedDC dc(input.ConsumeIntegralInRange(1, 1 << 20), input.ConsumeIntegralInRange(1, 1 << 20),
                input.ConsumeIntegralInRange(0, 1 << 20), input.ConsumeIntegralInRange(0, 1000));
    std::int32_t previousLineTop = input.ConsumeIntegral<std::int32_t>();
    listing::PrintLineTable table;
    table.PrintLineCount = input.ConsumeIntegralInRange(-2, 101);
    for (listing::PrintLine& line : table.entries) {
        if (input.remaining_bytes() == 0) break;
        line.format = input.ConsumeRandomLengthString(64);
        line.text = input.ConsumeRandomLengthString(300);
        CheckParsed(line.format);
    }
    listing::DrawPrintLines(dc, table, previousLineTop);
    return 0;
}
