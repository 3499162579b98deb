// chart: the scores of the entries in a date range, drawn to SVG or PNG.
#include <cctype>
#include <optional>

#include "store/Diary.h"
#include "tool/ChartData.h"
#include "tool/ChartDrawing.h"
#include "tool/Commands.h"
#include "tool/EntryFields.h"
#include "tool/GuiApplication.h"
#include "tool/OutputFile.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

std::optional<ChartFormat> FormatOfPath(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == path.npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "svg") return ChartFormat::kSvg;
    if (extension == "png") return ChartFormat::kPng;
    return std::nullopt;
}

}  // namespace

int RunChart(const ToolContext& context) {
    if (!context.Has("-o")) {
        return context.Fail(kExitUserError, "chart", "needs -o FILE.svg or FILE.png (or -o -)");
    }
    const std::string path = context.Value("-o");
    const std::optional<ChartFormat> format =
        FormatOfPath(context.Has("--format") ? "." + context.Value("--format") : path);
    if (!format) {
        return context.Fail(kExitUserError, context.Has("--format") ? "--format" : path,
                            context.Has("--format")
                                ? "give svg or png"
                                : "the chart's file must end in .svg or .png, or --format "
                                  "svg or png must be given");
    }
    if (!OutputIsStandard(context)) {
        if (int status = CheckOutputPath(context, path)) return status;
    }
    listing::ReportRequest request;
    if (int status = ReadRequest(context, &request)) return status;
    if (int status = RequireDiary(context)) return status;
    std::vector<store::TEntryRecord> entries;
    const platform::Status read =
        ReadSelectedEntries(context.dataDir, listing::MakeCriteria(request), &entries);
    if (!read.ok()) {
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir), read);
    }
    const KnownHeadings known = HeadingsFromSettings();
    const ChartData data = MakeChartData(entries, &known);
    if (data.empty()) {
        return context.Fail(kExitUserError, "chart",
                            "no entry in the range has a score; nothing was drawn");
    }
    GuiApplicationForRun application;
    std::string bytes;
    if (platform::Status drawn = DrawChart(data, *format, &bytes); !drawn.ok()) {
        return context.Fail(kExitFileError, path, drawn.message());
    }
    return WriteOutput(context, bytes);
}

}  // namespace tool
