// The diary store on a diary of 100 years of daily entries (36,500 records,
// about 19.5 MB), each measured against the plain file operation that does
// the same amount of work:
//   - ordered insertion near the start and deletion near the start, against
//     copying the diary to a new file with a sync (target: within 1.5x);
//     for reference also that copy followed by a rename over the diary and a
//     sync of the folder, the least any crash-safe replacement costs;
//   - reading every record, against reading the file's bytes (for
//     reference), and reading every record's Key alone, as lookups do
//     (within 1.5x).
// Each benchmark reports the process's peak resident memory (maxrss_kb),
// which stays at a few MB whatever the diary's size: the store streams, it
// never loads the whole file. The diary is made once in a scratch folder,
// removed at the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Env.h"
#include "store/Diary.h"

namespace {

constexpr int kRecords = 36500;
constexpr std::size_t kChunk = 64 * 1024;
std::string g_dataDir;  // the scratch folder

std::string DiaryFile() {
    return store::DiaryPath(g_dataDir);
}
std::string CopyFile() {
    return platform::JoinPath(g_dataDir, "copy.dat");
}

// Ends the run when the scratch diary cannot be made: every figure would
// measure a broken file.
void MustSucceed(const platform::Status& status) {
    if (status.ok()) return;
    std::fprintf(stderr, "bench_store: %s\n", status.message().c_str());
    std::exit(2);
}

void MakeDiary() {
    std::remove(DiaryFile().c_str());
    std::unique_ptr<platform::WritableFile> file;
    MustSucceed(platform::Env::Default()->NewWritableFile(DiaryFile(), &file));
    for (int day = 0; day < kRecords; ++day) {
        // Six hours apart, so that every key fits the file's 32 bits.
        const dates::Instant key = dates::EarliestDiaryDate + day * dates::Instant{6 * 3600};
        const store::TEntryRecord record = store::MakeTextEntryRecord(
            std::string(400, 'a' + day % 26), "A note of the day", day % 11, key);
        const store::RecordBytes bytes = store::EncodeRecord(record);
        MustSucceed(file->Append(std::string_view(bytes.data(), bytes.size())));
    }
    MustSucceed(file->Sync());
    MustSucceed(file->Close());
}

void ReportMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxrss_kb"] = static_cast<double>(usage.ru_maxrss);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords *
                            static_cast<std::int64_t>(store::RecordSize));
}

// Copies the diary to `to` with read/write in 64 KiB pieces, then syncs.
void CopyWithSync(benchmark::State& state, const std::string& to) {
    static std::vector<char> buffer(kChunk);
    const int in = open(DiaryFile().c_str(), O_RDONLY);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (ssize_t got; (got = read(in, buffer.data(), buffer.size())) > 0;) {
        if (write(out, buffer.data(), static_cast<std::size_t>(got)) != got)
            state.SkipWithError("write");
    }
    if (fsync(out) != 0) state.SkipWithError("fsync");
    close(out);
    close(in);
}

// The baseline: a plain copy of the diary with a sync.
void BM_CopyWithSync(benchmark::State& state) {
    for (auto _ : state) CopyWithSync(state, CopyFile());
    std::remove(CopyFile().c_str());
    ReportMemory(state);
}

// For reference, what any crash-safe replacement costs at least: the copy,
// then a rename over the diary (freeing the old file's blocks) and a sync of
// the folder.
void BM_CopyRenameSyncDir(benchmark::State& state) {
    for (auto _ : state) {
        CopyWithSync(state, CopyFile());
        if (rename(CopyFile().c_str(), DiaryFile().c_str()) != 0) state.SkipWithError("rename");
        const int dir = open(g_dataDir.c_str(), O_RDONLY | O_DIRECTORY);
        if (fsync(dir) != 0) state.SkipWithError("fsync dir");
        close(dir);
    }
    ReportMemory(state);
}

void BM_InsertNearStart(benchmark::State& state) {
    const store::TEntryRecord record = store::MakeTextEntryRecord("Inserted", "near the start", 5,
                                                                  dates::EarliestDiaryDate + 3600);
    for (auto _ : state) {
        if (!store::InsertRecordInOrder(g_dataDir, record).ok())
            state.SkipWithError("insert failed");
    }
    ReportMemory(state);
}

void BM_DeleteNearStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(g_dataDir);
        store::RecordLocation location{1, {}};
        store::ReadNextRecord(*reader, &location.record);
        store::ReadNextRecord(*reader, &location.record);
        reader.reset();
        state.ResumeTiming();
        if (!store::DeleteRecordAt(g_dataDir, location).ok()) state.SkipWithError("delete failed");
    }
    ReportMemory(state);
}

void BM_PlainRead(benchmark::State& state) {
    std::vector<char> buffer(kChunk);
    for (auto _ : state) {
        const int in = open(DiaryFile().c_str(), O_RDONLY);
        std::size_t total = 0;
        for (ssize_t got; (got = read(in, buffer.data(), buffer.size())) > 0;)
            total += static_cast<std::size_t>(got);
        close(in);
        benchmark::DoNotOptimize(total);
    }
    ReportMemory(state);
}

void BM_ReadEveryRecord(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(g_dataDir);
        store::TEntryRecord record;
        std::int64_t sum = 0;
        while (store::ReadNextRecord(*reader, &record)) sum += record.Key;
        benchmark::DoNotOptimize(sum);
    }
    ReportMemory(state);
}

// Reading every record's Key alone, as a lookup or an ordered insertion
// that finds its place does.
void BM_ReadEveryKey(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(g_dataDir);
        store::TEntryRecord record;
        std::int64_t sum = 0;
        while (reader->ReadNext(&record, store::kKeyField)) sum += record.Key;
        benchmark::DoNotOptimize(sum);
    }
    ReportMemory(state);
}

BENCHMARK(BM_CopyWithSync)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyRenameSyncDir)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertNearStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteNearStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryKey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    char folder[] = "/tmp/jotwel-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    g_dataDir = folder;
    MakeDiary();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(DiaryFile().c_str());
    std::remove(CopyFile().c_str());
    rmdir(folder);
    return 0;
}
