// The event report over a diary of 36,500 records (the size of 100 years of
// daily entries, about 19.5 MB), each measured against what it must at least
// do:
//   - the report (read every record, form and fold the lines, write the
//     listing file), against a plain read of the diary plus a plain write of
//     a file the size of the listing (target: within 3x);
//   - Show Results in the real reports dialog (offscreen, list filled and
//     laid out), against the report alone (target: within 3x).
// Records are seven hours apart from 01/01/05 on, so that every key fits
// the diary's 32-bit keys; summaries of 20 to 480 bytes make about half of
// the lines fold. The diary is made once in a scratch folder, removed at
// the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/ResourceModule.h"
#include "framework/TestSeams.h"
#include "listing/ListingFile.h"
#include "listing/Report.h"
#include "reports/ReportsDialog.h"
#include "resources/JotwelResources.h"
#include "session/AppValues.h"
#include "store/Diary.h"

namespace {

constexpr int kRecords = 36500;
constexpr dates::Instant kSpacing = 7 * 3600;
constexpr std::size_t kChunk = 64 * 1024;
const std::string kDataDir = ".";
const listing::ReportRequest kRequest{"", "31/12/37", "", "31/12/37"};

std::string Summary(int n) {
    const std::size_t length = 20 + static_cast<std::size_t>(n * 37) % 460;
    std::string text;
    while (text.size() < length) text += "word" + std::to_string(n % 97) + " ";
    return text.substr(0, length);
}

// Ends the run when the scratch diary cannot be made: every figure would
// measure a broken file.
void MustSucceed(const platform::Status& status) {
    if (status.ok()) return;
    std::fprintf(stderr, "bench_report: %s\n", status.message().c_str());
    std::exit(2);
}

void MakeDiary() {
    std::unique_ptr<platform::WritableFile> file;
    MustSucceed(platform::Env::Default()->NewWritableFile(store::DiaryPath(kDataDir), &file));
    for (int n = 0; n < kRecords; ++n) {
        const dates::Instant key = dates::EarliestDiaryDate + n * kSpacing;
        const store::RecordBytes bytes = store::EncodeRecord(
            store::MakeTextEntryRecord(Summary(n), "A note of the day", n % 11, key));
        MustSucceed(file->Append(std::string_view(bytes.data(), bytes.size())));
    }
    MustSucceed(file->Close());
}

std::uintmax_t ListingSize() {
    return std::filesystem::file_size(listing::ListingPath(kDataDir));
}

// The floor: read the diary, write as many bytes as the listing holds.
void BM_PlainReadAndWrite(benchmark::State& state) {
    listing::MakeReport(kDataDir, kRequest);
    const std::uintmax_t listingSize = ListingSize();
    std::vector<char> buffer(kChunk, 'x');
    for (auto _ : state) {
        const int in = open(store::DiaryPath(kDataDir).c_str(), O_RDONLY);
        for (ssize_t got; (got = read(in, buffer.data(), buffer.size())) > 0;) {
        }
        close(in);
        const int out = open("plain.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::uintmax_t left = listingSize; left > 0;) {
            const std::size_t n = left < kChunk ? static_cast<std::size_t>(left) : kChunk;
            if (write(out, buffer.data(), n) != static_cast<ssize_t>(n))
                state.SkipWithError("write");
            left -= n;
        }
        close(out);
    }
    std::filesystem::remove("plain.tmp");
    state.counters["listing_kb"] = static_cast<double>(listingSize) / 1024;
}

void BM_Report(benchmark::State& state) {
    std::size_t lines = 0;
    for (auto _ : state) {
        const listing::ReportResult report = listing::MakeReport(kDataDir, kRequest);
        if (!report.listingStatus.ok()) state.SkipWithError("listing not written");
        lines = report.listLines.size();
    }
    state.counters["list_lines"] = static_cast<double>(lines);
}

// Show Results as the user runs it, until the list is laid out and drawn.
void BM_ShowResultsInDialog(benchmark::State& state) {
    reports::ReportsDialog dialog(nullptr);
    dialog.ShowModeless();
    QApplication::processEvents();
    for (auto _ : state) {
        dialog.Command(1);
        QApplication::processEvents();
    }
    if (!framework::testing::MessageBoxesShown().empty()) state.SkipWithError("a message box");
}

BENCHMARK(BM_PlainReadAndWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowResultsInDialog)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    QApplication qt(argc, argv);
    framework::SetResourceModule(&resources::Module());
    framework::testing::SetTestMode(true);  // a message box would be recorded, not wait
    std::string scratch = (std::filesystem::temp_directory_path() / "bench_report.XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) return 1;
    std::filesystem::current_path(scratch);
    session::Values().dataDirectory = kDataDir;
    session::Values().todayShortDate = kRequest.todayShortDate;
    MakeDiary();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
    return 0;
}
