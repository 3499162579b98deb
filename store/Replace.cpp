#include "store/Replace.h"

#include <string>
#include <utility>

#include "store/Rebuild.h"

namespace store {
namespace {

// The old records with one of them exchanged; the one at the location must
// still be the record that was found there.
class ReplacePlan : public RebuildPlan {
public:
    ReplacePlan(const RecordLocation& location, const TEntryRecord& replacement, std::string diary)
        : location_(location), bytes_(EncodeRecord(replacement)), diary_(std::move(diary)) {}

    platform::Status OnRecord(std::int64_t index, const char* record, RecordWriter& out) override {
        if (index != location_.index) return out.Add(record);
        found_ = DecodeRecord(record) == location_.record;
        return found_ ? out.Add(bytes_.data()) : Moved();
    }
    platform::Status OnEnd(std::int64_t, RecordWriter&) override {
        return found_ ? platform::Status::Ok() : Moved();
    }

private:
    platform::Status Moved() const {
        return platform::Status::Error(
            0, "The entry is no longer where it was found in " + diary_ + " (look it up again)");
    }

    const RecordLocation& location_;
    RecordBytes bytes_;
    std::string diary_;
    bool found_ = false;
};

// Gathers the old records, then writes what the rewrite makes of them.
class RewritePlan : public RebuildPlan {
public:
    explicit RewritePlan(const RecordsRewrite& rewrite) : rewrite_(rewrite) {}

    platform::Status OnRecord(std::int64_t, const char* record, RecordWriter&) override {
        current_.push_back(DecodeRecord(record));
        return platform::Status::Ok();
    }
    platform::Status OnEnd(std::int64_t, RecordWriter& out) override {
        std::vector<TEntryRecord> next;
        platform::Status status = rewrite_(current_, &next);
        encoded_.reserve(next.size());
        for (const TEntryRecord& record : next) encoded_.push_back(EncodeRecord(record));
        for (std::size_t i = 0; status.ok() && i < encoded_.size(); ++i) {
            status = out.Add(encoded_[i].data());
        }
        return status;
    }

private:
    const RecordsRewrite& rewrite_;
    std::vector<TEntryRecord> current_;
    std::vector<RecordBytes> encoded_;  // stays put until the writer finishes
};

}  // namespace

platform::Status ReplaceRecordAt(std::string_view dataDir, const RecordLocation& location,
                                 const TEntryRecord& replacement, bool* inPlace) {
    ReplacePlan plan(location, replacement, DiaryPath(dataDir));
    return RebuildDiary(dataDir, plan, inPlace);
}

platform::Status RewriteDiary(std::string_view dataDir, const RecordsRewrite& rewrite,
                              bool* inPlace) {
    RewritePlan plan(rewrite);
    return RebuildDiary(dataDir, plan, inPlace);
}

}  // namespace store
