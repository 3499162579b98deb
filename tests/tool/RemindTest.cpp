// remind and autostart: the unit files and the log-on entry written to and
// removed from a temporary configuration folder, with a stand-in for the
// user's systemd that records what it is asked; the unit files checked by
// systemd-analyze where it is installed.
#include <sys/stat.h>

#include <filesystem>

#include "ToolTest.h"
#include "platform/Env.h"
#include "tool/Reminder.h"
#include "tool/UserSession.h"

namespace jtest {
namespace {

class FakeSession : public tool::UserSession {
public:
    bool SystemdRuns() override { return runs; }
    int Systemctl(const std::vector<std::string>& args, std::string* output) override {
        std::string call;
        for (const std::string& arg : args) call += (call.empty() ? "" : " ") + arg;
        calls.push_back(call);
        *output = call == failing ? "Failed to enable unit\n" : "";
        return call == failing ? 1 : 0;
    }
    std::string LauncherPath() override { return launcher; }

    bool runs = true;
    std::string launcher = "/opt/jot wel/bin/jotwel-launch";
    std::string failing;  // the call that fails
    std::vector<std::string> calls;
};

std::string UnitFile(std::string_view unit) {
    return platform::JoinPath(tool::UserUnitFolder(), unit);
}

class RemindTest : public ToolTest {
protected:
    FakeSession session_;
    tool::ScopedUserSession useSession_{&session_};
};

TEST(ClockTime, OnlyTimesOfTheDayOnTheTwentyFourHourClock) {
    EXPECT_EQ(tool::ParseClockTime("21:30"), (tool::ClockTime{21, 30}));
    EXPECT_EQ(tool::ParseClockTime("7:05"), (tool::ClockTime{7, 5}));
    EXPECT_EQ(tool::ParseClockTime("00:00"), (tool::ClockTime{0, 0}));
    for (const char* bad :
         {"24:00", "12:60", "12", "12:5", "012:00", "a1:00", "", ":30", "9:30pm"}) {
        EXPECT_FALSE(tool::ParseClockTime(bad)) << bad;
    }
    EXPECT_EQ(tool::TimeOfTimerUnit(tool::ReminderTimerUnit({6, 45})), (tool::ClockTime{6, 45}));
}

TEST_F(RemindTest, AtWritesTheUnitsAndEnablesTheTimer) {
    const ToolRun run = RunTool({"remind", "at", "21:30"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(tool::UserUnitFolder(), ConfigDir() + "/systemd/user");
    const std::string service = ReadFileBytes(UnitFile("jotwel-remind.service"));
    const std::string timer = ReadFileBytes(UnitFile("jotwel-remind.timer"));
    EXPECT_NE(service.find("\nExecStart=\"/opt/jot wel/bin/jotwel-launch\" auto\n"),
              std::string::npos)
        << service;
    EXPECT_NE(timer.find("\nOnCalendar=*-*-* 21:30:00\n"), std::string::npos) << timer;
    EXPECT_NE(timer.find("\nWantedBy=timers.target\n"), std::string::npos) << timer;
    EXPECT_EQ(session_.calls,
              (std::vector<std::string>{"daemon-reload", "enable jotwel-remind.timer",
                                        "restart jotwel-remind.timer"}));
    EXPECT_NE(run.out.find("every day at 21:30"), std::string::npos) << run.out;

    session_.calls.clear();
    const ToolRun status = RunTool({"remind", "status"});
    EXPECT_NE(status.out.find("A daily reminder is set for 21:30"), std::string::npos)
        << status.out;
    EXPECT_EQ(session_.calls, (std::vector<std::string>{"is-active jotwel-remind.timer"}));

    session_.calls.clear();
    const ToolRun off = RunTool({"remind", "off"});
    ASSERT_EQ(off.status, 0) << off.err;
    EXPECT_FALSE(std::filesystem::exists(UnitFile("jotwel-remind.service")));
    EXPECT_FALSE(std::filesystem::exists(UnitFile("jotwel-remind.timer")));
    EXPECT_EQ(session_.calls,
              (std::vector<std::string>{"disable --now jotwel-remind.timer", "daemon-reload"}));
    EXPECT_EQ(RunTool({"remind", "status"}).out, "No daily reminder is set.\n");
}

TEST_F(RemindTest, WithoutASystemdUserInstanceNothingChanges) {
    session_.runs = false;
    const ToolRun run = RunTool({"remind", "at", "08:00"});
    EXPECT_EQ(run.status, tool::kExitUserError);
    EXPECT_NE(run.err.find("no systemd user instance runs"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(tool::UserUnitFolder()));
    EXPECT_TRUE(session_.calls.empty());
}

// A failed systemctl puts the units back as they were: none, or the
// reminder set before.
TEST_F(RemindTest, AFailedEnableLeavesTheUnitsAsTheyWere) {
    session_.failing = "enable jotwel-remind.timer";
    const ToolRun run = RunTool({"remind", "at", "08:00"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_NE(run.err.find("Failed to enable unit"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(UnitFile("jotwel-remind.timer")));
    EXPECT_FALSE(std::filesystem::exists(UnitFile("jotwel-remind.service")));

    session_.failing.clear();
    ASSERT_EQ(RunTool({"remind", "at", "07:00"}).status, 0);
    const std::string timer = ReadFileBytes(UnitFile("jotwel-remind.timer"));
    session_.failing = "restart jotwel-remind.timer";
    EXPECT_EQ(RunTool({"remind", "at", "08:00"}).status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(UnitFile("jotwel-remind.timer")), timer);
    EXPECT_TRUE(std::filesystem::exists(UnitFile("jotwel-remind.service")));
}

TEST_F(RemindTest, MistakesAreNamed) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"remind"},
                                               {"remind", "at"},
                                               {"remind", "at", "25:00"},
                                               {"remind", "soon"},
                                               {"autostart", "maybe"}}) {
        EXPECT_EQ(RunTool(args).status, tool::kExitUserError) << args.back();
    }
    session_.launcher.clear();
    EXPECT_NE(RunTool({"remind", "at", "08:00"}).err.find("jotwel-launch was found neither"),
              std::string::npos);
}

TEST_F(RemindTest, TheUnitFilesPassSystemdAnalyzeVerify) {
    if (std::system("command -v systemd-analyze >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "systemd-analyze is not installed";
    }
    const std::string launcher = InTestDir("jotwel-launch");
    WriteFileBytes(launcher, "#!/bin/sh\nexit 0\n");
    chmod(launcher.c_str(), 0755);
    session_.launcher = launcher;
    ASSERT_EQ(RunTool({"remind", "at", "06:15"}).status, 0);
    const std::string command = "cd '" + tool::UserUnitFolder() +
                                "' && systemd-analyze verify jotwel-remind.timer "
                                "jotwel-remind.service 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    for (int c; (c = std::fgetc(pipe)) != EOF;) said += static_cast<char>(c);
    EXPECT_EQ(pclose(pipe), 0) << said;
}

TEST_F(RemindTest, AutostartPutsTheLogOnEntryInPlaceAndTakesItAway) {
    const std::string entry = ConfigDir() + "/autostart/jotwel-autostart.desktop";
    EXPECT_EQ(RunTool({"autostart", "status"}).out, "Jotwel does not start at log-on.\n");
    ASSERT_EQ(RunTool({"autostart", "on"}).status, 0);
    const std::string packaged = ReadFileBytes(
        std::filesystem::path(JOTWEL_TEST_DATA "/../../packaging/jotwel-autostart.desktop")
            .lexically_normal()
            .string());
    ASSERT_FALSE(packaged.empty());
    EXPECT_EQ(ReadFileBytes(entry), packaged);
    EXPECT_NE(RunTool({"autostart", "status"}).out.find("Jotwel starts at log-on"),
              std::string::npos);
    ASSERT_EQ(RunTool({"autostart", "off"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(RunTool({"autostart", "off"}).out,
              "Jotwel does not start at log-on; nothing to remove.\n");
}

}  // namespace
}  // namespace jtest
