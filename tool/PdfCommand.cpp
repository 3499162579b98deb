// pdf: the listing of a range, laid out for print, as one PDF file.
#include "listing/Report.h"
#include "store/Diary.h"
#include "tool/Commands.h"
#include "tool/GuiApplication.h"
#include "tool/OutputFile.h"
#include "tool/PdfListing.h"
#include "tool/RunTool.h"

namespace tool {

int RunPdf(const ToolContext& context) {
    if (!context.Has("-o")) return context.Fail(kExitUserError, "pdf", "needs -o FILE.pdf");
    if (!OutputIsStandard(context)) {
        if (int status = CheckOutputPath(context, context.Value("-o"))) return status;
    }
    listing::ReportResult report;
    if (int status = CollectRequestedReport(context, &report)) return status;
    const std::span<const std::string> listed = report.ListingLines();
    const auto pages =
        PagesOf(ListingPrintLines(std::vector<std::string>(listed.begin(), listed.end())));
    GuiApplicationForRun application;
    std::string pdf;
    if (platform::Status drawn = DrawListingPdf(pages, &pdf); !drawn.ok()) {
        return context.Fail(kExitFileError, context.Value("-o"), drawn.message());
    }
    return WriteOutput(context, pdf);
}

}  // namespace tool
