#include "entry/EntryTexts.h"

#include <cstdio>

#include "dates/TextOps.h"
#include "platform/CodePage.h"

namespace entry {
namespace {

std::string EnterFor(const char* wording, bool forToday, dates::Instant today,
                     dates::Instant yesterday) {
    return wording + dates::FormatLongDate(forToday ? today : yesterday);
}

}  // namespace

DayTexts TextEntryOpening(bool forToday, dates::Instant today, dates::Instant yesterday) {
    return {EnterFor("Enter Events for: ", forToday, today, yesterday),
            forToday ? "I want to enter Yesterday's Events" : "I want to enter Today's Events"};
}

DayTexts ButtonEntryOpening(bool forToday, dates::Instant today, dates::Instant yesterday) {
    return {EnterFor("Enter news for: ", forToday, today, yesterday),
            forToday ? "I wish to enter Yesterday's news" : "I wish to enter Today's news"};
}

DayTexts TodayBoxTexts(bool checked, dates::Instant today) {
    if (!checked) return {"Enter Events for Yesterday", "I want to Enter Todays's Events"};
    const dates::LocalTime local = dates::ToLocalTime(today);
    char heading[64];
    std::snprintf(heading, sizeof heading, "OK, Enter Events for TODAY!  (%2d %s)", local.day,
                  dates::MonthNames[local.month - 1]);
    return {heading, "I want to Enter Yesterdays's Events"};
}

std::string SpecialDateHeading(std::string_view dateText) {
    return "Entry for " + std::string(dateText);
}

std::string ScoreButtonName(std::string_view heading, std::size_t row, int score) {
    const std::string subject = dates::HasLetterOrDigit(heading)
                                    ? std::string(heading)
                                    : "Subject heading " + std::to_string(row + 1);
    return subject + ", score " + std::to_string(score);
}

std::string TooLongMessage(std::size_t toRemove) {
    const std::string count =
        std::to_string(toRemove) + (toRemove == 1 ? " character" : " characters");
    return "The summary and the note are too long to be kept together in one entry.\n"
           "Please remove " +
           count + " from them (a line break counts as two).";
}

std::string LastDateNotWrittenMessage(const platform::Status& failure) {
    return "Your entry has been saved.\n\n"
           "But the date of your last entry could not be recorded, so a start with 'auto' "
           "later today will not know that today's entry is made.\n\n" +
           platform::Utf8ToCp1252Lossy(failure.message());
}

std::string NotConfirmedMessage(const platform::Status& failure) {
    return "Your entry has been saved.\n\n"
           "But the disk reported a fault while making it permanent, so it could be lost "
           "if the computer loses power soon. Please do not enter it again.\n\n" +
           platform::Utf8ToCp1252Lossy(failure.message());
}

}  // namespace entry
