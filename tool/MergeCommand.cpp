// merge: another copy of the diary folded into this one, whole or not at
// all, after a version of this one is kept.
#include <filesystem>
#include <ostream>

#include "store/Diary.h"
#include "store/Replace.h"
#include "store/Versions.h"
#include "tool/Check.h"
#include "tool/Commands.h"
#include "tool/Merge.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

// Why the other file cannot be merged, or empty when it can: it must be
// whole records of the diary's format, every text and stamp terminated and
// every date one a diary holds. (Text entries out of date order are
// merged: the merge puts them in order.)
std::string WhyNotADiary(const DiaryCheck& check) {
    const auto found = [&](ProblemKind kind) {
        return check.found[static_cast<std::size_t>(kind)] > 0;
    };
    if (found(ProblemKind::kFragment)) {
        return "its size is not a whole number of 534-byte records, so it is damaged or not "
               "a Jotwel diary";
    }
    if (found(ProblemKind::kTextUnterminated) || found(ProblemKind::kStampUnterminated)) {
        return "it holds records whose text or stamp has no end, so it is damaged or not a "
               "Jotwel diary";
    }
    if (found(ProblemKind::kKeyOutOfRange)) {
        return "it holds records dated outside 2005 to 2038, so it is damaged or not a Jotwel "
               "diary";
    }
    return {};
}

void Tell(const ToolContext& context, const MergePlan& plan, const std::string& other,
          bool dryRun) {
    std::ostream& out = context.out;
    const auto entries = [](std::size_t n) {
        return std::to_string(n) + (n == 1 ? " entry" : " entries");
    };
    out << (dryRun ? "Would add " : "Added ") << entries(plan.added.size()) << " from " << other
        << (plan.added.empty() ? ".\n" : ":\n");
    for (const auto& record : plan.added) out << "  " << DescribeRecord(record) << "\n";
    out << "Only in this diary: " << entries(plan.onlyMine.size())
        << (plan.onlyMine.empty() ? ".\n" : ":\n");
    for (const auto& record : plan.onlyMine) out << "  " << DescribeRecord(record) << "\n";
    if (!plan.differing.empty()) {
        out << "Entries of the same time that differ (both " << (dryRun ? "would be" : "are")
            << " kept): " << plan.differing.size() << "\n";
        for (const auto& [ours, theirs] : plan.differing) {
            out << "  this diary:  " << DescribeRecord(ours) << "\n"
                << "  the other:   " << DescribeRecord(theirs) << "\n";
        }
    }
    out << "In both: " << entries(plan.shared) << ".\n";
}

int ReadBoth(const ToolContext& context, const std::string& other,
             std::vector<store::TEntryRecord>* mine, std::vector<store::TEntryRecord>* theirs) {
    const DiaryCheck check = CheckDiaryFile(other);
    if (!check.status.ok()) return context.FailFile(kExitFileError, other, check.status);
    if (const std::string why = WhyNotADiary(check); !why.empty()) {
        context.Fail(kExitFileError, other, why + " (jotwel-tool check tells more)");
        context.err << "Nothing merged.\n";
        return kExitFileError;
    }
    if (platform::Status read = ReadDiaryFile(other, theirs); !read.ok()) {
        return context.FailFile(kExitFileError, other, read);
    }
    const std::string diary = store::DiaryPath(context.dataDir);
    if (platform::Status read = ReadDiaryFile(diary, mine); !read.ok() && read.code() != ENOENT) {
        return context.FailFile(kExitFileError, diary, read);
    }
    return kExitOk;
}

}  // namespace

int RunMerge(const ToolContext& context) {
    if (context.operands.empty()) {
        return context.Fail(kExitUserError, "merge", "needs the diary file to merge (OTHER.dat)");
    }
    const std::string other = context.operands.front();
    const std::string diary = store::DiaryPath(context.dataDir);
    std::error_code ignored;
    if (std::filesystem::equivalent(other, diary, ignored)) {
        return context.Fail(kExitUserError, other, "is this diary itself; nothing to merge");
    }
    if (!std::filesystem::is_regular_file(other, ignored)) {
        return context.Fail(
            kExitUserError, other,
            std::filesystem::exists(other, ignored) ? "is not a plain file" : "no such file");
    }
    std::vector<store::TEntryRecord> mine, theirs;
    if (int status = ReadBoth(context, other, &mine, &theirs)) return status;
    const bool dryRun = context.Has("--dry-run");
    MergePlan plan = PlanMerge(mine, theirs);
    if (dryRun || plan.AddsNothing()) {
        Tell(context, plan, other, dryRun);
        if (!dryRun) context.out << "Nothing to add: the diary is unchanged.\n";
        return kExitOk;
    }
    std::string version;
    if (platform::Status kept = store::KeepVersionBeforeChange(
            context.dataDir, store::DiaryChange::kDeletion, &version);
        !kept.ok() && version.empty()) {
        context.Fail(kExitFileError, store::VersionsPath(context.dataDir),
                     "a version of the diary could not be kept: " + kept.message());
        context.err << "Nothing merged.\n";
        return kExitFileError;
    }
    // Planned again inside the rebuild, from the diary as it then stands.
    const auto rewrite = [&](const std::vector<store::TEntryRecord>& current,
                             std::vector<store::TEntryRecord>* next) {
        plan = PlanMerge(current, theirs);
        *next = plan.merged;
        return platform::Status::Ok();
    };
    bool inPlace = false;
    const platform::Status merged = store::RewriteDiary(context.dataDir, rewrite, &inPlace);
    if (!inPlace) {
        context.FailFile(kExitFileError, diary, merged);
        context.err << "Nothing merged.\n";
        return kExitFileError;
    }
    Tell(context, plan, other, false);
    if (!version.empty()) {
        context.out << "The diary as it was is kept as the version " << version << ".\n";
    }
    if (!merged.ok()) {
        return context.Fail(kExitFileError, diary,
                            "merged, but the disk did not confirm it: " + merged.message());
    }
    return kExitOk;
}

}  // namespace tool
