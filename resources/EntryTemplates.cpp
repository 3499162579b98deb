// Templates 1, 4 and 12: text entry, button entry and special date.
#include <string>

#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate TextEntry() {
    using namespace text_entry_ids;
    framework::DialogTemplate dialog{
        .id = kTextEntryDialog, .caption = "Yesterday's Events Entry",
        .x = 0, .y = 0, .width = 409, .height = 211,
        .fontFace = "MS Sans Serif", .fontPoints = 8,
        .contextHelp = false, .closeDisabled = false,
        .controls = {
            Edit(kSummaryBox, 49, 57, 310, 46, kTabStop | kBorder | kMultiLine | kWantReturn),
            Edit(kNoteBox, 132, 128, 144, 14),
            Text(kDayHeading, "Text1", 10, 3, 157, 12),
            Button(kHelpButton, "Help", 17, 187, 51, 14),
            Text(kNoteTitleLabel, "Most Memorable Event", 167, 142, 75, 9),
            Button(kCancelButton, "Cancel", 80, 187, 50, 14),
            Button(kOkButton, "OK", 335, 187, 50, 14),
        }};
    for (int k = 0; k <= 9; ++k) {
        dialog.controls.push_back(Radio(ScoreButton(k), std::to_string(k), 69 + 27 * k, 162, 17, 8,
                                        kTabStop | kLeftText));
    }
    dialog.controls.push_back(Radio(ScoreButton(10), "10", 341, 162, 23, 9, kTabStop | kLeftText));
    for (auto control : {
             Text(kScoreCaption, "Score out of 10 considering everything.", 146, 173, 130, 10),
             Check(kTodayBox, "", 131, 24, 12, 11, kTabStop | kPushLike, "Entry for today"),
             Text(kTodayLabel, "Text4", 151, 25, 168, 8),
             Button(kSwitchButton, "Button Entry", 247, 8, 48, 10),
             Text(kSummaryCaption, "Summary of all Events (Max 500 characters)", 124, 106, 150, 9),
             Check(kOtherDateBox, "", 131, 38, 12, 11, kTabStop | kPushLike, "Entry for another past date"),
             Text(kOtherDateLabel, "I wish to make an entry for some other past date", 152, 38, 159, 11),
         }) {
        dialog.controls.push_back(control);
    }
    return dialog;
}

framework::DialogTemplate ButtonEntry() {
    using namespace button_entry_ids;
    framework::DialogTemplate dialog{
        .id = kButtonEntryDialog, .caption = "Button  Entry",
        .x = 0, .y = 0, .width = 341, .height = 209,
        .fontFace = "MS Sans Serif", .fontPoints = 8,
        .contextHelp = false, .closeDisabled = false,
        .controls = {
            Button(kOkButton, "OK", 265, 184, 50, 14),
            Button(kCancelButton, "Cancel", 204, 184, 50, 14),
            Button(kHelpButton, "Help", 33, 185, 50, 14),
        }};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c <= 10; ++c) {
            const std::uint32_t style = kTabStop | (c == 0 ? kGroup : kNoStyle);
            const std::string name =
                "Heading " + std::to_string(r + 1) + " score " + std::to_string(c);
            dialog.controls.push_back(
                Radio(ScoreButton(r, c), "", 130 + 14 * c, 58 + 14 * r, 10, 10, style, name));
        }
    }
    const int headingY[6] = {59, 73, 88, 101, 116, 129};
    dialog.controls.push_back(Text(
        kScaleLabel, " 0     1     2    3      4     5     6     7     8      9    10", 129, 142, 150, 10));
    dialog.controls.push_back(Text(kScoreCaption, "Score out of 10", 170, 154, 58, 10));
    for (int r = 0; r < 6; ++r) {
        dialog.controls.push_back(Text(SubjectLabel(r), "", 21, headingY[r], 103, 7, kRight));
    }
    for (auto control : {
             Text(kExpectationsCaption, "Score as relevant to expectations", 144, 163, 111, 12),
             Text(kDayHeading, "", 81, 17, 200, 12),
             Check(kTodayBox, "", 145, 36, 14, 10, kTabStop | kPushLike, "Entry for today"),
             Text(kTodayLabel, "", 166, 37, 123, 9),
             Button(kSwitchButton, "Text Entry", 13, 8, 50, 10),
         }) {
        dialog.controls.push_back(control);
    }
    return dialog;
}

framework::DialogTemplate SpecialDate() {
    using namespace other_date_ids;
    return {.id = kOtherDateDialog, .caption = "Special Date",
            .x = 0, .y = 0, .width = 247, .height = 85,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = false, .closeDisabled = false,
            .controls = {
                Edit(kDateBox, 78, 15, 71, 15),
                Text(kPromptLabel, "Enter the date for which you wish to make the entry", 37, 34, 166, 9),
                Text(kFormatLabel, "dd/mm/yy", 97, 46, 39, 9),
                Button(kOkButton, "OK", 184, 58, 50, 14),
                Button(kCancelButton, "Cancel", 12, 59, 50, 14),
            }};
}

}  // namespace

void AddEntryTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back(TextEntry());
    dialogs.push_back(ButtonEntry());
    dialogs.push_back(SpecialDate());
}

// clang-format on
}  // namespace resources
