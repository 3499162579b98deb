// export: the entries the reports dialog would list, as CSV, JSON or
// Markdown, to the standard output or to a file written whole.
#include <ostream>

#include "platform/CodePage.h"
#include "session/NoteTitle.h"
#include "store/Diary.h"
#include "tool/Commands.h"
#include "tool/EntryFields.h"
#include "tool/ExportFormats.h"
#include "tool/OutputFile.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

std::string Format(ExportFormat format, const std::vector<store::TEntryRecord>& entries,
                   const listing::ReportRequest& request, const listing::ReportCriteria& criteria,
                   const ExportOptions& options) {
    switch (format) {
        case ExportFormat::kCsv:
            return FormatCsv(entries, options);
        case ExportFormat::kJson:
            return FormatJson(entries, options);
        case ExportFormat::kMarkdown:
            break;
    }
    const ExportTitle title{
        request.startText.empty() ? std::string(listing::kFirstDiaryDate) : request.startText,
        request.endText.empty() ? request.todayShortDate : request.endText,
        platform::Cp1252ToUtf8(criteria.searchWord)};
    return FormatMarkdown(entries, title, options);
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
    if (context.Has("--csv-safe") && *format != ExportFormat::kCsv) {
        return context.Fail(kExitUserError, "--csv-safe", "goes only with --format csv");
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
    ExportOptions options;
    options.known = HeadingsFromSettings();
    options.csvSafe = context.Has("--csv-safe");
    options.noteTitle = platform::Cp1252ToUtf8(session::StoredNoteTitle());
    return WriteOutput(context, Format(*format, entries, request, criteria, options));
}

}  // namespace tool
