// Template 2 (event reports) and template 32599 (print progress).
#include "framework/print/PrintProgressIds.h"
#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"
#include "resources/ids/ReportsIds.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate Reports() {
    using namespace reports_ids;
    return {.id = kReportsDialog, .caption = "Event Reports",
            .x = 0, .y = 0, .width = 511, .height = 301,
            .fontFace = "MS Sans Serif", .fontPoints = 8,
            .contextHelp = false, .closeDisabled = false,
            .controls = {
                Edit(kStartDateBox, 254, 248, 51, 15),
                Edit(kEndDateBox, 254, 267, 51, 15),
                Edit(kSearchBox, 59, 229, 82, 15),
                Button(kCloseButton, "Close", 389, 266, 50, 14),
                Button(kShowResultsButton, "Show Results", 317, 267, 50, 14),
                Text(kEndDateLabel, "End Date (dd/mm/yy)", 210, 267, 40, 22),
                Text(kStartDateLabel, "Start Date (dd/mm/yy)", 211, 244, 37, 20),
                Text(kSearchCaption, "Show only entries containing the above word.", 29, 247, 158, 10),
                Button(kDeleteButton, "Delete", 14, 270, 55, 15),
                Button(kPrintListButton, "Print List", 84, 271, 62, 15),
                Text(kDatesCaption, "Enter dates to see", 227, 226, 65, 8),
                Frame(kDatesFrame, 221, 220, 73, 18),
                List(kResultsList, 39, 15, 421, 201, kTabStop | kBorder | kVScroll | kNotify | kUseTabStops,
                     "Entries listed"),
                Text(kSpareLabel, "Text4", 352, 246, 60, 8),
            }};
}

framework::DialogTemplate PrintProgress() {
    using namespace framework::print_progress_ids;
    return {.id = framework::kPrintProgressTemplate, .caption = "Printing",
            .x = 84, .y = 51, .width = 138, .height = 60,
            .fontFace = "", .fontPoints = 8,
            .contextHelp = false, .closeDisabled = true,
            .controls = {
                Button(kCancelButton, "Cancel", 49, 40, 40, 14),
                Text(kNowPrintingLabel, "Now printing", 33, 8, 72, 8, kCenter),
                Text(kPageLabel, "Now printing Page %d", 14, 8, 84, 8),
                Text(kLastPageLabel, "to %d of", 96, 8, 27, 8, kRight),
                Text(kTitleLabel, "'%s' on the", 4, 16, 130, 8, kCenter),
                Text(kSpareLabel, "", 0, 24, 130, 8, kCenter | kHidden),
                Text(kDeviceLabel, "%s on %s", 0, 24, 130, 8, kCenter),
            }};
}

}  // namespace

void AddReportTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back(Reports());
    dialogs.push_back(PrintProgress());
}

// clang-format on
}  // namespace resources
