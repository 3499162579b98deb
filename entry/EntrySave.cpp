#include "entry/EntrySave.h"

#include "session/Settings.h"
#include "store/Diary.h"
#include "store/Versions.h"

namespace entry {
namespace {

EntrySaveResult Store(const store::TEntryRecord& record, Placement placement,
                      std::string_view dataDir, std::string_view compactDate) {
    using Outcome = EntrySaveResult::Outcome;
    bool inPlace = false;
    platform::Status stored = placement == Placement::kInKeyOrder
                                  ? store::InsertRecordInOrder(dataDir, record, &inPlace)
                                  : store::AppendRecord(dataDir, record, &inPlace);
    if (!inPlace) return {Outcome::kNotSaved, std::move(stored), {}};
    platform::Status noted = session::WriteSetting("LastDate", compactDate);
    if (!stored.ok()) return {Outcome::kNotConfirmed, std::move(stored), {}};
    if (!noted.ok()) return {Outcome::kLastDateNotWritten, std::move(noted), {}};
    return {};
}

}  // namespace

EntrySaveResult SaveEntry(const store::TEntryRecord& record, Placement placement,
                          std::string_view dataDir, std::string_view compactDate) {
    platform::Status version =
        store::KeepVersionBeforeChange(dataDir, store::DiaryChange::kAddition);
    EntrySaveResult result = Store(record, placement, dataDir, compactDate);
    result.versionStatus = std::move(version);
    return result;
}

}  // namespace entry
