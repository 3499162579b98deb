#include "reports/PrintListing.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include "framework/MessageBox.h"
#include "framework/print/TPrinter.h"
#include "listing/ListingFile.h"
#include "listing/PrintLineReader.h"
#include "platform/CodePage.h"
#include "reports/TBlindPrintout.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "store/Diary.h"
#include "store/Versions.h"

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

// The most print lines one listing line can take: the longest line Show
// Results writes (a stamp, the score and a 500-character text, or a piece of
// it with its prefix) is under 560 characters. A longer line means the file
// was changed since it was made; printing it would only print junk.
constexpr int kMostPrintLinesPerLine = 3;

// Fills table afresh with the next print lines: at most kLinesPerPrintJob,
// and no more once *linesLeft lines of the file have been read whole. A
// line too long for one print line continues in the next entry and counts
// once; *linePieces counts the print lines of the line being read, across
// chunks. On failure the table must not be printed.
platform::Status FillChunk(listing::TPrintLineReader& reader, long long* linesLeft, int* linePieces,
                           listing::PrintLineTable* table) {
    *table = listing::PrintLineTable{};
    while (table->PrintLineCount<listing::kLinesPerPrintJob&& * linesLeft> 0) {
        listing::PrintLine& entry = table->entries[static_cast<std::size_t>(table->PrintLineCount)];
        bool endsLine = false;
        if (platform::Status read = reader.ReadPrintLine(&entry.text, &endsLine); !read.ok()) {
            return read;
        }
        if (++*linePieces > kMostPrintLinesPerLine) {
            return platform::Status::Error(
                EFBIG, "The listing holds a line longer than any Show Results writes");
        }
        entry.format = listing::kListingLineFormat;
        ++table->PrintLineCount;
        if (endsLine) {
            --*linesLeft;
            *linePieces = 0;
        }
    }
    return platform::Status::Ok();
}

namespace fs = std::filesystem;

// The path as its folder entry: the folder resolved, the name as it is.
fs::path EntryOf(const fs::path& path) {
    std::error_code failed;
    const fs::path absolute = fs::absolute(path, failed);
    if (failed) return path.lexically_normal();
    fs::path folder = fs::weakly_canonical(absolute.parent_path(), failed);
    if (failed) folder = absolute.parent_path().lexically_normal();
    return folder / absolute.filename();
}

// Whether a and b name the same file: the same folder entry, or, through
// links, the same file or the same place.
bool SameFile(const fs::path& a, const fs::path& b) {
    if (EntryOf(a) == EntryOf(b)) return true;
    std::error_code failed;
    if (fs::equivalent(a, b, failed) && !failed) return true;
    const fs::path resolvedA = fs::weakly_canonical(fs::absolute(a, failed), failed);
    if (failed) return false;
    const fs::path resolvedB = fs::weakly_canonical(fs::absolute(b, failed), failed);
    return !failed && resolvedA == resolvedB;
}

}  // namespace

std::string OwnFileRefusal(std::string_view path, std::string_view dataDir,
                           std::string_view settingsPath) {
    const fs::path target{std::string(path)};
    const std::string shown = platform::Utf8ToCp1252Lossy(target.filename().string());
    const fs::path versions = store::VersionsPath(dataDir);
    std::error_code failed;
    const fs::path folder = fs::absolute(target, failed).parent_path();
    const bool inVersions = SameFile(target, versions) || (!failed && SameFile(folder, versions));
    if (inVersions) {
        return "\"" + shown +
               "\" is in the folder where Jotwel keeps versions of the diary. "
               "Choose another file for the printout.";
    }
    for (const std::string& own : {store::DiaryPath(dataDir), store::HoldPath(dataDir),
                                   listing::ListingPath(dataDir), std::string(settingsPath)}) {
        if (SameFile(target, own)) {
            return "\"" + shown +
                   "\" is one of Jotwel's own files; printing to it would replace it. "
                   "Choose another file for the printout.";
        }
    }
    return {};
}

void PrintListing(framework::TPrinter& printer, framework::TWindow* parent) {
    const session::AppValues& values = session::Values();
    if (values.listingLineCount <= 0) return;
    const long long lines = values.listingLineCount + 1LL;  // and the heading
    listing::TPrintLineReader reader;
    if (platform::Status opened = reader.Open(listing::ListingPath(values.dataDirectory));
        !opened.ok()) {
        ReportUnreadable(parent, 0, opened);
        return;
    }
    printer.SetFileCheck([dataDir = values.dataDirectory](const std::string& path) {
        return OwnFileRefusal(path, dataDir, session::SettingsPath());
    });
    long long linesLeft = lines;
    int linePieces = 0;
    listing::PrintLineTable table;
    while (linesLeft > 0) {
        const long long linesBefore = linesLeft;
        if (platform::Status filled = FillChunk(reader, &linesLeft, &linePieces, &table);
            !filled.ok()) {
            ReportUnreadable(parent, lines - linesBefore, filled);
            return;
        }
        TBlindPrintout printout(std::string(listing::kPrintJobTitle), table);
        printout.SetBanding(true);
        printer.Print(parent, printout, true);
    }
}

}  // namespace reports
