#pragma once
// Numbers of the program's resources and menu commands. The control ids of
// each dialog template are in resources/ids/, one header per template.

namespace resources {

inline constexpr int kMainMenu = 1;

// Dialog templates.
inline constexpr int kTextEntryDialog = 1;
inline constexpr int kReportsDialog = 2;
inline constexpr int kAboutDialog = 3;
inline constexpr int kButtonEntryDialog = 4;
inline constexpr int kEntryPreferenceDialog = 5;
inline constexpr int kGeneralHelpDialog = 6;
inline constexpr int kHeadingsDialog = 7;
inline constexpr int kHeadingsHelpDialog = 8;
inline constexpr int kButtonEntryHelpDialog = 9;
inline constexpr int kTextEntryHelpDialog = 10;
inline constexpr int kTextTitleDialog = 11;
inline constexpr int kOtherDateDialog = 12;
// The print progress template, 32599, is numbered by the windowing layer that
// shows it: framework::kPrintProgressTemplate (framework/print/PrintProgressIds.h).

// Icons (each at 48, 32 and 16 pixels) and bitmaps.
inline constexpr int kFirstIcon = 2;
inline constexpr int kLastIcon = 5;
inline constexpr int kWindowIcon = 3;
inline constexpr int kHeadingsPicture = 1;
inline constexpr int kButtonEntryPicture = 2;
inline constexpr int kTextEntryPicture = 4;

// Menu commands of the main window.
inline constexpr int kCmSetSubjectHeadings = 11847;
inline constexpr int kCmSetEntryPreference = 11846;
inline constexpr int kCmSetTextTitle = 11853;
inline constexpr int kCmSetupExit = 108;
inline constexpr int kCmEnterByText = 11845;
inline constexpr int kCmEnterByButtons = 11842;
inline constexpr int kCmSeeEntries = 11851;
inline constexpr int kCmGeneralHelp = 11848;
inline constexpr int kCmButtonEntryHelp = 11850;
inline constexpr int kCmFurtherButtonEntryHelp = 11852;
inline constexpr int kCmTextEntryHelp = 11849;
inline constexpr int kCmAbout = 11844;
inline constexpr int kExitButton = 201;

}  // namespace resources
