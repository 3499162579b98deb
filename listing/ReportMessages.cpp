#include "listing/ReportMessages.h"

#include "platform/CodePage.h"

namespace listing {
namespace {

// text, then a blank line and the failure's reason when it has one.
std::string WithReason(std::string text, const platform::Status& failure) {
    const std::string reason = failure.message();
    if (!reason.empty()) {
        text += "\n\n" + platform::Utf8ToCp1252Lossy(reason);
    }
    return text;
}

}  // namespace

std::string DeleteConfirmText(std::int32_t key, std::string_view line) {
    std::string text =
        "Key = " + std::to_string(key) + "  Do you want really to delete this record\n";
    text += line;
    return text;
}

std::string DeleteFailedText(const platform::Status& failure) {
    return WithReason("Unable to delete entry\nClose Jotwel and try again", failure);
}

std::string DeleteNotConfirmedText(const platform::Status& failure) {
    return WithReason(
        std::string(kEntryDeletedText) +
            "\n\nBut the disk reported a fault while making this permanent, so the entry "
            "could come back if the computer loses power soon.",
        failure);
}

std::string ListingNotSavedText(const platform::Status& failure) {
    return WithReason(
        "The listing could not be saved, so Print List has nothing to print.\n"
        "The entries found are still shown in the list.",
        failure);
}

std::string DiaryNotReadText(const platform::Status& failure) {
    return WithReason(
        "The diary could not be read to the end, so entries may be missing from the list.",
        failure);
}

}  // namespace listing
