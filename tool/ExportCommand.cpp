// export: the entries the reports dialog would list, as CSV, JSON or
// Markdown, to the standard output or to a file written whole.
#include <ostream>

#include "platform/CodePage.h"
#include "platform/FileCopy.h"
#include "store/Diary.h"
#include "tool/Commands.h"
#include "tool/EntryFields.h"
#include "tool/ExportFormats.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

std::string Format(ExportFormat format, const std::vector<store::TEntryRecord>& entries,
                   const listing::ReportRequest& request, const listing::ReportCriteria& criteria) {
    switch (format) {
        case ExportFormat::kCsv:
            return FormatCsv(entries);
        case ExportFormat::kJson:
            return FormatJson(entries);
        case ExportFormat::kMarkdown:
            break;
    }
    const ExportTitle title{
        request.startText.empty() ? std::string(listing::kFirstDiaryDate) : request.startText,
        request.endText.empty() ? request.todayShortDate : request.endText,
        platform::Cp1252ToUtf8(criteria.searchWord)};
    return FormatMarkdown(entries, title);
}

}  // namespace

int RunExport(const ToolContext& context) {
    if (!context.Has("--format")) {
        return context.Fail(kExitUserError, "export", "needs --format csv, json or markdown");
    }
    const std::optional<ExportFormat> format = ParseExportFormat(context.Value("--format"));
    if (!format) {
        return context.Fail(
            kExitUserError, "--format",
            "\"" + context.Value("--format") + "\" is not a format; give csv, json or markdown");
    }
    listing::ReportRequest request;
    if (int status = ReadRequest(context, &request)) return status;
    if (int status = RequireDiary(context)) return status;
    const listing::ReportCriteria criteria = listing::MakeCriteria(request);
    std::vector<store::TEntryRecord> entries;
    const platform::Status read = ReadSelectedEntries(context.dataDir, criteria, &entries);
    if (!read.ok()) {
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir), read);
    }
    const std::string text = Format(*format, entries, request, criteria);
    if (!context.Has("-o")) {
        context.out << text;
        return kExitOk;
    }
    const std::string path = context.Value("-o");
    if (int status = CheckOutputPath(context, path)) return status;
    if (platform::Status written = platform::WriteFileWhole(path, text); !written.ok()) {
        return context.FailFile(kExitFileError, path, written);
    }
    return kExitOk;
}

}  // namespace tool
