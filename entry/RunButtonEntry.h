#pragma once
// Opening the button entry dialog, from the main window or from the text
// entry dialog: both first make sure there is a subject heading to score.

namespace framework {
class TWindow;
}

namespace entry {

// When the first subject heading in memory holds a letter or digit, runs the
// button entry dialog over owner to its end and returns true. Otherwise shows
// the no-headings message (OK, no caption, no icon) owned by owner and
// returns false.
bool RunButtonEntry(framework::TWindow* owner);

}  // namespace entry
