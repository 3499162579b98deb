// Templates 3, 6, 8, 9 and 10: the About box and the help screens.
#include "resources/JotwelResources.h"
#include "resources/ProjectInfo.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate AboutBox() {
    return {kAboutDialog, "About Jotwel", 0, 0, 240, 130, "MS Sans Serif", 8, true, false,
            {
                Button(2, "Close", 177, 106, 50, 14),
                Text(101, "Jotwel Version 3.1 (October 2011)", 35, 9, 158, 19, kCenter),
                Icon(102, 2, 12, 54, 32, 30, "Icon: an open diary and a pen"),
                Text(103, "A little Diary to Record your day", 62, 31, 108, 13, kCenter | kBorder),
                Icon(104, 3, 49, 54, 32, 30, "Icon: a closed diary with a star"),
                Icon(105, 4, 90, 55, 32, 30, "Icon: a calendar page with a tick"),
                Text(106, "Choice of Icons", 40, 83, 64, 10),
                Text(107, kHomePage, 12, 109, 123, 10, kSunken),
            }};
}

framework::DialogTemplate GeneralHelp() {
    return {
        kGeneralHelpDialog, "General Help on Jotwel", 1, 1, 436, 199, "MS Sans Serif", 8, true,
        false,
        {
            Button(2, "Close", 295, 178, 50, 14),
            Text(101,
                 "If you just want to make some brief notes on your life, this program will do just "
                 "that.\nYou can enter a few words about your day by choosing the Text Entry option, "
                 "or use the Button Entry method to enter scores for your special interests.",
                 14, 13, 407, 24),
            Text(102,
                 "You can set either entry method as default option but you can swicth between "
                 "methods my pressing the appropriate button on the Entry Screen.  You can also "
                 "choose whether the window wil expect today's or yesterday's news and, again, "
                 "switch between days with the button provided.",
                 14, 39, 408, 26),
            Text(103,
                 "The 'See Entries' option allows you to view and print entries over selected "
                 "dates.  If lines are two long, they will be split into two lines.  The second line "
                 "will be identified by being indented and preceded by '->' .",
                 14, 67, 409, 18),
            Text(104,
                 "If you would like Jotwel to start automatically each time you start your computer, "
                 "place a shortcut in your Start-Up folder with the argument 'auto' in the command "
                 "line thus\n\n                    Jotwel.exe auto",
                 14, 116, 357, 32),
            Text(105,
                 "The program will then start with your chosen entry method awaitng your completion "
                 "for the day (or yesterday - default)",
                 14, 158, 365, 19),
            Text(106,
                 "If no Start Date is entered, the listing will start with the first entry.\nIf no "
                 "End Date is entered the listing will end at 'today'.\nIf a Search Word is "
                 "enetered, only entries containing that word (case independent) wil be listed for "
                 "the dates.",
                 14, 86, 406, 28),
        }};
}

framework::DialogTemplate HeadingsHelp() {
    return {kHeadingsHelpDialog, "Help on Setting Headings for Button Entries", 0, 0, 437, 306,
            "MS Sans Serif", 8, true, false,
            {
                Button(1, "Close", 378, 282, 50, 14),
                Picture(101, kHeadingsPicture, 97, 69, 247, 201,
                        "Example: six subject headings typed in the heading boxes"),
                Text(102,
                     "Using the Button Entry method to record details of a day, you will need "
                     "headings for the various things you wish to allocate scores to.",
                     33, 12, 363, 18),
                Text(103,
                     "Just type in your preferred headings in the six boxes as shown in the example "
                     "below.\nEntries must be made in all 6 boxes.\nYou can change the headings at "
                     "any time using this option.",
                     34, 33, 363, 29),
            }};
}

framework::DialogTemplate ButtonEntryHelp() {
    return {kButtonEntryHelpDialog, "Help on using Button Entries", 0, 0, 392, 318, "MS Sans Serif",
            8, true, false,
            {
                Button(1, "Close", 335, 293, 50, 14),
                Picture(101, kButtonEntryPicture, 25, 59, 343, 226,
                        "Example: a button entry with a score chosen for each heading"),
                Text(102,
                     "Button Entries form a quick way to report on the day, but you must first setup "
                     "the subject headings on which you wish to report.\nTo do this select 'Set "
                     "Headings' from the Setup menu.  For further help see Help Menu",
                     17, 9, 348, 25),
                Text(103,
                     "When using Button Entry, all you need to do is click the appropriate score for "
                     "that day as shown in the example below.",
                     18, 37, 361, 23),
            }};
}

framework::DialogTemplate TextEntryHelp() {
    return {kTextEntryHelpDialog, "Help with Text Entries", 0, 0, 455, 290, "MS Sans Serif", 8,
            true, false,
            {
                Button(1, "Close", 390, 267, 50, 14),
                Picture(105, kTextEntryPicture, 20, 31, 411, 230,
                        "Example: a text entry with its summary, note and score"),
                Text(102,
                     "Text Entries allow you to make a multiline comment on the day, plus a short "
                     "note on the most important event of that day.\nThe Buttons allow you to enter "
                     "a general score, out of ten, for the day.",
                     27, 13, 408, 19),
                Text(103, "The picture shows a typical entry and score.", 144, 268, 152, 14),
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
