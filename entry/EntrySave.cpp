#include "entry/EntrySave.h"

#include "app/Settings.h"
#include "store/Diary.h"

namespace entry {

EntrySaveResult SaveEntry(const store::TEntryRecord& record, Placement placement,
                          std::string_view dataDir, std::string_view compactDate) {
    using Outcome = EntrySaveResult::Outcome;
    platform::Status status = placement == Placement::kInKeyOrder
                                  ? store::InsertRecordInOrder(dataDir, record)
                                  : store::AppendRecord(dataDir, record);
    if (!status.ok()) return {Outcome::kNotSaved, std::move(status)};
    status = app::WriteSetting("LastDate", compactDate);
    if (!status.ok()) return {Outcome::kLastDateNotWritten, std::move(status)};
    return {};
}

}  // namespace entry
