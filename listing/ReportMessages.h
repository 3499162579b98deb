#pragma once
// The texts of the reports dialog's message boxes, as Windows-1252 bytes.
// Reasons come from failed statuses (UTF-8 paths and system messages);
// characters the code page lacks become "?".

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace listing {

inline constexpr std::string_view kDeleteConfirmCaption = "Delete Confirmation";
inline constexpr std::string_view kDeleteErrorCaption = "Deletion Error";
inline constexpr std::string_view kEntryDeletedText = "Entry Deleted";
inline constexpr std::string_view kNothingToDeleteCaption = "Delete";
inline constexpr std::string_view kSelectFirstLineText =
    "Select the first line of the entry you want to delete (the line that begins with "
    "its date), then press Delete.";

// "Key = <key>  Do you want really to delete this record\n<line>".
std::string DeleteConfirmText(std::int32_t key, std::string_view line);
// "Unable to delete entry\nClose Jotwel and try again", and the reason
// after a blank line when the failure gives one.
std::string DeleteFailedText(const platform::Status& failure);
// "Entry Deleted", and that the disk failed to confirm it, with why.
std::string DeleteNotConfirmedText(const platform::Status& failure);
// The listing file could not be written, so Print List prints nothing.
std::string ListingNotSavedText(const platform::Status& failure);
// The diary could not be read, so the list may lack entries.
std::string DiaryNotReadText(const platform::Status& failure);

}  // namespace listing
