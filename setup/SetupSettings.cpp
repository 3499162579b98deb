#include "setup/SetupSettings.h"

#include "dates/TextOps.h"
#include "session/Settings.h"

namespace setup {
namespace {

constexpr int kHeadingReadCapacity = 37;

std::string FirstBytes(std::string_view text, std::size_t count) {
    return std::string(text.substr(0, count));
}

}  // namespace

platform::Status SaveEntryPreference(bool preferText, bool forToday) {
    platform::Status status = session::WriteSetting("Default", preferText ? "TEXT" : "KEYS");
    if (!status.ok()) return status;
    return session::WriteSetting("ToDay", forToday ? "ToDay" : "No");
}

bool StoredHeadingsShown() {
    return dates::HasLetterOrDigit(
        session::ReadSetting(session::HeadingKey(1), kHeadingReadCapacity));
}

HeadingsSaveResult SaveSubjectHeadings(const HeadingTexts& boxTexts, HeadingTexts& slots) {
    using Outcome = HeadingsSaveResult::Outcome;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        std::string previous = std::move(slots[i]);
        slots[i] = FirstBytes(boxTexts[i], kHeadingSaveLength);
        if (!dates::HasLetterOrDigit(slots[i])) return {Outcome::kBlankHeading, i, {}};
        platform::Status status = session::WriteSetting(session::HeadingKey(i), slots[i]);
        if (!status.ok()) {
            slots[i] = std::move(previous);
            return {Outcome::kNotWritten, i, std::move(status)};
        }
    }
    return {};
}

platform::Status SaveNoteTitle(std::string_view boxText, std::string& noteTitle) {
    std::string title = FirstBytes(boxText, kNoteTitleSaveLength);
    platform::Status status = session::WriteSetting("TextTit", title);
    if (status.ok()) noteTitle = std::move(title);
    return status;
}

}  // namespace setup
