#include "listing/Report.h"

#include <memory>
#include <utility>

#include "dates/TextOps.h"
#include "listing/ListingFile.h"
#include "store/Diary.h"
#include "store/ListingLine.h"

namespace listing {
namespace {

std::string TypedOr(const std::string& typed, std::string_view fallback) {
    return dates::HasLetterOrDigit(typed) ? typed : std::string(fallback);
}

void AppendOpeningLines(const ReportCriteria& criteria, std::vector<std::string>* lines) {
    lines->emplace_back(kListHeading);
    lines->emplace_back(kBlankLine);
    if (criteria.searching) {
        lines->push_back(std::string(kSearchLinePrefix) + criteria.searchWord);
    }
}

// Lines a report hands on at a time when it hands them to a sink.
constexpr std::size_t kBatchLines = 4096;

// Appends the listed lines of every selected record of the diary to lines
// and to listing (when given), calling afterRecord after each record.
// Returns the reader's status.
platform::Status ListSelected(std::string_view dataDir, const ReportCriteria& criteria,
                              TListingFile* listing, std::vector<std::string>* lines,
                              const std::function<void()>& afterRecord) {
    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(dataDir);
    store::TEntryRecord record;
    while (reader->ReadNext(&record, store::kKeyField)) {
        if (!dates::InReportRange(record.Key, criteria.startValue, criteria.endValue)) {
            continue;  // the rest of a record out of range is never decoded
        }
        reader->DecodeMore(&record, store::kAllFields);
        if (!criteria.Selects(record)) {
            continue;
        }
        const std::size_t first = lines->size();
        AppendListedLines(record, lines);
        for (std::size_t i = first; listing != nullptr && i < lines->size(); ++i) {
            // The listing keeps its first failure; its close returns it.
            (void)listing->AppendListingLine((*lines)[i]);
        }
        afterRecord();
    }
    platform::Status status = reader->status();
    store::CloseDiary(std::move(reader));
    return status;
}

}  // namespace

bool ReportCriteria::Selects(const store::TEntryRecord& record) const {
    return instants.Holds(record.Key) &&
           (!searching || dates::ContainsWordIgnoringCase(record.Text, searchWord));
}

ReportCriteria MakeCriteria(const ReportRequest& request) {
    ReportCriteria criteria;
    criteria.startValue = dates::ParseDiaryDate(TypedOr(request.startText, kFirstDiaryDate));
    criteria.endValue = dates::ParseDiaryDate(TypedOr(request.endText, request.todayShortDate));
    criteria.instants = dates::ReportInstants(criteria.startValue, criteria.endValue);
    criteria.searching = dates::HasLetterOrDigit(request.searchText);
    if (criteria.searching) {
        criteria.searchWord = request.searchText;
    }
    return criteria;
}

std::optional<DateRefusal> CheckTypedDates(const ReportRequest& request) {
    for (const bool start : {true, false}) {
        const std::string& typed = start ? request.startText : request.endText;
        if (!dates::HasLetterOrDigit(typed)) continue;
        const dates::TypedDate date = dates::ReadTypedDate(typed);
        if (!date.ok) {
            return DateRefusal{
                start, date.problem,
                dates::NotADateMessage(start ? "start date" : "end date", typed, date.problem)};
        }
    }
    return std::nullopt;
}

void AppendListedLines(const store::TEntryRecord& record, std::vector<std::string>* lines) {
    std::string line = store::FormatListingLine(record);
    if (line.size() <= store::FoldThreshold) {
        lines->push_back(std::move(line));
        return;
    }
    for (std::string& piece : store::FoldListingLine(line)) {
        if (dates::HasLetterOrDigit(piece)) {
            lines->push_back(std::move(piece));
        }
    }
}

std::optional<ListRows> FindListedRows(const ReportCriteria& criteria,
                                       const store::TEntryRecord& record, std::size_t from,
                                       std::size_t to,
                                       const std::function<std::string_view(std::size_t)>& lineAt) {
    if (!criteria.Selects(record)) {
        return std::nullopt;
    }
    std::vector<std::string> pieces;
    AppendListedLines(record, &pieces);
    if (pieces.empty()) {
        return std::nullopt;
    }
    // Only a record's own first piece can equal it (later pieces carry the
    // continuation prefix), and no record listed before this one can have
    // it, or that one would have been the record found for the line.
    for (std::size_t row = from; row + pieces.size() <= to; ++row) {
        if (lineAt(row) != pieces.front()) {
            continue;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            if (lineAt(row + i) != pieces[i]) {
                return std::nullopt;
            }
        }
        return ListRows{row, pieces.size()};
    }
    return std::nullopt;
}

std::span<const std::string> ReportResult::ListingLines() const {
    return std::span<const std::string>(listLines).subspan(firstListed, listedCount);
}

namespace {

// The report's lines (handed to sink when given), and its listing file when
// listing is given.
ReportResult FormReport(std::string_view dataDir, const ReportRequest& request,
                        TListingFile* listing, const LineSink* sink) {
    ReportResult result;
    result.criteria = MakeCriteria(request);
    std::vector<std::string>& lines = result.listLines;
    std::size_t handed = 0;  // lines given to the sink
    const auto hand = [&] {
        handed += lines.size();
        (*sink)(lines);
        lines.clear();
    };
    AppendOpeningLines(result.criteria, &lines);
    result.firstListed = lines.size();
    result.diaryStatus = ListSelected(dataDir, result.criteria, listing, &lines, [&] {
        if (sink != nullptr && lines.size() >= kBatchLines) hand();
    });
    result.listedCount = handed + lines.size() - result.firstListed;
    lines.emplace_back(kDashedLineLength, '-');
    if (sink != nullptr) hand();
    return result;
}

}  // namespace

ReportResult MakeReport(std::string_view dataDir, const ReportRequest& request) {
    return MakeReport(dataDir, request, nullptr);
}

ReportResult MakeReport(std::string_view dataDir, const ReportRequest& request,
                        const LineSink& addLines) {
    // A listing that fails keeps its first failure, which its close returns;
    // the list is formed all the same.
    TListingFile listing;
    (void)listing.OpenListingFile(dataDir);
    ReportResult result = FormReport(dataDir, request, &listing, addLines ? &addLines : nullptr);
    result.listingStatus = listing.CloseListingFile();
    result.listingLineCount = result.listingStatus.ok() ? static_cast<int>(result.listedCount) : 0;
    return result;
}

ReportResult CollectReport(std::string_view dataDir, const ReportRequest& request) {
    return FormReport(dataDir, request, nullptr, nullptr);
}

}  // namespace listing
