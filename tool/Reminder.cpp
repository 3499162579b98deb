#include "tool/Reminder.h"

#include <cstdio>

#include "platform/Env.h"
#include "tool/UserSession.h"

namespace tool {
namespace {

constexpr std::string_view kOnCalendar = "OnCalendar=*-*-* ";

// A word of an ExecStart= line: quoted when it holds a blank, quote or
// backslash; "%" doubled, as systemd reads it as a specifier.
std::string UnitWord(std::string_view word) {
    std::string escaped;
    bool quote = false;
    for (char c : word) {
        if (c == '%') {
            escaped += "%%";
            continue;
        }
        if (c == '"' || c == '\\') escaped += '\\';
        quote = quote || c == ' ' || c == '\t' || c == '"' || c == '\\' || c == '\'';
        escaped += c;
    }
    return quote ? "\"" + escaped + "\"" : escaped;
}

}  // namespace

std::optional<ClockTime> ParseClockTime(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == text.npos || colon < 1 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    int parts[2] = {0, 0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == colon) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        int& part = parts[i < colon ? 0 : 1];
        part = part * 10 + (text[i] - '0');
    }
    if (parts[0] > 23 || parts[1] > 59) return std::nullopt;
    return ClockTime{parts[0], parts[1]};
}

std::string FormatClockTime(ClockTime time) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    return text;
}

std::string UserUnitFolder() {
    return platform::JoinPath(platform::JoinPath(ConfigHome(), "systemd"), "user");
}

std::string ReminderServiceUnit(const std::string& launcher) {
    return "# Made by jotwel-tool remind; \"jotwel-tool remind off\" removes it.\n"
           "[Unit]\n"
           "Description=Jotwel diary: open it when today's entry has not been made\n"
           "\n"
           "[Service]\n"
           "Type=exec\n"
           "ExecStart=" +
           UnitWord(launcher) + " auto\n";
}

std::string ReminderTimerUnit(ClockTime time) {
    return "# Made by jotwel-tool remind; \"jotwel-tool remind off\" removes it.\n"
           "[Unit]\n"
           "Description=Jotwel diary: daily reminder at " +
           FormatClockTime(time) +
           "\n"
           "\n"
           "[Timer]\n" +
           std::string(kOnCalendar) + FormatClockTime(time) +
           ":00\n"
           "AccuracySec=1min\n"
           "Unit=" +
           std::string(kReminderService) +
           "\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::optional<ClockTime> TimeOfTimerUnit(std::string_view unit) {
    const std::size_t at = unit.find(kOnCalendar);
    if (at == unit.npos) return std::nullopt;
    const std::string_view rest = unit.substr(at + kOnCalendar.size());
    const std::string_view time = rest.substr(0, rest.find(":00\n"));
    return ParseClockTime(time);
}

}  // namespace tool
