#pragma once
// The print dialog: where and how many copies to print. In test mode it is
// not shown but answered through the test seams (framework/TestSeams.h).

#include <functional>
#include <string>

class QPrinter;
class QPrintDialog;

namespace framework {

class TWindow;
struct TPageRange;

// Shows the print dialog for printer over parent (nullptr: no parent),
// offering a page range and a selection only where range has them. The
// choice is kept in printer. Returns false when the user cancelled.
bool ExecPrintDialog(QPrinter& printer, TWindow* parent, const TPageRange& range);

// Sets up a print dialog's choices for range: printing to a file, the page
// size and collated copies always; a page range and a selection only where
// range has them.
void SetPrintDialogOptions(QPrintDialog& dialog, const TPageRange& range);

// The name to propose for a printout to a file after path: path itself when
// nothing is there, else the first free one of "name-2.ext", "name-3.ext",
// ... (counting on from path's own number when it has one). exists tells
// whether something, even a dangling link, is at a path.
std::string NextFreeFileName(const std::string& path,
                             const std::function<bool(const std::string&)>& exists);

}  // namespace framework
