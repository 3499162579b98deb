// The event report over a diary of 36,500 records (the size of 100 years of
// daily entries, about 19.5 MB), each measured against what it must at least
// do:
//   - the report (read every record, form and fold the lines, write the
//     listing file), against a plain read of the diary plus a plain write of
//     a file the size of the listing (target: within 3x);
//   - Show Results in the real reports dialog (offscreen, list filled and
//     laid out), against the report alone (target: within 1.5x), with the
//     accessibility bridge off and on (on: Qt's accessibility active, and
//     after each run what a screen reader asks at once: the dialog's
//     controls, the list's size and the lines it shows);
//   - Delete in the dialog with Yes answered (find the entry, keep a
//     version, rebuild the diary, list again), against copying the diary
//     with a sync (target: within 2.5x).
// With --years=N the diary holds N years of entries instead; the memory
// figure (the process's resident memory after Show Results, in MiB) is run
// alone in a fresh process for each size by bench/run.
// Records are seven hours apart from 01/01/05 on, so that every key fits
// the diary's 32-bit keys; summaries of 20 to 480 bytes make about half of
// the lines fold. The diary is made once in a scratch folder, removed at
// the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "framework/TestSeams.h"
#include "listing/ListingFile.h"
#include "listing/Report.h"
#include "listing/ReportMessages.h"
#include "reports/ReportsDialog.h"
#include "resources/JotwelResources.h"
#include "session/AppValues.h"
#include "store/Diary.h"

namespace {

int g_records = 36500;
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
    for (int n = 0; n < g_records; ++n) {
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

// What a screen reader asks when a dialog changes: every control's name
// and role, the list's number of lines and the text of those it shows.
void ReadLikeAScreenReader(QWidget* dialog) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(dialog);
    for (int i = 0; window && i < window->childCount(); ++i) {
        QAccessibleInterface* control = window->child(i);
        if (!control) continue;
        benchmark::DoNotOptimize(control->text(QAccessible::Name));
        if (control->role() != QAccessible::List) continue;
        const int lines = control->childCount();
        for (int row = 0; row < lines && row < 40; ++row) {
            if (QAccessibleInterface* line = control->child(row)) {
                benchmark::DoNotOptimize(line->text(QAccessible::Name));
            }
        }
    }
}

// Show Results as the user runs it, until the list is laid out and drawn.
void ShowResultsRuns(benchmark::State& state, bool accessible) {
    reports::ReportsDialog dialog(nullptr);
    dialog.ShowModeless();
    QApplication::processEvents();
    QAccessible::setActive(accessible);
    const std::size_t boxes = framework::testing::MessageBoxesShown().size();
    for (auto _ : state) {
        dialog.Command(1);
        QApplication::processEvents();
        if (accessible) ReadLikeAScreenReader(dialog.Control(101)->window());
    }
    QAccessible::setActive(false);
    if (framework::testing::MessageBoxesShown().size() != boxes)
        state.SkipWithError("a message box");
}

void BM_ShowResultsInDialog(benchmark::State& state) {
    ShowResultsRuns(state, false);
}

void BM_ShowResultsAccessible(benchmark::State& state) {
    ShowResultsRuns(state, true);
}

// The baseline of a deletion: a plain copy of the diary with a sync.
void BM_CopyWithSync(benchmark::State& state) {
    std::vector<char> buffer(kChunk);
    for (auto _ : state) {
        const int in = open(store::DiaryPath(kDataDir).c_str(), O_RDONLY);
        const int out = open("copy.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (ssize_t got; (got = read(in, buffer.data(), buffer.size())) > 0;) {
            if (write(out, buffer.data(), static_cast<std::size_t>(got)) != got) {
                state.SkipWithError("write");
            }
        }
        if (fsync(out) != 0) state.SkipWithError("fsync");
        close(out);
        close(in);
    }
    std::filesystem::remove("copy.tmp");
}

// Delete as the user does it: the first entry's line selected in the list
// Show Results made, Delete, Yes; then the dialog's message and the list
// shown again.
void BM_DeleteInDialog(benchmark::State& state) {
    reports::ReportsDialog dialog(nullptr);
    dialog.ShowModeless();
    dialog.Command(1);
    QApplication::processEvents();
    framework::TListBox list(&dialog, 101);
    for (auto _ : state) {
        state.PauseTiming();
        list.SetSelIndex(2);  // the heading, the blank line, the first entry
        framework::testing::AnswerNextMessageBox(framework::kIdYes);
        const std::size_t boxes = framework::testing::MessageBoxesShown().size();
        state.ResumeTiming();
        dialog.Command(109);
        QApplication::processEvents();
        const auto& shown = framework::testing::MessageBoxesShown();
        if (shown.size() != boxes + 2 || shown.back().text != listing::kEntryDeletedText) {
            state.SkipWithError("not deleted");
            break;
        }
    }
}

// The resident memory after Show Results, in a process that did nothing else.
double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

void MemoryAfterShowResults(benchmark::State& state, bool accessible) {
    reports::ReportsDialog dialog(nullptr);
    dialog.ShowModeless();
    QApplication::processEvents();
    QAccessible::setActive(accessible);
    for (auto _ : state) {
        dialog.Command(1);
        QApplication::processEvents();
        if (accessible) ReadLikeAScreenReader(dialog.Control(101)->window());
    }
    state.counters["rss_mib"] = ResidentMiB();
    state.counters["records"] = g_records;
    QAccessible::setActive(false);
}

void BM_MemoryAfterShowResults(benchmark::State& state) {
    MemoryAfterShowResults(state, false);
}

void BM_MemoryAfterShowResultsAccessible(benchmark::State& state) {
    MemoryAfterShowResults(state, true);
}

BENCHMARK(BM_PlainReadAndWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowResultsInDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowResultsAccessible)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWithSync)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteInDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryAfterShowResults)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryAfterShowResultsAccessible)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--years=", 8) == 0) g_records = 365 * std::atoi(argv[i] + 8);
    }
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
