// Templates 3, 6, 8, 9 and 10: the About box and the help screens.
#include "resources/JotwelResources.h"
#include "resources/ProjectInfo.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"
#include "resources/ids/AboutIds.h"
#include "resources/ids/ButtonEntryHelpIds.h"
#include "resources/ids/GeneralHelpIds.h"
#include "resources/ids/HeadingsHelpIds.h"
#include "resources/ids/TextEntryHelpIds.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate AboutBox() {
    using namespace about_ids;
    return {.id = kAboutDialog, .caption = "About Jotwel",
            .x = 0, .y = 0, .width = 240, .height = 130,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kCloseButton, "Close", 177, 106, 50, 14),
                Text(kVersionLabel, "Jotwel Version 3.1 (October 2011)", 35, 9, 158, 19, kCenter),
                Icon(kLeftIcon, 2, 12, 54, 32, 30, "Icon: an open diary and a pen"),
                Text(kTaglineLabel, "A little Diary to Record your day", 62, 31, 108, 13, kCenter | kBorder),
                Icon(kMiddleIcon, 3, 49, 54, 32, 30, "Icon: a closed diary with a star"),
                Icon(kRightIcon, 4, 90, 55, 32, 30, "Icon: a calendar page with a tick"),
                Text(kIconsCaption, "Choice of Icons", 40, 83, 64, 10),
                Text(kHomePageLabel, kHomePage, 12, 109, 123, 10, kSunken),
            }};
}

framework::DialogTemplate GeneralHelp() {
    using namespace general_help_ids;
    return {.id = kGeneralHelpDialog, .caption = "General Help on Jotwel",
            .x = 1, .y = 1, .width = 436, .height = 199,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
            Button(kCloseButton, "Close", 295, 178, 50, 14),
            Text(kEntryMethodsText,
                 "If you just want to make some brief notes on your life, this program will do just "
                 "that.\nYou can enter a few words about your day by choosing the Text Entry option, "
                 "or use the Button Entry method to enter scores for your special interests.",
                 14, 13, 407, 24),
            Text(kPreferenceText,
                 "You can set either entry method as default option but you can swicth between "
                 "methods my pressing the appropriate button on the Entry Screen.  You can also "
                 "choose whether the window wil expect today's or yesterday's news and, again, "
                 "switch between days with the button provided.",
                 14, 39, 408, 26),
            Text(kSeeEntriesText,
                 "The 'See Entries' option allows you to view and print entries over selected "
                 "dates.  If lines are two long, they will be split into two lines.  The second line "
                 "will be identified by being indented and preceded by '->' .",
                 14, 67, 409, 18),
            Text(kStartUpText,
                 "If you would like Jotwel to start automatically each time you start your computer, "
                 "place a shortcut in your Start-Up folder with the argument 'auto' in the command "
                 "line thus\n\n                    Jotwel.exe auto",
                 14, 116, 357, 32),
            Text(kStartUpResultText,
                 "The program will then start with your chosen entry method awaitng your completion "
                 "for the day (or yesterday - default)",
                 14, 158, 365, 19),
            Text(kListingDatesText,
                 "If no Start Date is entered, the listing will start with the first entry.\nIf no "
                 "End Date is entered the listing will end at 'today'.\nIf a Search Word is "
                 "enetered, only entries containing that word (case independent) wil be listed for "
                 "the dates.",
                 14, 86, 406, 28),
        }};
}

framework::DialogTemplate HeadingsHelp() {
    using namespace headings_help_ids;
    return {.id = kHeadingsHelpDialog, .caption = "Help on Setting Headings for Button Entries",
            .x = 0, .y = 0, .width = 437, .height = 306,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kCloseButton, "Close", 378, 282, 50, 14),
                Picture(kPicture, kHeadingsPicture, 97, 69, 247, 201,
                        "Example: six subject headings typed in the heading boxes"),
                Text(kIntroText,
                     "Using the Button Entry method to record details of a day, you will need "
                     "headings for the various things you wish to allocate scores to.",
                     33, 12, 363, 18),
                Text(kHowToText,
                     "Just type in your preferred headings in the six boxes as shown in the example "
                     "below.\nEntries must be made in all 6 boxes.\nYou can change the headings at "
                     "any time using this option.",
                     34, 33, 363, 29),
            }};
}

framework::DialogTemplate ButtonEntryHelp() {
    using namespace button_entry_help_ids;
    return {.id = kButtonEntryHelpDialog, .caption = "Help on using Button Entries",
            .x = 0, .y = 0, .width = 392, .height = 318,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kCloseButton, "Close", 335, 293, 50, 14),
                Picture(kPicture, kButtonEntryPicture, 25, 59, 343, 226,
                        "Example: a button entry with a score chosen for each heading"),
                Text(kIntroText,
                     "Button Entries form a quick way to report on the day, but you must first setup "
                     "the subject headings on which you wish to report.\nTo do this select 'Set "
                     "Headings' from the Setup menu.  For further help see Help Menu",
                     17, 9, 348, 25),
                Text(kHowToText,
                     "When using Button Entry, all you need to do is click the appropriate score for "
                     "that day as shown in the example below.",
                     18, 37, 361, 23),
            }};
}

framework::DialogTemplate TextEntryHelp() {
    using namespace text_entry_help_ids;
    return {.id = kTextEntryHelpDialog, .caption = "Help with Text Entries",
            .x = 0, .y = 0, .width = 455, .height = 290,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = true, .closeDisabled = false,
            .controls = {
                Button(kCloseButton, "Close", 390, 267, 50, 14),
                Picture(kPicture, kTextEntryPicture, 20, 31, 411, 230,
                        "Example: a text entry with its summary, note and score"),
                Text(kIntroText,
                     "Text Entries allow you to make a multiline comment on the day, plus a short "
                     "note on the most important event of that day.\nThe Buttons allow you to enter "
                     "a general score, out of ten, for the day.",
                     27, 13, 408, 19),
                Text(kPictureCaption, "The picture shows a typical entry and score.", 144, 268, 152, 14),
            }};
}

}  // namespace

void AddHelpTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back(AboutBox());
    dialogs.push_back(GeneralHelp());
    dialogs.push_back(HeadingsHelp());
    dialogs.push_back(ButtonEntryHelp());
    dialogs.push_back(TextEntryHelp());
}

// clang-format on
}  // namespace resources
