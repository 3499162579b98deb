#pragma once
// Helpers of the reports tests: records of the two kinds of entry, the diary
// and the listing file of the current test's folder, and the lines a report
// is expected to show around its entry lines.

#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "store/EntryRecord.h"

namespace rtest {

// Instant of the given hour on a "dd/mm/yy" day (time zone UTC).
dates::Instant At(const char* date, int hour = 12);
// A text entry: Stamp with the time, Score as given.
store::TEntryRecord TextEntry(dates::Instant key, std::string text, int score = 5);
// A button entry: date-only Stamp, no Score.
store::TEntryRecord ButtonEntry(dates::Instant key, std::string text);

void PutDiary(const std::vector<store::TEntryRecord>& records);
std::vector<store::TEntryRecord> DiaryRecords();
std::string ListingBytes();

// The bytes of a listing file holding these entry lines.
std::string ListingOf(const std::vector<std::string>& lines);
// The lines of the list around these entry lines; search is the search
// line's word, "" when not searching.
std::vector<std::string> ListOf(const std::vector<std::string>& lines,
                                const std::string& search = "");

}  // namespace rtest
