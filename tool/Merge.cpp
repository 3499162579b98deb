// The merge of two copies of a diary, as values.
#include "tool/Merge.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>

#include "platform/CodePage.h"
#include "platform/Env.h"
#include "store/RecordFile.h"
#include "tool/EntryFields.h"

namespace tool {
namespace {

bool IsButton(const store::TEntryRecord& record) {
    return SplitEntry(record).kind == EntryKind::kButton;
}

// Text entries by key, then button entries by key; stable, so records of
// equal key keep the order they came in.
void PutInDiaryOrder(std::vector<store::TEntryRecord>* records) {
    std::stable_sort(records->begin(), records->end(), [](const auto& a, const auto& b) {
        const bool aButton = IsButton(a), bButton = IsButton(b);
        if (aButton != bButton) return bButton;
        return a.Key < b.Key;
    });
}

}  // namespace

MergePlan PlanMerge(const std::vector<store::TEntryRecord>& mine,
                    const std::vector<store::TEntryRecord>& other) {
    MergePlan plan;
    std::vector<bool> matched(mine.size(), false);
    std::multimap<std::int32_t, std::size_t> byKey;  // this diary's records by key
    for (std::size_t i = 0; i < mine.size(); ++i) byKey.emplace(mine[i].Key, i);
    for (const store::TEntryRecord& record : other) {
        auto [at, end] = byKey.equal_range(record.Key);
        while (at != end && (matched[at->second] || !(mine[at->second] == record))) ++at;
        if (at != end) {
            matched[at->second] = true;
            ++plan.shared;
        } else {
            plan.added.push_back(record);
        }
    }
    for (std::size_t i = 0; i < mine.size(); ++i) {
        if (!matched[i]) plan.onlyMine.push_back(mine[i]);
    }
    for (const store::TEntryRecord& theirs : plan.added) {
        for (const store::TEntryRecord& ours : plan.onlyMine) {
            if (ours.Key == theirs.Key && IsButton(ours) == IsButton(theirs)) {
                plan.differing.emplace_back(ours, theirs);
            }
        }
    }
    plan.merged = mine;
    plan.merged.insert(plan.merged.end(), plan.added.begin(), plan.added.end());
    PutInDiaryOrder(&plan.merged);
    return plan;
}

platform::Status ReadDiaryFile(const std::string& path, std::vector<store::TEntryRecord>* records) {
    if (!platform::Env::Default()->FileExists(path)) {
        return platform::Status::Error(ENOENT, path);
    }
    std::unique_ptr<store::RecordReader> reader;
    if (platform::Status opened = store::OpenRecordReader(path, &reader); !opened.ok()) {
        return opened;
    }
    for (const char* bytes; (bytes = reader->Next()) != nullptr;) {
        records->push_back(store::DecodeRecord(bytes));
    }
    return reader->status();
}

std::string DescribeRecord(const store::TEntryRecord& record) {
    constexpr std::size_t kShown = 60;
    std::string text = record.Text.substr(0, kShown);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    if (record.Text.size() > kShown) text += "...";
    const std::string kind = IsButton(record)    ? "button entry: "
                             : record.Score >= 0 ? "score " + std::to_string(record.Score) + ": "
                                                 : "no score: ";
    return platform::Cp1252ToUtf8(record.Stamp) + "  " + kind + platform::Cp1252ToUtf8(text);
}

}  // namespace tool
