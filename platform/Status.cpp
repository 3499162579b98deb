#include "platform/Status.h"

#include <cstring>

namespace platform {

std::string Status::message() const {
    if (ok()) return {};
    if (code_ < 0) return what_;
    return what_ + ": " + std::strerror(code_);
}

}  // namespace platform
