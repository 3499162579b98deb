// What every command shares: messages, the report request, the diary check.
#include <chrono>
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

// Reads one date option into *field; blank when not given.
int ReadDate(const ToolContext& context, std::string_view option, std::string* field) {
    *field = context.Value(option);
    if (!context.Has(option) || IsShortDate(*field)) return kExitOk;
    return context.Fail(
        kExitUserError, option,
        "\"" + *field + "\" is not a real day written dd/mm/yy (for example 06/12/26 or 6/12/26)");
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

bool IsShortDate(std::string_view text) {
    // Day and month of one or two digits, the year of two.
    int parts[3] = {0, 0, 0};
    std::size_t part = 0;
    std::size_t digits = 0;
    for (char c : text) {
        if (c == '/') {
            if (digits == 0 || part == 2) return false;
            ++part;
            digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 2) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else {
            return false;
        }
    }
    if (part != 2 || digits != 2) return false;
    const int yy = parts[2];
    const std::chrono::year_month_day day{std::chrono::year(yy < 50 ? 2000 + yy : 1900 + yy),
                                          std::chrono::month(static_cast<unsigned>(parts[1])),
                                          std::chrono::day(static_cast<unsigned>(parts[0]))};
    return day.ok();
}

int ReadRequest(const ToolContext& context, listing::ReportRequest* request) {
    *request = {};
    request->todayShortDate = dates::FormatShortDate(dates::CurrentInstant());
    if (int status = ReadDate(context, "--from", &request->startText)) return status;
    if (int status = ReadDate(context, "--to", &request->endText)) return status;
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
