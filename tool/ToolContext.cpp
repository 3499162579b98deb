// What every command shares: messages, the report request, the diary check.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "dates/DiaryDates.h"
#include "dates/TextOps.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "tool/Commands.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

// The dates as the reports dialog's fields would hold them, refused as the
// dialog refuses them. A blank value stands for the default day, as a blank
// field does.
int ReadDates(const ToolContext& context, listing::ReportRequest* request) {
    request->startText = TypedFormOfDate(context.Value("--from"));
    request->endText = TypedFormOfDate(context.Value("--to"));
    const std::optional<listing::DateRefusal> refusal = listing::CheckTypedDates(*request);
    if (!refusal) return kExitOk;
    const char* option = refusal->inStartDate ? "--from" : "--to";
    return context.Fail(kExitUserError, option,
                        "\"" + context.Value(option) + "\" is not a date: " + refusal->problem +
                            " (write dd/mm/yy or yyyy-mm-dd, for example 6/12/26 or 2026-12-06)");
}

int ReadSearch(const ToolContext& context, std::string* field) {
    const std::string typed = context.Value("--search");
    const std::optional<std::string> bytes = platform::Utf8ToCp1252(typed);
    if (!bytes) {
        return context.Fail(kExitUserError, "--search",
                            "\"" + typed +
                                "\" holds a character the diary cannot hold "
                                "(it keeps its texts in Windows-1252)");
    }
    if (bytes->size() > listing::kTypedTextLimit) {
        return context.Fail(kExitUserError, "--search",
                            "\"" + typed + "\" is longer than the " +
                                std::to_string(listing::kTypedTextLimit) +
                                " characters the search field takes");
    }
    if (!bytes->empty() && !dates::HasLetterOrDigit(*bytes)) {
        context.err << "jotwel-tool: --search: \"" << typed
                    << "\" holds no letter or digit, so nothing is searched for "
                       "(as in the reports dialog)\n";
    }
    *field = *bytes;
    return kExitOk;
}

}  // namespace

bool ToolContext::Has(std::string_view option) const {
    return options.find(option) != options.end();
}

std::string ToolContext::Value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? std::string() : found->second;
}

int ToolContext::Fail(int exitStatus, std::string_view subject, std::string_view reason) const {
    err << "jotwel-tool: " << subject << ": " << reason << "\n";
    return exitStatus;
}

int ToolContext::FailFile(int exitStatus, std::string_view path,
                          const platform::Status& why) const {
    return Fail(exitStatus, path, why.code() > 0 ? std::strerror(why.code()) : why.message());
}

std::string TypedFormOfDate(std::string_view text) {
    const auto digits = [](std::string_view part, std::size_t least, std::size_t most) {
        return part.size() >= least && part.size() <= most &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::size_t first = text.find('-');
    const std::size_t second = first == text.npos ? text.npos : text.find('-', first + 1);
    if (second == text.npos) return std::string(text);
    const std::string_view year = text.substr(0, first);
    const std::string_view month = text.substr(first + 1, second - first - 1);
    const std::string_view day = text.substr(second + 1);
    if (!digits(year, 4, 4) || !digits(month, 1, 2) || !digits(day, 1, 2)) {
        return std::string(text);
    }
    return std::string(day) + "/" + std::string(month) + "/" + std::string(year);
}

int ReadRequest(const ToolContext& context, listing::ReportRequest* request) {
    *request = {};
    request->todayShortDate = dates::FormatShortDate(dates::CurrentInstant());
    if (int status = ReadDates(context, request)) return status;
    if (int status = ReadSearch(context, &request->searchText)) return status;
    const listing::ReportCriteria criteria = listing::MakeCriteria(*request);
    if (criteria.startValue > criteria.endValue) {
        context.err << "jotwel-tool: the first day ("
                    << (context.Has("--from") ? request->startText : listing::kFirstDiaryDate)
                    << ") is after the last ("
                    << (context.Has("--to") ? request->endText : request->todayShortDate)
                    << "): no entry lies between them\n";
    }
    return kExitOk;
}

int RequireDiary(const ToolContext& context, bool warnOfFragment) {
    platform::Env* env = platform::Env::Default();
    const std::string path = store::DiaryPath(context.dataDir);
    if (!env->FileExists(path)) {
        return context.Fail(kExitUserError, path,
                            "no diary here (give the diary's folder with --dir DIR)");
    }
    std::uint64_t size = 0;
    if (warnOfFragment && env->GetFileSize(path, &size).ok() && size % store::RecordSize != 0) {
        context.err << "jotwel-tool: " << path << ": the last " << size % store::RecordSize
                    << " bytes are not a whole record and are left out (jotwel-tool check "
                       "tells more)\n";
    }
    return kExitOk;
}

int CollectRequestedReport(const ToolContext& context, listing::ReportResult* report) {
    listing::ReportRequest request;
    if (int status = ReadRequest(context, &request)) return status;
    if (int status = RequireDiary(context)) return status;
    *report = listing::CollectReport(context.dataDir, request);
    if (!report->diaryStatus.ok()) {
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir),
                                report->diaryStatus);
    }
    return kExitOk;
}

// Compared as files (std::filesystem::equivalent), so another spelling of
// the same path or a link to it is caught too; a path that does not exist
// yet is neither.
int CheckOutputPath(const ToolContext& context, const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty()) return context.Fail(kExitUserError, "-o", "the file name is empty");
    const fs::path output(path);
    const fs::path folder = output.has_parent_path() ? output.parent_path() : fs::path(".");
    std::error_code ignored;  // a path that cannot be looked at is not the diary
    if (fs::equivalent(output, store::DiaryPath(context.dataDir), ignored)) {
        return context.Fail(kExitUserError, path, "is the diary itself; choose another file");
    }
    if (fs::equivalent(folder, store::VersionsPath(context.dataDir), ignored)) {
        return context.Fail(kExitUserError, path,
                            "is in the folder of kept versions; choose another file");
    }
    return kExitOk;
}

}  // namespace tool
