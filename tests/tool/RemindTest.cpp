// remind and autostart: the unit files and the log-on entry written to and
// removed from a temporary configuration folder, with a stand-in for the
// user's systemd that records what it is asked.
#include <filesystem>

#include "ToolTest.h"
#include "tool/UserSession.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

class FakeSession : public tool::UserSession {
public:
    bool SystemdRuns() override { return runs; }
    int Systemctl(const std::vector<std::string>& args, std::string* output) override {
        std::string call = args.at(0);
        for (std::size_t i = 1; i < args.size(); ++i) call += " " + args[i];
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
    const std::string service_ = ConfigDir() + "/systemd/user/jotwel-remind.service";
    const std::string timer_ = ConfigDir() + "/systemd/user/jotwel-remind.timer";
};

TEST_F(RemindTest, AtWritesTheUnitsAndEnablesTheTimerAndOffTakesThemAway) {
    EXPECT_THAT(Out({"remind", "at", "7:05"}), HasSubstr("every day at 07:05"));
    EXPECT_THAT(ReadFileBytes(service_),
                HasSubstr("\nExecStart=\"/opt/jot wel/bin/jotwel-launch\" auto\n"));
    EXPECT_THAT(ReadFileBytes(timer_), HasSubstr("\nOnCalendar=*-*-* 07:05:00\n"));
    EXPECT_THAT(ReadFileBytes(timer_), HasSubstr("\nWantedBy=timers.target\n"));
    EXPECT_THAT(Out({"remind", "status"}), HasSubstr("A daily reminder is set for 07:05"));
    Out({"remind", "off"});
    EXPECT_FALSE(fs::exists(service_));
    EXPECT_FALSE(fs::exists(timer_));
    EXPECT_EQ(session_.calls, (std::vector<std::string>{
                                  "daemon-reload", "enable jotwel-remind.timer",
                                  "restart jotwel-remind.timer", "is-active jotwel-remind.timer",
                                  "disable --now jotwel-remind.timer", "daemon-reload"}));
    EXPECT_EQ(Out({"remind", "status"}), "No daily reminder is set.\n");
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
    Out({"remind", "at", "07:00"});
    const std::string timer = ReadFileBytes(timer_);
    session_.failing = "restart jotwel-remind.timer";
    EXPECT_EQ(RunTool({"remind", "at", "08:00"}).status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(timer_), timer);
    EXPECT_TRUE(fs::exists(service_));

    session_.runs = false;
    session_.calls.clear();
    EXPECT_THAT(RunTool({"remind", "at", "09:00"}).err, HasSubstr("no systemd user instance"));
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
    EXPECT_THAT(RunTool({"remind", "at", "08:00"}).err, HasSubstr("jotwel-launch was found"));
    EXPECT_TRUE(session_.calls.empty());
}

TEST_F(RemindTest, AutostartPutsTheLogOnEntryInPlaceAndTakesItAway) {
    const std::string entry = ConfigDir() + "/autostart/jotwel-autostart.desktop";
    EXPECT_EQ(Out({"autostart", "status"}), "Jotwel does not start at log-on.\n");
    Out({"autostart", "on"});
    EXPECT_EQ(ReadFileBytes(entry),
              ReadFileBytes(JOTWEL_TEST_DATA "/../../packaging/jotwel-autostart.desktop"));
    EXPECT_THAT(Out({"autostart", "status"}), HasSubstr("Jotwel starts at log-on"));
    Out({"autostart", "off"});
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(Out({"autostart", "off"}), "Jotwel does not start at log-on; nothing to remove.\n");
}

}  // namespace
}  // namespace jtest
