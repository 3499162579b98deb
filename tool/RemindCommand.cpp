// remind: the daily reminder, set, removed or told, through the user's
// systemd; where none runs, nothing is changed.
#include <cerrno>
#include <optional>
#include <ostream>

#include "platform/Env.h"
#include "platform/WholeFile.h"
#include "tool/Commands.h"
#include "tool/Reminder.h"
#include "tool/RunTool.h"
#include "tool/UserSession.h"

namespace tool {
namespace {

constexpr std::string_view kRemindUsage = "give \"at HH:MM\", \"off\" or \"status\"";

std::string UnitPath(std::string_view unit) {
    return platform::JoinPath(UserUnitFolder(), unit);
}

int NoSystemd(const ToolContext& context) {
    return context.Fail(kExitUserError, "remind",
                        "no systemd user instance runs in this session, so the reminder "
                        "cannot be set or removed here; nothing was changed");
}

// Runs systemctl --user args; on failure says what it said and returns false.
bool Systemctl(const ToolContext& context, const std::vector<std::string>& args) {
    std::string output;
    const int status = UserSession::Current().Systemctl(args, &output);
    if (status == 0) return true;
    std::string command = "systemctl --user";
    for (const std::string& arg : args) command += " " + arg;
    context.err << "jotwel-tool: remind: \"" << command << "\" failed"
                << (status < 0 ? std::string(" (it could not be run)")
                               : " with status " + std::to_string(status))
                << (output.empty() ? "" : ": " + output) << (output.ends_with('\n') ? "" : "\n");
    return false;
}

// The unit files as they are, to put back when setting a new time fails.
struct UnitsBefore {
    std::optional<std::string> service, timer;
};

UnitsBefore ReadUnits() {
    UnitsBefore before;
    for (auto [unit, text] :
         {std::pair{kReminderService, &before.service}, std::pair{kReminderTimer, &before.timer}}) {
        std::string content;
        if (platform::ReadWholeFile(*platform::Env::Default(), UnitPath(unit), &content).ok()) {
            *text = std::move(content);
        }
    }
    return before;
}

// Removes both unit files; the first failure other than a file that is
// not there.
platform::Status RemoveUnits() {
    platform::Env* env = platform::Env::Default();
    platform::Status first;
    for (std::string_view unit : {kReminderTimer, kReminderService}) {
        platform::Status removed = env->RemoveFile(UnitPath(unit));
        if (first.ok() && !removed.ok() && removed.code() != ENOENT) first = removed;
    }
    return first;
}

// Puts the unit files back as they were before a failed change (best
// effort: the failure itself is what the user is told).
void PutBack(const UnitsBefore& before) {
    static_cast<void>(RemoveUnits());
    platform::Env& env = *platform::Env::Default();
    for (auto [unit, text] :
         {std::pair{kReminderService, &before.service}, std::pair{kReminderTimer, &before.timer}}) {
        if (*text) static_cast<void>(platform::ReplaceWholeFile(env, UnitPath(unit), **text));
    }
}

int SetReminder(const ToolContext& context, const std::string& timeText) {
    const std::optional<ClockTime> time = ParseClockTime(timeText);
    if (!time) {
        return context.Fail(kExitUserError, timeText,
                            "is not a time of day written HH:MM on the 24-hour clock (for "
                            "example 21:30)");
    }
    UserSession& session = UserSession::Current();
    if (!session.SystemdRuns()) return NoSystemd(context);
    const std::string launcher = session.LauncherPath();
    if (launcher.empty()) {
        return context.Fail(kExitUserError, "remind",
                            "jotwel-launch was found neither beside jotwel-tool nor on the "
                            "PATH; nothing was changed");
    }
    platform::Env& env = *platform::Env::Default();
    const UnitsBefore before = ReadUnits();
    for (const auto& [unit, text] : {std::pair{kReminderService, ReminderServiceUnit(launcher)},
                                     std::pair{kReminderTimer, ReminderTimerUnit(*time)}}) {
        if (platform::Status written = platform::ReplaceWholeFile(env, UnitPath(unit), text);
            !written.ok()) {
            PutBack(before);
            return context.FailFile(kExitFileError, UnitPath(unit), written);
        }
    }
    if (!Systemctl(context, {"daemon-reload"}) ||
        !Systemctl(context, {"enable", std::string(kReminderTimer)}) ||
        // A timer already running takes its new time only when restarted.
        !Systemctl(context, {"restart", std::string(kReminderTimer)})) {
        PutBack(before);
        Systemctl(context, {"daemon-reload"});
        context.err << "The reminder was not set.\n";
        return kExitFileError;
    }
    context.out << "Jotwel will remind you every day at " << FormatClockTime(*time)
                << ", when today's entry has not been made by then.\n"
                << "(The timer " << UnitPath(kReminderTimer) << " runs " << launcher << " auto.)\n";
    return kExitOk;
}

int RemoveReminder(const ToolContext& context) {
    platform::Env* env = platform::Env::Default();
    if (!env->FileExists(UnitPath(kReminderTimer)) &&
        !env->FileExists(UnitPath(kReminderService))) {
        context.out << "No daily reminder is set.\n";
        return kExitOk;
    }
    if (!UserSession::Current().SystemdRuns()) return NoSystemd(context);
    std::string ignored;  // a timer that was never enabled is no failure
    UserSession::Current().Systemctl({"disable", "--now", std::string(kReminderTimer)}, &ignored);
    if (platform::Status removed = RemoveUnits(); !removed.ok()) {
        return context.FailFile(kExitFileError, UserUnitFolder(), removed);
    }
    if (!Systemctl(context, {"daemon-reload"})) return kExitFileError;
    context.out << "The daily reminder is removed.\n";
    return kExitOk;
}

int TellReminder(const ToolContext& context) {
    std::string unit;
    const platform::Status read =
        platform::ReadWholeFile(*platform::Env::Default(), UnitPath(kReminderTimer), &unit);
    if (!read.ok()) {
        if (read.code() != ENOENT) {
            return context.FailFile(kExitFileError, UnitPath(kReminderTimer), read);
        }
        context.out << "No daily reminder is set.\n";
        return kExitOk;
    }
    const std::optional<ClockTime> time = TimeOfTimerUnit(unit);
    context.out << "A daily reminder is set"
                << (time ? " for " + FormatClockTime(*time)
                         : std::string(" (at a time changed by hand)"))
                << " in " << UnitPath(kReminderTimer) << ".\n";
    UserSession& session = UserSession::Current();
    if (!session.SystemdRuns()) {
        context.out << "No systemd user instance runs in this session, so it does not fire "
                       "now.\n";
        return kExitOk;
    }
    std::string state;
    session.Systemctl({"is-active", std::string(kReminderTimer)}, &state);
    while (!state.empty() && (state.back() == '\n' || state.back() == ' ')) state.pop_back();
    context.out << "Its timer is " << (state.empty() ? "in an unknown state" : state) << ".\n";
    return kExitOk;
}

}  // namespace

int RunRemind(const ToolContext& context) {
    const std::string what = context.operands.empty() ? "" : context.operands[0];
    if (what == "at" && context.operands.size() == 2)
        return SetReminder(context, context.operands[1]);
    if (what == "off" && context.operands.size() == 1) return RemoveReminder(context);
    if (what == "status" && context.operands.size() == 1) return TellReminder(context);
    return context.Fail(kExitUserError, "remind", kRemindUsage);
}

}  // namespace tool
