#pragma once
// The note title: the words the text entry dialog puts above its note box,
// which the user sets and the settings key TextTit keeps.

#include <string>
#include <string_view>

namespace session {

// Capacity of the read of the stored note title (TextTit).
inline constexpr int kNoteTitleCapacity = 501;

// The note title after the stored title (TextTit) was read: the stored text,
// cut to the title's 80 bytes, when it holds a letter or digit; otherwise the
// current title unchanged.
std::string NoteTitleFromSetting(std::string_view stored, std::string current);

// The note title as the settings give it now: the stored one, or the
// default ("Most Memorable Event") when none is stored. Windows-1252 bytes.
std::string StoredNoteTitle();

}  // namespace session
