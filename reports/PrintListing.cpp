#include "reports/PrintListing.h"

#include <string>

#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "framework/TPrinter.h"
#include "platform/CodePage.h"
#include "reports/ListingFile.h"
#include "reports/PrintLineReader.h"
#include "reports/TBlindPrintout.h"

namespace reports {
namespace {

// Says that the listing could not be read after linesRead lines.
void ReportUnreadable(framework::TWindow* parent, long long linesRead,
                      const platform::Status& failure) {
    std::string text = linesRead == 0
                           ? "The listing could not be read, so it was not printed."
                           : "The listing could not be read after its first " +
                                 std::to_string(linesRead) + " lines, so the rest was not printed.";
    text += "\n\n" + platform::Utf8ToCp1252Lossy(failure.message());
    framework::MessageBox(parent, text, "Print Error", framework::kMbOk | framework::kMbIconStop);
}

// Fills table afresh with the next print lines: at most kLinesPerPrintJob,
// and no more once *linesLeft lines of the file have been read whole. A
// line too long for one print line continues in the next entry and counts
// once. On failure the table must not be printed.
platform::Status FillChunk(TPrintLineReader& reader, long long* linesLeft, PrintLineTable* table) {
    *table = PrintLineTable{};
    while (table->PrintLineCount<kLinesPerPrintJob&& * linesLeft> 0) {
        PrintLine& entry = table->entries[static_cast<std::size_t>(table->PrintLineCount)];
        bool endsLine = false;
        if (platform::Status read = reader.ReadPrintLine(&entry.text, &endsLine); !read.ok()) {
            return read;
        }
        entry.format = kListingLineFormat;
        ++table->PrintLineCount;
        if (endsLine) --*linesLeft;
    }
    return platform::Status::Ok();
}

}  // namespace

void PrintListing(framework::TPrinter& printer, framework::TWindow* parent) {
    const app::TAppValues& values = app::Values();
    if (values.listingLineCount <= 0) return;
    const long long lines = values.listingLineCount + 1LL;  // and the heading
    TPrintLineReader reader;
    if (platform::Status opened = reader.Open(ListingPath(values.dataDirectory)); !opened.ok()) {
        ReportUnreadable(parent, 0, opened);
        return;
    }
    long long linesLeft = lines;
    PrintLineTable table;
    while (linesLeft > 0) {
        const long long linesBefore = linesLeft;
        if (platform::Status filled = FillChunk(reader, &linesLeft, &table); !filled.ok()) {
            ReportUnreadable(parent, lines - linesBefore, filled);
            return;
        }
        TBlindPrintout printout(std::string(kPrintJobTitle), table);
        printout.SetBanding(true);
        printer.Print(parent, printout, true);
    }
}

}  // namespace reports
