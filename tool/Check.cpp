// The diary check: one pass over the raw records, then the findings as text.
#include "tool/Check.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "dates/DiaryDates.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "store/Diary.h"
#include "store/RecordFile.h"
#include "tool/EntryFields.h"

namespace tool {
namespace {

constexpr int kFirstYear = 2005;
constexpr int kLastYear = 2038;

void Add(DiaryCheck* check, Problem problem) {
    const auto kind = static_cast<std::size_t>(problem.kind);
    if (++check->found[kind] <= static_cast<std::int64_t>(kProblemsKeptPerKind)) {
        check->problems.push_back(std::move(problem));
    }
}

// What is wrong with one record, given the text entry before it (if any).
class RecordChecker {
public:
    explicit RecordChecker(DiaryCheck* check) : check_(check) {}

    void Check(const char* bytes, std::int64_t index) {
        store::DecodeRecord(bytes, &record_);
        Problem at;
        at.record = index + 1;
        at.offset = static_cast<std::uint64_t>(index) * store::RecordSize;
        at.stamp = record_.Stamp;
        at.key = record_.Key;
        if (std::memchr(bytes, 0, store::TextFieldSize) == nullptr) {
            Add(ProblemKind::kTextUnterminated, at);
        }
        if (std::memchr(bytes + store::TextFieldSize, 0, store::StampFieldSize) == nullptr) {
            Add(ProblemKind::kStampUnterminated, at);
        }
        const int year = dates::ToLocalTime(record_.Key).year;
        if (year < kFirstYear || year > kLastYear) Add(ProblemKind::kKeyOutOfRange, at);
        if (SplitEntry(record_).kind == EntryKind::kButton) {
            ++check_->buttonEntries;
            return;
        }
        ++check_->textEntries;
        if (previousText_ && record_.Key < previousText_->key) {
            Problem problem = at;
            problem.previousRecord = previousText_->record;
            problem.previousKey = previousText_->key;
            Add(ProblemKind::kOutOfOrder, problem);
        }
        previousText_ = at;
    }

private:
    void Add(ProblemKind kind, Problem problem) {
        problem.kind = kind;
        tool::Add(check_, std::move(problem));
    }

    DiaryCheck* check_;
    store::TEntryRecord record_;
    std::optional<Problem> previousText_;
};

void CheckHoldFile(std::string_view dataDir, DiaryCheck* check) {
    platform::Env* env = platform::Env::Default();
    const std::string hold = store::HoldPath(dataDir);
    if (!env->FileExists(hold)) return;
    Problem problem;
    problem.kind = ProblemKind::kHoldFile;
    // A hold file is reported even when its size cannot be read (then 0).
    (void)env->GetFileSize(hold, &problem.size);
    Add(check, problem);
}

}  // namespace

std::int64_t DiaryCheck::TotalFound() const {
    std::int64_t total = 0;
    for (std::int64_t n : found) total += n;
    return total;
}

DiaryCheck CheckDiary(std::string_view dataDir) {
    DiaryCheck check;
    CheckHoldFile(dataDir, &check);
    CheckRecords(store::DiaryPath(dataDir), &check);
    return check;
}

DiaryCheck CheckDiaryFile(const std::string& path) {
    DiaryCheck check;
    CheckRecords(path, &check);
    return check;
}

void CheckRecords(const std::string& path, DiaryCheck* out) {
    DiaryCheck& check = *out;
    std::unique_ptr<store::RecordReader> reader;
    check.status = store::OpenRecordReader(path, &reader);
    if (!check.status.ok()) return;
    RecordChecker checker(&check);
    std::int64_t index = 0;
    for (const char* bytes; (bytes = reader->Next()) != nullptr; ++index) {
        checker.Check(bytes, index);
    }
    check.status = reader->status();
    check.size = static_cast<std::uint64_t>(index) * store::RecordSize + reader->fragmentSize();
    if (check.status.ok() && reader->fragmentSize() > 0) {
        Problem fragment;
        fragment.kind = ProblemKind::kFragment;
        fragment.offset = check.size - reader->fragmentSize();
        fragment.size = reader->fragmentSize();
        Add(&check, fragment);
    }
}

}  // namespace tool
