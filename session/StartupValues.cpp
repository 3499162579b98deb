#include "session/StartupValues.h"

#include <cstring>

#include "platform/Env.h"
#include "session/Settings.h"

namespace session {
namespace {
constexpr int kStartupReadCapacity = 25;
}

bool IsAutoMode(int argc, const char* const* argv) {
    return argc > 1 && std::strcmp(argv[1], "auto") == 0;
}

std::string CaptureDataDirectory() {
    std::string dir;
    if (!platform::Env::Default()->GetCurrentDir(&dir).ok()) return {};
    return dir;
}

bool ReadTodayPreference() {
    return ReadSetting("Today", kStartupReadCapacity) == "ToDay";
}

void TakeTodayAndYesterday(AppValues& values) {
    values.todayInstant = dates::CurrentInstant();
    values.yesterdayInstant = dates::CurrentInstant() - dates::SecondsPerDay;
    values.todayCompactDate = dates::FormatCompactDate(values.todayInstant);
    values.todayShortDate = dates::FormatShortDate(values.todayInstant);
}

void ReadSubjectHeadings(AppValues& values) {
    for (std::size_t i = 0; i < kHeadingCount; ++i) {
        values.headings[i] = ReadSetting(HeadingKey(i), kStartupReadCapacity);
    }
}

bool TodayAlreadyEntered(AppValues& values) {
    values.todayInstant = dates::CurrentInstant();
    values.todayCompactDate = dates::FormatCompactDate(values.todayInstant);
    return ReadSetting("LastDate", kStartupReadCapacity) == values.todayCompactDate;
}

bool EndsBeforeAnyWindow(int argc, const char* const* argv, AppValues& values) {
    values.autoMode = IsAutoMode(argc, argv);
    return values.autoMode && TodayAlreadyEntered(values);
}

}  // namespace session
