// Fuzz target: typed dates. Any text, with any current instant, is read by
// ParseDiaryDate and ReadTypedDate and checked by CheckSpecialDate without
// undefined behaviour, and (the local zone at UTC):
// - the check's value is the parsed value, and it accepts exactly the real
//   days from 01/01/05 up to the day before yesterday, with a message only
//   when it refuses;
// - the strict reading, when it accepts, gives the parsed value, and says
//   what is wrong exactly when it refuses;
// - every date text made from the value fits the record's Stamp field;
// - a well-formed "dd/mm/yy" of a real day is accepted by the strict reading
//   and reads back as the same text.

#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "FuzzCheck.h"
#include "dates/DiaryDates.h"
#include "store/EntryRecord.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether text is exactly "dd/mm/yy" naming a day that exists (2000-2049:
// years below 50 are read as 20yy).
bool IsRealShortDate(const std::string& text) {
    if (text.size() != 8 || text[2] != '/' || text[5] != '/') return false;
    for (int i : {0, 1, 3, 4, 6, 7}) {
        if (!IsDigit(text[i])) return false;
    }
    const int day = (text[0] - '0') * 10 + (text[1] - '0');
    const int month = (text[3] - '0') * 10 + (text[4] - '0');
    const int year = 2000 + (text[6] - '0') * 10 + (text[7] - '0');
    if (year >= 2050 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = month == 2 && dates::IsLeapYear(year) ? 29 : kDays[month - 1];
    return day <= days;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto now = input.ConsumeIntegral<dates::Instant>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    const dates::Instant value = dates::ParseDiaryDate(text);
    const dates::TypedDate typed = dates::ReadTypedDate(text);
    FUZZ_CHECK(!typed.ok || typed.value == value);
    FUZZ_CHECK(typed.ok == typed.problem.empty());
    const dates::SpecialDateCheck check = dates::CheckSpecialDate(text, now);
    FUZZ_CHECK(check.value == value);
    // Today's UTC midnight, the clock held to years 1 to 9999 as the local
    // time conversion holds it.
    const dates::Instant clock = std::clamp<dates::Instant>(now, -62135596800, 253402300799);
    const dates::Instant todayStart =
        (clock / dates::SecondsPerDay - (clock % dates::SecondsPerDay < 0 ? 1 : 0)) *
        dates::SecondsPerDay;
    FUZZ_CHECK(check.accepted ==
               (typed.ok && value >= dates::EarliestDiaryDate && value < todayStart));
    FUZZ_CHECK(check.message.empty() == check.accepted);
    FUZZ_CHECK(check.caption.empty() == check.accepted);

    FUZZ_CHECK(dates::FormatStamp(value).size() <= store::MaxStampLength);
    FUZZ_CHECK(dates::FormatShortDate(value).size() <= store::MaxStampLength);
    (void)dates::FormatLongDate(value);
    (void)dates::InReportRange(now, value, value);
    (void)dates::InReportRange(now, now, value);

    if (IsRealShortDate(text)) {
        FUZZ_CHECK(typed.ok);
        FUZZ_CHECK(dates::LocalDayStart(value) == value - dates::SecondsPerDay);
        FUZZ_CHECK(dates::FormatShortDate(value - dates::SecondsPerDay) == text);
    }
    return 0;
}
