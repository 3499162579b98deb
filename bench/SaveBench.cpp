// Saving an entry as the entry dialogs do (entry::SaveEntry: a version of
// the diary when one is due, the record stored, LastDate written), on a
// diary of 100 years of daily entries (36,500 records, about 19.5 MB),
// against copying the diary to a new file with a sync:
//   - the first save of the day, an entry for yesterday (a version is kept,
//     the record goes before today's: a rebuild) (target: within 1.3x);
//   - the same with today's entry, the latest (a version, then an append)
//     (target: within 1.3x);
//   - a later save the same day, the entry for yesterday (no version; a rebuild)
//     (target: within 1.5x, as any rebuild);
//   - today's entry, the latest (no version; the record goes last, so it
//     is appended) (target: within 0.3x).
// The diary's keys are an hour apart and end an hour before now, so that
// today's entry is the latest. Scratch data and settings folders, removed
// at the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "entry/EntrySave.h"
#include "platform/Env.h"
#include "store/Diary.h"
#include "store/Versions.h"

namespace {

constexpr int kRecords = 36500;
constexpr std::size_t kChunk = 64 * 1024;
std::string g_dataDir;

std::string DiaryFile() {
    return store::DiaryPath(g_dataDir);
}

dates::Instant Now() {
    return platform::Env::Default()->NowSeconds();
}

void MakeDiary() {
    std::unique_ptr<platform::WritableFile> file;
    platform::Env::Default()->NewWritableFile(DiaryFile(), &file);
    const dates::Instant last = Now() - 3600;
    for (int n = 0; n < kRecords; ++n) {
        const dates::Instant key = last - dates::Instant{3600} * (kRecords - 1 - n);
        const store::RecordBytes bytes = store::EncodeRecord(store::MakeTextEntryRecord(
            std::string(400, static_cast<char>('a' + n % 26)), "A note of the day", n % 11, key));
        file->Append(std::string_view(bytes.data(), bytes.size()));
    }
    file->Sync();
    file->Close();
}

void BM_CopyWithSync(benchmark::State& state) {
    std::vector<char> buffer(kChunk);
    const std::string copy = platform::JoinPath(g_dataDir, "copy.dat");
    for (auto _ : state) {
        const int in = open(DiaryFile().c_str(), O_RDONLY);
        const int out = open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (ssize_t got; (got = read(in, buffer.data(), buffer.size())) > 0;) {
            if (write(out, buffer.data(), static_cast<std::size_t>(got)) != got) {
                state.SkipWithError("write");
            }
        }
        if (fsync(out) != 0) state.SkipWithError("fsync");
        close(out);
        close(in);
    }
    std::filesystem::remove(copy);
}

void Save(benchmark::State& state, dates::Instant key) {
    const store::TEntryRecord record =
        store::MakeTextEntryRecord("Saved from the bench", "A note", 7, key);
    const entry::EntrySaveResult result =
        entry::SaveEntry(record, entry::Placement::kInKeyOrder, g_dataDir, "010100");
    if (result.outcome != entry::EntrySaveResult::Outcome::kSaved) {
        state.SkipWithError(result.status.message().c_str());
    }
}

void BM_SaveFirstOfDay(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(store::VersionsPath(g_dataDir));  // no version today yet
        state.ResumeTiming();
        Save(state, Now() - dates::SecondsPerDay);
    }
}

void BM_SaveFirstOfDayLast(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(store::VersionsPath(g_dataDir));
        state.ResumeTiming();
        Save(state, Now());
    }
}

void BM_SaveLaterSameDay(benchmark::State& state) {
    Save(state, Now() - dates::SecondsPerDay);  // the day's version is kept
    for (auto _ : state) Save(state, Now() - dates::SecondsPerDay);
}

void BM_SaveTodayLast(benchmark::State& state) {
    Save(state, Now());
    for (auto _ : state) Save(state, Now());
}

BENCHMARK(BM_CopyWithSync)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFirstOfDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFirstOfDayLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLaterSameDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTodayLast)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string scratch =
        (std::filesystem::temp_directory_path() / "jotwel-bench-save.XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) return 1;
    g_dataDir = scratch;
    std::filesystem::create_directories(std::filesystem::path(scratch) / "config");
    setenv("XDG_CONFIG_HOME", (std::filesystem::path(scratch) / "config").c_str(), 1);
    MakeDiary();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
    return 0;
}
