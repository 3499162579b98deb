// Templates 5, 7 and 11: the setup dialogs.
#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"
#include "resources/ids/EntryPreferenceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate EntryPreference() {
    using namespace entry_preference_ids;
    return {.id = kEntryPreferenceDialog, .caption = "Default Entry Preference",
            .x = 0, .y = 0, .width = 240, .height = 120,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kOkButton, "OK", 177, 97, 50, 14),
                Button(kCancelButton, "Cancel", 77, 98, 50, 14),
                Button(kHelpButton, "Help", 9, 99, 50, 14),
                Radio(kTextEntriesRadio, "I Prefer Text Entries", 40, 17, 138, 14),
                Radio(kButtonEntriesRadio, "I Prefer Button Entries", 40, 32, 138, 14),
                Check(kTodayBox, "I prefer to enter Today's Events", 41, 55, 114, 12),
            }};
}

framework::DialogTemplate Headings() {
    using namespace headings_ids;
    return {.id = kHeadingsDialog, .caption = "Set Subject Headings",
            .x = 0, .y = 0, .width = 240, .height = 181,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kOkButton, "OK", 180, 160, 50, 14),
                Button(kCancelButton, "Cancel", 22, 159, 50, 14),
                Edit(HeadingBox(0), 99, 34, 90, 13),
                Edit(HeadingBox(1), 99, 52, 90, 14),
                Edit(HeadingBox(2), 99, 70, 90, 13),
                Edit(HeadingBox(3), 99, 88, 90, 13),
                Edit(HeadingBox(4), 99, 106, 90, 13),
                Edit(HeadingBox(5), 99, 124, 90, 14),
                Text(kPromptLabel, "Enter the Heatings you wish to have on the Button-Entry screen",
                     50, 7, 164, 20, kCenter),
                Text(BoxLabel(0), "Button 1", 62, 36, 32, 9, kRight),
                Text(BoxLabel(1), "Button 2", 61, 54, 32, 9, kRight),
                Text(BoxLabel(2), "Button 3", 61, 72, 32, 9, kRight),
                Text(BoxLabel(3), "Button 4", 61, 90, 32, 9, kRight),
                Text(BoxLabel(4), "Button 5", 61, 108, 32, 9, kRight),
                Text(BoxLabel(5), "Button 6", 61, 125, 32, 9, kRight),
            }};
}

framework::DialogTemplate NoteTitle() {
    using namespace note_title_ids;
    return {.id = kTextTitleDialog, .caption = "Title line for Short Text Entry ",
            .x = 0, .y = 0, .width = 240, .height = 120,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Edit(kTitleBox, 50, 68, 130, 14),
                Button(kOkButton, "OK", 184, 95, 50, 14),
                Text(kPromptLabel, "The default title for this box is:", 59, 10, 106, 11),
                Text(kDefaultTitleLabel, "'Most memorable event'", 66, 25, 81, 10),
                Text(kChangeLabel, "You can change this by entering your own title in the box below.",
                     23, 43, 167, 16),
            }};
}

}  // namespace

void AddSetupTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back(EntryPreference());
    dialogs.push_back(Headings());
    dialogs.push_back(NoteTitle());
}

// clang-format on
}  // namespace resources
