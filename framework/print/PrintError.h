#pragma once
// How a print job can fail, and the report the user sees.

#include <string>
#include <string_view>

namespace framework {

class TWindow;

enum class PrintError {
    kNone,
    kOutOfMemory,
    kOutOfDisk,
    kDeletedFromQueue,  // the job was deleted in the system's print queue
    kCanceled,          // Cancel in the progress dialog
    kGeneral,           // any other failure
};

// The reason shown for error, e.g. "Printing canceled"; empty for kNone.
std::string_view PrintErrorReason(PrintError error);
// The error of a system error number: ENOMEM and ENOSPC/EDQUOT have their
// own reasons, everything else is kGeneral.
PrintError PrintErrorOfErrno(int errorNumber);
// "'<title>' not printed. <reason>."
std::string PrintErrorText(std::string_view title, PrintError error);
// Shows PrintErrorText under "Print Error" with the stop icon and OK.
// REQUIRES: error != kNone.
void ReportPrintError(TWindow* owner, std::string_view title, PrintError error);

}  // namespace framework
