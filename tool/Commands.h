#pragma once
// The commands of jotwel-tool and what they share: the folder worked on,
// the options given, the streams, and the checks each reader of the diary
// makes before it reads.

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "listing/Report.h"
#include "platform/Status.h"

namespace tool {

struct ToolContext {
    std::string dataDir;  // the diary's folder, as given or the current one
    // The options given, by name ("--from", "-o"); flags have an empty value.
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;  // arguments that are not options
    std::ostream& out;
    std::ostream& err;
    std::istream& in;

    bool Has(std::string_view option) const;
    // The option's value; empty when it was not given.
    std::string Value(std::string_view option) const;
    // Writes "jotwel-tool: subject: reason" to err; returns exitStatus.
    int Fail(int exitStatus, std::string_view subject, std::string_view reason) const;
    // The same for a failed file operation on path, with the reason taken
    // from why (the system's error text when there is one).
    int FailFile(int exitStatus, std::string_view path, const platform::Status& why) const;
};

// The report request made of --from, --to and --search, as the reports
// dialog makes it of its three fields (today from the Env's clock). Dates
// are taken as the dialog takes them (dates::ReadTypedDate: 7/3/9,
// 07/03/09 and 07/03/2009 are one day) and also as yyyy-mm-dd; a blank date
// stands for the default day, as a blank field does. The search word must be
// one the diary's character set can hold, of at most listing::kTypedTextLimit
// bytes. On a bad value says why and returns kExitUserError; otherwise
// kExitOk.
int ReadRequest(const ToolContext& context, listing::ReportRequest* request);

// A date written yyyy-mm-dd (month and day of one or two digits) as the
// reports dialog's field takes it, d/m/yyyy; any other text unchanged.
std::string TypedFormOfDate(std::string_view text);

// kExitOk when the folder holds a diary file; otherwise says so, naming the
// path, and returns kExitUserError. With warnOfFragment, warns (on err)
// when the diary ends in a fragment, which readers skip.
int RequireDiary(const ToolContext& context, bool warnOfFragment = true);

// The report the reports dialog would form for the command's --from, --to
// and --search (ReadRequest, RequireDiary, listing::CollectReport). Nothing
// is given from a diary that failed part way, since a listing that stops
// short would pass for the whole: that failure is told and kExitFileError
// returned.
int CollectRequestedReport(const ToolContext& context, listing::ReportResult* report);

// kExitOk when path may be written as a command's output: not empty, and
// neither the diary nor a kept version (writing there would lose entries).
// Otherwise says why and returns kExitUserError.
int CheckOutputPath(const ToolContext& context, const std::string& path);

int RunList(const ToolContext& context);
int RunExport(const ToolContext& context);
int RunChart(const ToolContext& context);
int RunCheck(const ToolContext& context);
int RunVersions(const ToolContext& context);
int RunRestore(const ToolContext& context);
int RunEdit(const ToolContext& context);
int RunPdf(const ToolContext& context);
int RunMerge(const ToolContext& context);
int RunRemind(const ToolContext& context);
int RunAutostart(const ToolContext& context);

}  // namespace tool
