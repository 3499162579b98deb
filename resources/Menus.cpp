// Menu 1, the main window's menu bar.
#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

void AddMenus(std::vector<framework::MenuTemplate>& menus) {
    using framework::MenuItem;
    menus.push_back(framework::MenuTemplate{
        .id = kMainMenu,
        .items = {
            MenuItem::Popup("Setup",
                            {
                                MenuItem::Command("Set Subect &Headings", kCmSetSubjectHeadings),
                                MenuItem::Command("&Set Entry Preference", kCmSetEntryPreference),
                                MenuItem::Command("Set &Text Title", kCmSetTextTitle),
                                MenuItem::Command("E&xit", kCmSetupExit),
                            }),
            MenuItem::Command("Enter-by-&Text", kCmEnterByText),
            MenuItem::Command("Enter-by-&Buttons", kCmEnterByButtons),
            MenuItem::Command("&See-Entries", kCmSeeEntries),
            MenuItem::Popup("&Help",
                            {
                                MenuItem::Command("&General Help", kCmGeneralHelp),
                                MenuItem::Command("&Button Entry Help", kCmButtonEntryHelp),
                                MenuItem::Command("&Further Button Entry Help",
                                                  kCmFurtherButtonEntryHelp),
                                MenuItem::Command("&Text Entry Help", kCmTextEntryHelp),
                                MenuItem::Separator(),
                                MenuItem::Command("&About", kCmAbout),
                            }),
        }});
}

// clang-format on
}  // namespace resources
