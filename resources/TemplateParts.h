#pragma once
// Short constructors for the rows of the dialog template tables.

#include <string>

#include "framework/DialogTemplate.h"

namespace resources::parts {

using framework::ControlKind;
using framework::ControlTemplate;
using namespace framework;  // the style flags

inline ControlTemplate Make(ControlKind kind, int id, std::string text, int x, int y, int w, int h,
                            std::uint32_t style, int resource = 0, std::string name = {}) {
    return ControlTemplate{id, kind, std::move(text), x, y, w, h, style, resource, std::move(name)};
}

inline ControlTemplate Button(int id, std::string text, int x, int y, int w, int h,
                              std::uint32_t style = kTabStop) {
    return Make(ControlKind::PushButton, id, std::move(text), x, y, w, h, style);
}

// A single-line, bordered box with a tab stop that stops taking text when full.
inline ControlTemplate Edit(int id, int x, int y, int w, int h,
                            std::uint32_t style = kTabStop | kBorder) {
    return Make(ControlKind::Edit, id, {}, x, y, w, h, style);
}

inline ControlTemplate Text(int id, std::string text, int x, int y, int w, int h,
                            std::uint32_t style = kNoStyle) {
    return Make(ControlKind::Static, id, std::move(text), x, y, w, h, style);
}

inline ControlTemplate Check(int id, std::string text, int x, int y, int w, int h,
                             std::uint32_t style = kTabStop, std::string name = {}) {
    return Make(ControlKind::CheckBox, id, std::move(text), x, y, w, h, style, 0, std::move(name));
}

inline ControlTemplate Radio(int id, std::string text, int x, int y, int w, int h,
                             std::uint32_t style = kTabStop, std::string name = {}) {
    return Make(ControlKind::RadioButton, id, std::move(text), x, y, w, h, style, 0,
                std::move(name));
}

inline ControlTemplate Icon(int id, int icon, int x, int y, int w, int h) {
    return Make(ControlKind::Icon, id, {}, x, y, w, h, kNoStyle, icon);
}

inline ControlTemplate Picture(int id, int bitmap, int x, int y, int w, int h) {
    return Make(ControlKind::Picture, id, {}, x, y, w, h, kNoStyle, bitmap);
}

inline ControlTemplate Frame(int id, int x, int y, int w, int h) {
    return Make(ControlKind::EtchedFrame, id, {}, x, y, w, h, kNoStyle);
}

inline ControlTemplate List(int id, int x, int y, int w, int h, std::uint32_t style,
                            std::string name = {}) {
    return Make(ControlKind::ListBox, id, {}, x, y, w, h, style, 0, std::move(name));
}

}  // namespace resources::parts
