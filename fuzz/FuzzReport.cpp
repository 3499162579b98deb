// Fuzz target: the event report and line folding, on any diary bytes, any
// typed dates and search word, any text to fold, and any one file operation
// failing.
// - Folding: at most five pieces; the first as it stands, the others after
//   the continuation prefix; each piece but the last ends at the first space
//   past its 100th character; the pieces without their prefixes, joined,
//   are the start of the line, and the whole line when fewer than five.
// - No listed line is longer than the longest line a record can make (plus
//   the prefix) or holds a line break, so the listing file keeps one line
//   per listed line.
// - The report lists the pieces of the records its criteria select, in file
//   order; the listing file holds the heading and exactly those lines, and
//   the count for printing is theirs; a listing that could not be written
//   is counted as empty and not left behind.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "dates/TextOps.h"
#include "listing/ListingFile.h"
#include "listing/Report.h"
#include "store/Diary.h"
#include "store/ListingLine.h"
#include "support/env/FaultEnv.h"
#include "support/env/MemEnv.h"

namespace {

using store::ContinuationPrefix;
using store::FoldThreshold;

constexpr char kDataDir[] = "/mem/data";
// Stamp, " Score = 2147483647   " and Text, each at its longest: a field
// that lacks its terminator is read whole.
constexpr std::size_t kLongestLine = store::StampFieldSize + 22 + store::TextFieldSize;

std::vector<std::string> CheckedFold(std::string_view line) {
    const std::vector<std::string> pieces = store::FoldListingLine(line);
    FUZZ_CHECK(!pieces.empty() && pieces.size() <= static_cast<std::size_t>(store::MaxPieces));
    if (line.size() <= FoldThreshold) {
        FUZZ_CHECK(pieces.size() == 1 && pieces[0] == line);
        return pieces;
    }
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::string_view stretch = pieces[i];
        if (i > 0) {
            FUZZ_CHECK(stretch.starts_with(ContinuationPrefix));
            stretch.remove_prefix(ContinuationPrefix.size());
        }
        const std::size_t firstCut = stretch.find(' ', FoldThreshold);
        const bool last = i + 1 == pieces.size();
        FUZZ_CHECK(!stretch.empty());
        FUZZ_CHECK(firstCut == stretch.size() - 1 || (last && firstCut == std::string_view::npos));
        joined += stretch;
    }
    FUZZ_CHECK(line.starts_with(joined));
    FUZZ_CHECK(pieces.size() == static_cast<std::size_t>(store::MaxPieces) || joined == line);
    return pieces;
}

// The lines a record is listed under: its line, or its folded pieces that
// hold a letter or digit.
void AppendExpected(const store::TEntryRecord& record, std::vector<std::string>* lines) {
    const std::string line = store::FormatListingLine(record);
    FUZZ_CHECK(line.size() <= kLongestLine);
    for (const std::string& piece : CheckedFold(line)) {
        if (line.size() <= FoldThreshold || dates::HasLetterOrDigit(piece)) lines->push_back(piece);
    }
}

std::vector<std::string> ExpectedLines(const std::string& diary,
                                       const listing::ReportCriteria& criteria) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at + store::RecordSize <= diary.size(); at += store::RecordSize) {
        const store::TEntryRecord record = store::DecodeRecord(diary.data() + at);
        if (criteria.Selects(record)) AppendExpected(record, &lines);
    }
    return lines;
}

std::string ListingOf(std::span<const std::string> lines) {
    std::string bytes = std::string(listing::kListingHeading) + "\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

void CheckReport(const listing::ReportResult& report, const std::vector<std::string>& expected) {
    const std::vector<std::string>& list = report.listLines;
    FUZZ_CHECK(list.size() >= 3 && list[0] == listing::kListHeading && list[1] == " ");
    FUZZ_CHECK(report.firstListed == (report.criteria.searching ? 3u : 2u));
    FUZZ_CHECK(list.back() == std::string(listing::kDashedLineLength, '-'));
    FUZZ_CHECK(report.firstListed + report.listedCount + 1 == list.size());
    const std::span<const std::string> listed = report.ListingLines();
    for (const std::string& line : listed) {
        FUZZ_CHECK(line.size() <= kLongestLine + ContinuationPrefix.size());
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    }
    const bool whole = report.diaryStatus.ok();
    FUZZ_CHECK(listed.size() <= expected.size() && (!whole || listed.size() == expected.size()));
    FUZZ_CHECK(std::equal(listed.begin(), listed.end(), expected.begin()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fuzzing::MemEnv mem;
    platform::FaultEnv faults(&mem);
    platform::ScopedEnv scoped(&faults);
    mem.SetMaxRead(input.ConsumeIntegralInRange<std::size_t>(0, 70000));
    const int failAt = input.ConsumeIntegralInRange(0, 8);
    const unsigned failOps = input.ConsumeIntegral<unsigned>() & platform::FaultEnv::kAll;
    const int error = input.PickValueInArray({ENOSPC, EIO, EACCES});
    const bool oldListing = input.ConsumeBool();
    listing::ReportRequest request;
    request.startText = input.ConsumeRandomLengthString(listing::kTypedTextLimit);
    request.endText = input.ConsumeRandomLengthString(listing::kTypedTextLimit);
    request.searchText = input.ConsumeRandomLengthString(listing::kTypedTextLimit);
    request.todayShortDate = input.ConsumeRandomLengthString(12);
    CheckedFold(input.ConsumeRandomLengthString(2000));
    const std::string diary = input.ConsumeRemainingBytesAsString();
    mem.Put(store::DiaryPath(kDataDir), diary);
    const std::string listingPath = listing::ListingPath(kDataDir);
    if (oldListing) mem.Put(listingPath, "stale\r\n");

    faults.FailNth(failAt, failOps, error);
    const listing::ReportResult report = listing::MakeReport(kDataDir, request);
    const bool fired = faults.fired();
    faults.FailNth(0, 0, 0);
    CheckReport(report, ExpectedLines(diary, report.criteria));
    if (report.listingStatus.ok()) {
        FUZZ_CHECK(mem.Contents(listingPath) == ListingOf(report.ListingLines()));
        FUZZ_CHECK(report.listingLineCount == static_cast<int>(report.listedCount));
    } else {
        FUZZ_CHECK(fired && report.listingLineCount == 0);
        if ((failOps & platform::FaultEnv::kRemove) == 0) FUZZ_CHECK(!mem.FileExists(listingPath));
    }
    FUZZ_CHECK(report.diaryStatus.ok() || fired);
    return 0;
}
