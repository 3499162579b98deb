// The diary check's findings as the lines check prints.
#include <cstdio>

#include "platform/CodePage.h"
#include "store/Diary.h"
#include "store/EntryRecord.h"
#include "tool/Check.h"
#include "tool/ExportFormats.h"

namespace tool {
namespace {

// A stored text for one line of output: control characters (which a
// damaged stamp may hold) shown as \xNN, the rest converted to UTF-8.
std::string Printable(std::string_view cp1252) {
    std::string shown;
    for (unsigned char c : cp1252) {
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            shown += code;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return platform::Cp1252ToUtf8(shown);
}

std::string RecordPlace(const Problem& p) {
    return "record " + std::to_string(p.record) + " (byte offset " + std::to_string(p.offset) +
           ", stamp \"" + Printable(p.stamp) + "\")";
}

std::string Describe(const Problem& p, std::string_view dataDir) {
    switch (p.kind) {
        case ProblemKind::kHoldFile:
            return store::HoldPath(dataDir) + ": a hold file of " + std::to_string(p.size) +
                   " bytes is left over from a change that did not finish; the diary is as it "
                   "was before that change, and the next change discards the hold file";
        case ProblemKind::kFragment:
            return store::DiaryPath(dataDir) + ": the last " + std::to_string(p.size) +
                   " bytes, from byte offset " + std::to_string(p.offset) +
                   ", are not a whole record of " + std::to_string(store::RecordSize) +
                   " bytes; readers skip them and the next change drops them";
        case ProblemKind::kTextUnterminated:
            return RecordPlace(p) + ": the text field (" + std::to_string(store::TextFieldSize) +
                   " bytes) has no terminating NUL";
        case ProblemKind::kStampUnterminated:
            return RecordPlace(p) + ": the stamp field (" + std::to_string(store::StampFieldSize) +
                   " bytes) has no terminating NUL";
        case ProblemKind::kOutOfOrder:
            return RecordPlace(p) + ": text entry out of date order: its key " +
                   std::to_string(p.key) + " is below " + std::to_string(p.previousKey) +
                   ", the key of record " + std::to_string(p.previousRecord) +
                   ", the text entry before it";
        case ProblemKind::kKeyOutOfRange:
            return RecordPlace(p) + ": its key " + std::to_string(p.key) + " falls on " +
                   IsoLocalDate(p.key) + ", outside the years 2005-2038";
    }
    return {};
}

std::string Plural(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Summary(const DiaryCheck& check, std::string_view dataDir) {
    const std::int64_t total = check.TotalFound();
    return store::DiaryPath(dataDir) + ": " +
           Plural(check.textEntries + check.buttonEntries, "entry", "entries") + " (" +
           std::to_string(check.textEntries) + " text, " + std::to_string(check.buttonEntries) +
           " button), " + Plural(static_cast<std::int64_t>(check.size), "byte", "bytes") + ": " +
           (total == 0 ? std::string("no problems found")
                       : Plural(total, "problem", "problems") + " found");
}

}  // namespace

std::vector<std::string> DescribeCheck(const DiaryCheck& check, std::string_view dataDir) {
    std::vector<std::string> lines;
    for (std::size_t kind = 0; kind < kProblemKinds; ++kind) {
        std::int64_t shown = 0;
        for (const Problem& problem : check.problems) {
            if (static_cast<std::size_t>(problem.kind) != kind) continue;
            lines.push_back(Describe(problem, dataDir));
            ++shown;
        }
        if (check.found[kind] > shown) {
            lines.push_back("... and " + std::to_string(check.found[kind] - shown) +
                            " more like the last");
        }
    }
    lines.push_back(Summary(check, dataDir));
    return lines;
}

}  // namespace tool
