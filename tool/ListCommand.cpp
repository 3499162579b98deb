// list: the reports dialog's lines for the same three fields, formed by the
// same code (listing::CollectReport), one per line in UTF-8.
#include <ostream>

#include "listing/Report.h"
#include "platform/CodePage.h"
#include "store/Diary.h"
#include "tool/Commands.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

// The line with each control character but the tab shown as "?": a text in
// the diary file must not be able to drive the terminal (ESC sequences, and
// the five bytes the code page leaves undefined, which stand for C1 controls
// such as OSC).
std::string ForTerminal(std::string line) {
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        const bool c1 =
            byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        if ((byte < 0x20 && c != '\t') || byte == 0x7F || c1) c = '?';
    }
    return line;
}

}  // namespace

int RunList(const ToolContext& context) {
    listing::ReportResult report;
    if (int status = CollectRequestedReport(context, &report)) return status;
    for (const std::string& line : report.listLines) {
        context.out << platform::Cp1252ToUtf8(ForTerminal(line)) << '\n';
    }
    return kExitOk;
}

}  // namespace tool
