#pragma once
// The print dialog: where and how many copies to print. In test mode it is
// not shown but answered through the test seams (framework/TestSeams.h).

class QPrinter;

namespace framework {

class TWindow;
struct TPageRange;

// Shows the print dialog for printer over parent (nullptr: no parent),
// offering a page range and a selection only where range has them. The
// choice is kept in printer. Returns false when the user cancelled.
bool ExecPrintDialog(QPrinter& printer, TWindow* parent, const TPageRange& range);

}  // namespace framework
