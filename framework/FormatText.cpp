#include "framework/FormatText.h"

namespace framework {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char kind = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && kind == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && (kind == 'd' || kind == 's') && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace framework
