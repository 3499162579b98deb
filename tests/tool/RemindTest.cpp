// remind and autostart: the unit files and the log-on entry written to and
// removed from a temporary configuration folder, with a stand-in for the
// user's systemd that records what it is asked.
#include <filesystem>

#include "ToolTest.h"
#include "platform/Env.h"
#include "tool/Reminder.h"
#include "tool/UserSession.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

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

class RemindTest : public ToolTest {
protected:
    FakeSession session_;
    tool::ScopedUserSession useSession_{&session_};
    const std::string service_ = tool::UserUnitFolder() + "/jotwel-remind.service";
    const std::string timer_ = tool::UserUnitFolder() + "/jotwel-remind.timer";
};

TEST_F(RemindTest, AtWritesTheUnitsAndEnablesTheTimerAndOffTakesThemAway) {
    const ToolRun run = RunTool({"remind", "at", "7:05"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("every day at 07:05"));
    EXPECT_EQ(tool::UserUnitFolder(), ConfigDir() + "/systemd/user");
    EXPECT_THAT(ReadFileBytes(service_),
                HasSubstr("\nExecStart=\"/opt/jot wel/bin/jotwel-launch\" auto\n"));
    EXPECT_THAT(ReadFileBytes(timer_), HasSubstr("\nOnCalendar=*-*-* 07:05:00\n"));
    EXPECT_THAT(ReadFileBytes(timer_), HasSubstr("\nWantedBy=timers.target\n"));
    EXPECT_THAT(RunTool({"remind", "status"}).out, HasSubstr("A daily reminder is set for 07:05"));
    ASSERT_EQ(RunTool({"remind", "off"}).status, 0);
    EXPECT_FALSE(fs::exists(service_));
    EXPECT_FALSE(fs::exists(timer_));
    EXPECT_EQ(session_.calls, (std::vector<std::string>{
                                  "daemon-reload", "enable jotwel-remind.timer",
                                  "restart jotwel-remind.timer", "is-active jotwel-remind.timer",
                                  "disable --now jotwel-remind.timer", "daemon-reload"}));
    EXPECT_EQ(RunTool({"remind", "status"}).out, "No daily reminder is set.\n");
}

// A failed systemctl puts the units back as they were: none, or the
// reminder set before. Without systemd nothing is tried.
TEST_F(RemindTest, AFailureLeavesTheUnitsAsTheyWere) {
    session_.failing = "enable jotwel-remind.timer";
    const ToolRun run = RunTool({"remind", "at", "08:00"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.err, HasSubstr("Failed to enable unit"));
    EXPECT_FALSE(fs::exists(timer_));
    EXPECT_FALSE(fs::exists(service_));

    session_.failing.clear();
    ASSERT_EQ(RunTool({"remind", "at", "07:00"}).status, 0);
    const std::string timer = ReadFileBytes(timer_);
    session_.failing = "restart jotwel-remind.timer";
    EXPECT_EQ(RunTool({"remind", "at", "08:00"}).status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(timer_), timer);
    EXPECT_TRUE(fs::exists(service_));

    session_.runs = false;
    session_.calls.clear();
    const ToolRun off = RunTool({"remind", "at", "09:00"});
    EXPECT_EQ(off.status, tool::kExitUserError);
    EXPECT_THAT(off.err, HasSubstr("no systemd user instance runs"));
    EXPECT_EQ(ReadFileBytes(timer_), timer);
    EXPECT_TRUE(session_.calls.empty());
}

// Only times of the day on the 24-hour clock are taken.
TEST_F(RemindTest, MistakesAreNamed) {
    for (const char* time : {"24:00", "12:60", "12", "12:5", "012:00", "a1:00", ":30", "9:3pm"}) {
        EXPECT_EQ(RunTool({"remind", "at", time}).status, tool::kExitUserError) << time;
    }
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"remind"}, {"remind", "at"}, {"remind", "soon"}, {"autostart", "maybe"}}) {
        EXPECT_EQ(RunTool(args).status, tool::kExitUserError) << args.back();
    }
    session_.launcher.clear();
    EXPECT_THAT(RunTool({"remind", "at", "08:00"}).err,
                HasSubstr("jotwel-launch was found neither"));
    EXPECT_TRUE(session_.calls.empty());
}

TEST_F(RemindTest, AutostartPutsTheLogOnEntryInPlaceAndTakesItAway) {
    const std::string entry = ConfigDir() + "/autostart/jotwel-autostart.desktop";
    EXPECT_EQ(RunTool({"autostart", "status"}).out, "Jotwel does not start at log-on.\n");
    ASSERT_EQ(RunTool({"autostart", "on"}).status, 0);
    const std::string packaged =
        ReadFileBytes(fs::path(JOTWEL_TEST_DATA "/../../packaging/jotwel-autostart.desktop")
                          .lexically_normal()
                          .string());
    ASSERT_FALSE(packaged.empty());
    EXPECT_EQ(ReadFileBytes(entry), packaged);
    EXPECT_THAT(RunTool({"autostart", "status"}).out, HasSubstr("Jotwel starts at log-on"));
    ASSERT_EQ(RunTool({"autostart", "off"}).status, 0);
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(RunTool({"autostart", "off"}).out,
              "Jotwel does not start at log-on; nothing to remove.\n");
}

}  // namespace
}  // namespace jtest
