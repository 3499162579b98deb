// Start-up in both modes, each program started as a whole process, offscreen,
// in a scratch data folder and settings folder whose LastDate is today:
//   - at log-on on a day already entered: "jotwel auto" decides and ends by
//     itself, against a bare Qt Widgets program that makes one window and
//     ends (bare_qt; target: within 0.5x, since it needs no window at all);
//   - a plain start, until the main window is up and the program waits:
//     "jotwel" against the bare program with Jotwel's menu bar and button,
//     also left waiting ("bare_qt menu stay"; target: within 1.1x). A program
//     counts as waiting once it sleeps and its CPU time has not moved for
//     three looks 30 ms apart; it is then killed.
// The figure is the CPU time (user + system) of the whole process, from
// exec: on a shared machine its wall-clock time mostly measures the other
// load, which the wall_ms counter shows. Run with random interleaving so
// that all programs meet the same machine.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

constexpr int kTimeoutMs = 10000;

struct RunTimes {
    double cpuSeconds = 0;
    double wallSeconds = 0;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

// Starts `path` with `argument` and `second` (when not null), its output
// discarded. Returns the child's pid, or -1 when it could not be started.
pid_t SpawnQuietly(const char* path, const char* argument, const char* second = nullptr) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path), const_cast<char*>(argument),
                    argument ? const_cast<char*>(second) : nullptr, nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, path, &actions, nullptr, argv, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits up to kTimeoutMs for the child to end, killing it then. Returns
// its wait status; its CPU time goes to times->cpuSeconds.
int WaitAtMost(pid_t pid, RunTimes* times) {
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    pollfd ended{pidfd, POLLIN, 0};
    if (pidfd < 0 || poll(&ended, 1, kTimeoutMs) != 1) kill(pid, SIGKILL);
    if (pidfd >= 0) close(pidfd);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    times->cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return status;
}

// Runs the program once. Returns an error text, empty when the program
// ended by itself with status 0.
std::string RunOnce(const char* path, const char* argument, RunTimes* times) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = SpawnQuietly(path, argument);
    if (pid < 0) return std::string("cannot start ") + path;
    const int status = WaitAtMost(pid, times);
    times->wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::string(path) + " did not end by itself with status 0";
    }
    return {};
}

// The CPU time the process has had, in seconds, and whether it sleeps;
// false when it cannot be read.
bool CpuAndSleep(pid_t pid, double* cpuSeconds, bool* sleeping) {
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    long long nanoseconds = 0;
    std::string text;
    if (!(schedstat >> nanoseconds) || !std::getline(stat, text)) return false;
    const std::size_t end = text.rfind(')');
    *sleeping = end != std::string::npos && end + 2 < text.size() && text[end + 2] == 'S';
    *cpuSeconds = static_cast<double>(nanoseconds) / 1e9;
    return true;
}

// Runs the program until it waits (see the top), then kills it.
std::string RunUntilWaiting(const char* path, const char* argument, const char* second,
                            RunTimes* times) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = SpawnQuietly(path, argument, second);
    if (pid < 0) return std::string("cannot start ") + path;
    double last = -1;
    int still = 0;
    std::string error;
    while (still < 3) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        double cpu = 0;
        bool sleeping = false;
        if (!CpuAndSleep(pid, &cpu, &sleeping)) {
            error = std::string(path) + " ended before it waited";
            break;
        }
        still = sleeping && cpu == last ? still + 1 : 0;
        last = cpu;
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kTimeoutMs)) {
            error = std::string(path) + " never waited";
            break;
        }
    }
    times->cpuSeconds = last;
    times->wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return error;
}

void TimeWindows(benchmark::State& state, const char* path, const char* argument,
                 const char* second) {
    double wall = 0;
    for (auto _ : state) {
        RunTimes times;
        const std::string error = RunUntilWaiting(path, argument, second, &times);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(times.cpuSeconds);
        wall += times.wallSeconds;
    }
    state.counters["wall_ms"] = benchmark::Counter(wall * 1000, benchmark::Counter::kAvgIterations);
}

void TimeStarts(benchmark::State& state, const char* path, const char* argument) {
    double wall = 0;
    for (auto _ : state) {
        RunTimes times;
        const std::string error = RunOnce(path, argument, &times);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(times.cpuSeconds);
        wall += times.wallSeconds;
    }
    state.counters["wall_ms"] = benchmark::Counter(wall * 1000, benchmark::Counter::kAvgIterations);
}

void BM_BareQtStart(benchmark::State& state) {
    TimeStarts(state, BARE_QT_BINARY, nullptr);
}

void BM_BareQtMenuStart(benchmark::State& state) {
    TimeStarts(state, BARE_QT_BINARY, "menu");
}

void BM_JotwelAutoStart(benchmark::State& state) {
    TimeStarts(state, JOTWEL_BINARY, "auto");
}

void BM_BareQtMenuWindow(benchmark::State& state) {
    TimeWindows(state, BARE_QT_BINARY, "menu", "stay");
}

void BM_JotwelFirstWindow(benchmark::State& state) {
    TimeWindows(state, JOTWEL_BINARY, nullptr, nullptr);
}

BENCHMARK(BM_BareQtStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_BareQtMenuStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_JotwelAutoStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_BareQtMenuWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_JotwelFirstWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// Today's compact date (ddmmyy) in UTC, the zone the programs run in.
std::string TodayCompactDate() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%d%m%y", std::gmtime(&now));
    return text;
}

// Makes the scratch data, settings and runtime folders, enters the data
// folder and points the environment that the programs inherit at them.
void PrepareScratch(const std::filesystem::path& scratch) {
    std::filesystem::create_directories(scratch / "config");
    std::filesystem::create_directories(scratch / "runtime");
    std::filesystem::permissions(scratch / "runtime", std::filesystem::perms::owner_all);
    std::ofstream(scratch / "config" / "ZORVANT.INI")
        << "[Jotwel]\r\nLastDate=" << TodayCompactDate() << "\r\n";
    std::filesystem::current_path(scratch);
    setenv("TZ", "UTC", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string scratch =
        (std::filesystem::temp_directory_path() / "jotwel-bench-start.XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) return 1;
    PrepareScratch(scratch);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
    return 0;
}
