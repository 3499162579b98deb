#pragma once
// The print run: puts the listing file on paper after the event reports
// dialog has ended with Print List.

namespace framework {
class TPrinter;
class TWindow;
}  // namespace framework

namespace reports {

// Prints the listing file of session::Values().dataDirectory as the last Show
// Results left it: the heading and session::Values().listingLineCount lines,
// in print jobs of at most kLinesPerPrintJob print lines, each a one-page
// TBlindPrintout titled "List" that printer prints after its own print
// dialog, with parent (nullptr: none) as the parent of the dialogs. A
// cancelled or failed job does not stop the next one.
//
// A count of 0 prints nothing and shows no dialog. When the listing file
// cannot be opened or read, or ends before all its lines, the run stops
// before the job the missing lines belong to and says so in a message box;
// nothing is printed from a failed read.
void PrintListing(framework::TPrinter& printer, framework::TWindow* parent);

}  // namespace reports
