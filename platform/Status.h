#pragma once
// The outcome of a file or settings operation: success, or a failure with the
// operating system's error number and a short description of what failed and
// where, fit to be shown to the user ("Cannot write /home/a/Jotwel.hld: No
// space left on device"). A Status returned must be looked at: a call that
// deliberately ignores one says so with (void) and a comment giving why.

#include <string>
#include <utility>

namespace platform {

class [[nodiscard]] Status {
public:
    Status() = default;
    static Status Ok() { return Status(); }
    // errorNumber: an errno value (0 is allowed for failures with no errno).
    // what: the failing action and its path, e.g. "Cannot rename a to b".
    static Status Error(int errorNumber, std::string what) {
        return Status(errorNumber == 0 ? -1 : errorNumber, std::move(what));
    }

    bool ok() const { return code_ == 0; }
    explicit operator bool() const { return ok(); }
    // The errno value, or -1 for a failure without one; 0 on success.
    int code() const { return code_; }
    // "what: reason", e.g. "Cannot open x: Permission denied". Empty on success.
    std::string message() const;

private:
    Status(int code, std::string what) : code_(code), what_(std::move(what)) {}
    int code_ = 0;
    std::string what_;
};

}  // namespace platform
