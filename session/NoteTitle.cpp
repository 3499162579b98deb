#include "session/NoteTitle.h"

#include "dates/TextOps.h"
#include "session/AppValues.h"
#include "session/Settings.h"

namespace session {

std::string NoteTitleFromSetting(std::string_view stored, std::string current) {
    if (!dates::HasLetterOrDigit(stored)) return current;
    return std::string(stored.substr(0, kNoteTitleLength));
}

std::string StoredNoteTitle() {
    return NoteTitleFromSetting(ReadSetting("TextTit", kNoteTitleCapacity), kDefaultNoteTitle);
}

}  // namespace session
