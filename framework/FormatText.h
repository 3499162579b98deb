#pragma once
// Filling the placeholders of a text taken from a template or a message.

#include <initializer_list>
#include <string>
#include <string_view>

namespace framework {

// format with each "%d" or "%s" replaced by the next of args, in order
// ("%%" gives "%"). Placeholders beyond the last argument are left as they
// are; arguments beyond the last placeholder are ignored.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args);

}  // namespace framework
