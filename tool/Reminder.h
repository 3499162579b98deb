#pragma once
// The daily reminder as two systemd user units: a timer firing at a time
// of day and the service it starts, which runs "jotwel-launch auto" (Jotwel
// opens only when today's entry has not been made). Plain functions making
// and reading the unit files' text.

#include <optional>
#include <string>
#include <string_view>

namespace tool {

inline constexpr std::string_view kReminderTimer = "jotwel-remind.timer";
inline constexpr std::string_view kReminderService = "jotwel-remind.service";

struct ClockTime {
    int hour = 0;
    int minute = 0;
    bool operator==(const ClockTime&) const = default;
};

// "HH:MM" on the 24-hour clock (the hour may have one digit): 00:00 to
// 23:59. Nothing for anything else.
std::optional<ClockTime> ParseClockTime(std::string_view text);
// "21:30".
std::string FormatClockTime(ClockTime time);

// The folder of the user's own units: ConfigHome()/systemd/user.
std::string UserUnitFolder();

// The service: runs launcher (an absolute path) with "auto".
std::string ReminderServiceUnit(const std::string& launcher);
// The timer: starts the service every day at time, local time.
std::string ReminderTimerUnit(ClockTime time);
// The time a timer unit made by ReminderTimerUnit fires at; nothing for
// any other text.
std::optional<ClockTime> TimeOfTimerUnit(std::string_view unit);

}  // namespace tool
