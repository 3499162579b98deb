// Templates 5, 7 and 11: the setup dialogs.
#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

void AddSetupTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back({kEntryPreferenceDialog, "Default Entry Preference", 0, 0, 240, 120,
                       "MS Sans Serif", 8, true, false,
                       {
                           Button(1, "OK", 177, 97, 50, 14),
                           Button(2, "Cancel", 77, 98, 50, 14),
                           Button(9, "Help", 9, 99, 50, 14),
                           Radio(101, "I Prefer Text Entries", 40, 17, 138, 14),
                           Radio(102, "I Prefer Button Entries", 40, 32, 138, 14),
                           Check(103, "I prefer to enter Today's Events", 41, 55, 114, 12),
                       }});
    dialogs.push_back({kHeadingsDialog, "Set Subject Headings", 0, 0, 240, 181, "MS Sans Serif", 8,
                       true, false,
                       {
                           Button(1, "OK", 180, 160, 50, 14),
                           Button(2, "Cancel", 22, 159, 50, 14),
                           Edit(101, 99, 34, 90, 13),
                           Edit(102, 99, 52, 90, 14),
                           Edit(103, 99, 70, 90, 13),
                           Edit(104, 99, 88, 90, 13),
                           Edit(105, 99, 106, 90, 13),
                           Edit(106, 99, 124, 90, 14),
                           Text(107, "Enter the Heatings you wish to have on the Button-Entry screen",
                                50, 7, 164, 20, kCenter),
                           Text(108, "Button 1", 62, 36, 32, 9, kRight),
                           Text(109, "Button 2", 61, 54, 32, 9, kRight),
                           Text(110, "Button 3", 61, 72, 32, 9, kRight),
                           Text(111, "Button 4", 61, 90, 32, 9, kRight),
                           Text(112, "Button 5", 61, 108, 32, 9, kRight),
                           Text(113, "Button 6", 61, 125, 32, 9, kRight),
                       }});
    dialogs.push_back({kTextTitleDialog, "Title line for Short Text Entry ", 0, 0, 240, 120,
                       "MS Sans Serif", 8, true, false,
                       {
                           Edit(104, 50, 68, 130, 14),
                           Button(1, "OK", 184, 95, 50, 14),
                           Text(101, "The default title for this box is:", 59, 10, 106, 11),
                           Text(103, "'Most memorable event'", 66, 25, 81, 10),
                           Text(102, "You can change this by entering your own title in the box below.",
                                23, 43, 167, 16),
                       }});
}

// clang-format on
}  // namespace resources
