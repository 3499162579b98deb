// Template 2 (event reports) and template 32599 (print progress).
#include "resources/JotwelResources.h"
#include "resources/ResourceIds.h"
#include "resources/TemplateParts.h"

namespace resources {
// Template tables keep their own layout, one control to a line.
// clang-format off

using namespace parts;

namespace {

framework::DialogTemplate Reports() {
    return {kReportsDialog, "Event Reports", 0, 0, 511, 301, "MS Sans Serif", 8, false, false,
            {
                Edit(106, 254, 248, 51, 15),
                Edit(107, 254, 267, 51, 15),
                Edit(111, 59, 229, 82, 15),
                Button(2, "Close", 389, 266, 50, 14),
                Button(1, "Show Results", 317, 267, 50, 14),
                Text(103, "End Date (dd/mm/yy)", 210, 267, 40, 22),
                Text(102, "Start Date (dd/mm/yy)", 211, 244, 37, 20),
                Text(112, "Show only entries containing the above word.", 29, 247, 158, 10),
                Button(109, "Delete", 14, 270, 55, 15),
                Button(108, "Print List", 84, 271, 62, 15),
                Text(104, "Enter dates to see", 227, 226, 65, 8),
                Frame(105, 221, 220, 73, 18),
                List(101, 39, 15, 421, 201, kTabStop | kBorder | kVScroll | kNotify | kUseTabStops, "Entries found"),
                Text(110, "Text4", 352, 246, 60, 8),
            }};
}

framework::DialogTemplate PrintProgress() {
    return {kPrintProgressDialog, "Printing", 84, 51, 138, 60, "", 8, false, true,
            {
                Button(2, "Cancel", 49, 40, 40, 14),
                Text(-1, "Now printing", 33, 8, 72, 8, kCenter),
                Text(104, "Now printing Page %d", 14, 8, 84, 8),
                Text(105, "to %d of", 96, 8, 27, 8, kRight),
                Text(101, "'%s' on the", 4, 16, 130, 8, kCenter),
                Text(103, "", 0, 24, 130, 8, kCenter | kHidden),
                Text(102, "%s on %s", 0, 24, 130, 8, kCenter),
            }};
}

}  // namespace

void AddReportTemplates(std::vector<framework::DialogTemplate>& dialogs) {
    dialogs.push_back(Reports());
    dialogs.push_back(PrintProgress());
}

// clang-format on
}  // namespace resources
