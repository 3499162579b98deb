#pragma once
// The event report: the diary's entries between two typed dates, optionally
// only those whose text holds a search word, as the lines the reports list
// shows and the lines the listing file holds. Logic only; the reports
// dialog shows what this returns.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dates/DiaryDates.h"
#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace listing {

// Bytes taken from each of the three typed fields.
inline constexpr std::size_t kTypedTextLimit = 23;
// Start date used when the start field holds no letter or digit.
inline constexpr std::string_view kFirstDiaryDate = "01/01/05";
inline constexpr std::string_view kListHeading = "Date\tNews\tScore\tDate/time entered";
inline constexpr std::string_view kBlankLine = " ";
inline constexpr std::string_view kSearchLinePrefix = "Searching for: ";
inline constexpr std::size_t kDashedLineLength = 150;

// What the user typed, each as read from its field (at most
// kTypedTextLimit bytes), and today's date as "dd/mm/yy".
struct ReportRequest {
    std::string startText;   // blank (no letter or digit): kFirstDiaryDate
    std::string endText;     // blank: todayShortDate
    std::string searchText;  // searching only when it holds a letter or digit
    std::string todayShortDate;

    bool operator==(const ReportRequest&) const = default;
};

// Which records a report lists.
struct ReportCriteria {
    dates::Instant startValue = 0;  // day-end value of the start date used
    dates::Instant endValue = 0;    // day-end value of the end date used
    // The instants of those days, local time: a record is in range when its
    // Key is one of them.
    dates::InstantRange instants;
    bool searching = false;
    std::string searchWord;  // as typed; empty when not searching

    // Whether record's Key lies in the range and, when searching, its Text
    // holds the search word (A-Z compared without regard to case).
    bool Selects(const store::TEntryRecord& record) const;
};

// The criteria of a request. Dates are read by dates::ParseDiaryDate, so a
// caller first refuses those that are not dates (CheckTypedDates); a start
// after the end selects nothing.
ReportCriteria MakeCriteria(const ReportRequest& request);

// The refusal of a typed start or end date that is neither blank nor a
// date (dates::ReadTypedDate), the start date looked at first.
struct DateRefusal {
    bool inStartDate = true;
    std::string problem;  // dates::TypedDate::problem
    std::string message;  // dates::NotADateMessage, naming the field
};
std::optional<DateRefusal> CheckTypedDates(const ReportRequest& request);

// Appends the lines under which record is listed: its listing line, or the
// pieces of it folded that hold a letter or digit.
void AppendListedLines(const store::TEntryRecord& record, std::vector<std::string>* lines);

struct ReportResult {
    ReportCriteria criteria;
    // Every line of the list, in order: the column heading, the one-space
    // line, "Searching for: <word>" when searching, the entry lines and
    // pieces in diary file order, and a line of 150 hyphens.
    std::vector<std::string> listLines;
    // The entry lines and pieces are listLines[firstListed, firstListed +
    // listedCount): the lines the listing file holds after its heading.
    std::size_t firstListed = 0;
    std::size_t listedCount = 0;
    // Lines written to the listing file after its heading: listedCount when
    // the listing file was written whole, 0 when it could not be.
    int listingLineCount = 0;
    // Ok, or why the diary could not be read (the lines then hold what was
    // read before the failure). An absent diary is Ok and lists nothing.
    platform::Status diaryStatus;
    // Ok, or why the listing file could not be written (it is then removed).
    platform::Status listingStatus;

    std::span<const std::string> ListingLines() const;
};

// Rows of a report's list, first to first + count - 1.
struct ListRows {
    std::size_t first = 0;
    std::size_t count = 0;
};

// After record (the first record of the diary listed under its line, as
// store::FindKeyForLine finds it) has been deleted, the rows its listed lines
// held in a list formed for criteria, whose entry rows are from..to - 1
// (lineAt gives a row's line): the first rows, in order, holding them from
// an entry row on. Forming the report again would list the rest unchanged.
// Nothing when criteria does not select record or its lines are not there:
// the report must then be formed again.
std::optional<ListRows> FindListedRows(const ReportCriteria& criteria,
                                       const store::TEntryRecord& record, std::size_t from,
                                       std::size_t to,
                                       const std::function<std::string_view(std::size_t)>& lineAt);

// Reads the diary of dataDir record by record (file order, never sorted),
// forms the report for request and writes the listing file of dataDir
// afresh. Never fails as a whole: failures are in the result's statuses.
ReportResult MakeReport(std::string_view dataDir, const ReportRequest& request);

// Takes a batch of a report's lines, in order (it may move them out).
using LineSink = std::function<void(std::vector<std::string>& lines)>;

// The same, handing the list's lines to addLines in batches as they are
// formed instead of gathering them in listLines (which is left empty;
// firstListed and listedCount count the lines handed): a list that holds its
// lines itself never has a second copy of them all.
ReportResult MakeReport(std::string_view dataDir, const ReportRequest& request,
                        const LineSink& addLines);

// The same report without touching the listing file (listingStatus Ok,
// listingLineCount 0): for readers other than the reports dialog.
ReportResult CollectReport(std::string_view dataDir, const ReportRequest& request);

}  // namespace listing
