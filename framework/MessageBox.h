#pragma once
// Modal message boxes. Every message box of the program goes through
// MessageBox, so that tests can answer it and read what was shown
// (framework/TestSeams.h).

#include <string_view>

namespace framework {

class TWindow;

enum MessageBoxFlags : unsigned {
    kMbOk = 0x0,
    kMbYesNo = 0x4,
    kMbIconStop = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,  // the exclamation mark; shares a bit with the two above
};

// Command ids and modal results shared by dialogs and message boxes.
enum DialogResult : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdYes = 6,
    kIdNo = 7,
};

// Shows text under caption (both Windows-1252 bytes; "\n" breaks a line)
// with the buttons and icon of flags, owned by owner (nullptr: no owner).
// An empty caption gives an empty title. Returns kIdOk, kIdYes or kIdNo.
int MessageBox(TWindow* owner, std::string_view text, std::string_view caption = {},
               unsigned flags = kMbOk);

}  // namespace framework
