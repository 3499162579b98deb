#pragma once
// The print run: puts the listing file on paper after the event reports
// dialog has ended with Print List.

#include <string>
#include <string_view>

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
//
// When a job goes to a file, the next job's print dialog proposes the next
// free name beside it (List.pdf, List-2.pdf, ...), so that no page is lost
// by pressing Print; the program's own files are refused (OwnFileRefusal).
void PrintListing(framework::TPrinter& printer, framework::TWindow* parent);

// Why a printout must not be written to path (UTF-8), as the message the
// user sees (Windows-1252 bytes), or "" when it may: path is, or leads by a
// link to, the diary, its hold file or the listing file of dataDir, the
// settings file at settingsPath, or the folder of kept versions or a file in
// it.
std::string OwnFileRefusal(std::string_view path, std::string_view dataDir,
                           std::string_view settingsPath);

}  // namespace reports
