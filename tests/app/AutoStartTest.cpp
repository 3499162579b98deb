// The real program started as at log-on: "jotwel auto" ends by itself when
// today's entry is already made, and is an ordinary start otherwise.
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "GuiTest.h"
#include "TestEnvironment.h"
#include "dates/DiaryDates.h"

namespace jtest {
namespace {

struct Start {
    const char* name;
    QStringList arguments;
    const char* lastDate;  // nullptr: no settings file at all
};

std::unique_ptr<QProcess> Launch(const Start& start, const std::string& dir) {
    std::filesystem::create_directories(dir + "/config");
    if (start.lastDate) {
        WriteFileBytes(dir + "/config/ZORVANT.INI",
                       std::string("[Jotwel]\r\nLastDate=") + start.lastDate + "\r\n");
    }
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir + "/config"));
    env.insert("TZ", "UTC");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(QString::fromStdString(dir));
    process->start(JOTWEL_BINARY, start.arguments);
    EXPECT_TRUE(process->waitForStarted(10000)) << start.name;
    return process;
}

TEST(AutoStart, EndsAtOnceWhenTodayIsAlreadyEntered) {
    const std::string today = dates::FormatCompactDate(dates::CurrentInstant());
    auto process = Launch({"entered today", {"auto"}, today.c_str()}, TestDir());
    ASSERT_TRUE(process->waitForFinished(30000));
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
}

TEST(AutoStart, OtherwiseItIsAnOrdinaryStartThatWaits) {
    const std::string today = dates::FormatCompactDate(dates::CurrentInstant());
    const std::string yesterday =
        dates::FormatCompactDate(dates::CurrentInstant() - dates::SecondsPerDay);
    const Start starts[] = {
        {"no argument", {}, today.c_str()},
        {"capitals", {"AUTO"}, today.c_str()},
        {"second argument", {"x", "auto"}, today.c_str()},
        {"another day", {"auto"}, yesterday.c_str()},
        {"empty LastDate", {"auto"}, ""},
        {"no settings file", {"auto"}, nullptr},
    };
    std::vector<std::unique_ptr<QProcess>> running;
    for (const Start& start : starts) {
        running.push_back(Launch(start, TestDir() + "/" + start.name));
    }
    // An ordinary start shows its window and waits for the user: still
    // running after a while. (A wrong exit shows up at once.)
    for (std::size_t i = 0; i < running.size(); ++i) {
        EXPECT_FALSE(running[i]->waitForFinished(i == 0 ? 3000 : 50)) << starts[i].name;
        running[i]->kill();
        running[i]->waitForFinished(5000);
    }
}

}  // namespace
}  // namespace jtest
