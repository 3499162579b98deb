#include "framework/print/PrintError.h"

#include <cerrno>

#include "framework/FormatText.h"
#include "framework/MessageBox.h"

namespace framework {

std::string_view PrintErrorReason(PrintError error) {
    switch (error) {
        case PrintError::kNone:
            return {};
        case PrintError::kOutOfMemory:
            return "Out of memory";
        case PrintError::kOutOfDisk:
            return "Out of disk space";
        case PrintError::kDeletedFromQueue:
            return "Printing aborted in Print Manager";
        case PrintError::kCanceled:
            return "Printing canceled";
        case PrintError::kGeneral:
            break;
    }
    return "Error encountered during print";
}

PrintError PrintErrorOfErrno(int errorNumber) {
    switch (errorNumber) {
        case ENOMEM:
            return PrintError::kOutOfMemory;
        case ENOSPC:
        case EDQUOT:
            return PrintError::kOutOfDisk;
        default:
            return PrintError::kGeneral;
    }
}

std::string PrintErrorText(std::string_view title, PrintError error) {
    return FormatText("'%s' not printed. %s.", {title, PrintErrorReason(error)});
}

void ReportPrintError(TWindow* owner, std::string_view title, PrintError error) {
    MessageBox(owner, PrintErrorText(title, error), "Print Error", kMbOk | kMbIconStop);
}

}  // namespace framework
