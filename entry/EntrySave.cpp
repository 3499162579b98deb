#include "entry/EntrySave.h"

#include "session/Settings.h"
#include "store/Diary.h"
#include "store/Versions.h"

namespace entry {
namespace {

EntrySaveResult Store(const store::TEntryRecord& record, Placement placement,
                      std::string_view dataDir, std::string_view compactDate,
                      store::VersionRequest* version) {
    using Outcome = EntrySaveResult::Outcome;
    bool inPlace = false;
    platform::Status stored = placement == Placement::kInKeyOrder
                                  ? store::InsertRecordInOrder(dataDir, record, &inPlace, version)
                                  : store::AppendRecord(dataDir, record, &inPlace, version);
    if (!inPlace) return {Outcome::kNotSaved, std::move(stored), {}};
    platform::Status noted = session::WriteSetting("LastDate", compactDate);
    if (!stored.ok()) return {Outcome::kNotConfirmed, std::move(stored), {}};
    if (!noted.ok()) return {Outcome::kLastDateNotWritten, std::move(noted), {}};
    return {};
}

}  // namespace

EntrySaveResult SaveEntry(const store::TEntryRecord& record, Placement placement,
                          std::string_view dataDir, std::string_view compactDate) {
    store::VersionRequest version(store::DiaryChange::kAddition);
    EntrySaveResult result = Store(record, placement, dataDir, compactDate, &version);
    // A version is told of only with a change that was made.
    if (result.stored()) result.versionStatus = std::move(version.status);
    return result;
}

}  // namespace entry
