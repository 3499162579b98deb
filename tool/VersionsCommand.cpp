// versions and restore: the diary's kept versions, and putting one back.
#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

#include "store/Diary.h"
#include "store/EntryRecord.h"
#include "store/Versions.h"
#include "tool/Commands.h"
#include "tool/ExportFormats.h"
#include "tool/RestoreCheck.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

std::string Describe(const store::DiaryVersion& version, std::size_t nameWidth) {
    const std::uint64_t records = version.size / store::RecordSize;
    const std::uint64_t stray = version.size % store::RecordSize;
    std::string line = version.name;
    line.resize(std::max(nameWidth, line.size()), ' ');
    line += "  " + IsoLocalDate(version.madeAt) + " " + IsoLocalTime(version.madeAt) + "  " +
            std::to_string(version.size) + " bytes  " + std::to_string(records) +
            (records == 1 ? " entry" : " entries");
    if (stray > 0) line += " and " + std::to_string(stray) + " bytes that are not a whole record";
    return line;
}

bool IsYes(std::string answer) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    answer.erase(answer.begin(), std::find_if_not(answer.begin(), answer.end(), blank));
    answer.erase(std::find_if_not(answer.rbegin(), answer.rend(), blank).base(), answer.end());
    for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return answer == "y" || answer == "yes";
}

}  // namespace

int RunVersions(const ToolContext& context) {
    const std::string folder = store::VersionsPath(context.dataDir);
    std::vector<store::DiaryVersion> versions;
    if (platform::Status listed = store::ListVersions(context.dataDir, &versions); !listed.ok()) {
        return context.FailFile(kExitFileError, folder, listed);
    }
    if (versions.empty()) {
        context.out << "No versions of the diary are kept in " << folder << ".\n";
        return kExitOk;
    }
    std::size_t nameWidth = 0;
    for (const auto& version : versions) nameWidth = std::max(nameWidth, version.name.size());
    context.out << "Versions kept in " << folder << ", oldest first:\n";
    for (const auto& version : versions) context.out << Describe(version, nameWidth) << '\n';
    return kExitOk;
}

int RunRestore(const ToolContext& context) {
    const std::string& name = context.operands.front();
    const std::string folder = store::VersionsPath(context.dataDir);
    std::vector<store::DiaryVersion> versions;
    if (platform::Status listed = store::ListVersions(context.dataDir, &versions); !listed.ok()) {
        return context.FailFile(kExitFileError, folder, listed);
    }
    if (std::none_of(versions.begin(), versions.end(),
                     [&](const auto& version) { return version.name == name; })) {
        return context.Fail(kExitUserError, name,
                            "no such version in " + folder + " (jotwel-tool versions lists them)");
    }
    if (int status = CheckVersionFile(context, name)) return status;
    const std::string diary = store::DiaryPath(context.dataDir);
    if (!context.Has("--yes")) {
        context.err << "Replace " << diary << " with the version " << name
                    << "? The diary as it is now is kept as a version first. [y/N] " << std::flush;
        std::string answer;
        if (!std::getline(context.in, answer) || !IsYes(answer)) {
            context.err << "Nothing restored.\n";
            return kExitUserError;
        }
    }
    std::string saved;
    bool restored = false;
    const platform::Status status = store::RestoreVersion(context.dataDir, name, &saved, &restored);
    if (restored) {
        context.out << "Restored " << diary << " from the version " << name << ".\n";
    }
    if (!status.ok()) {
        // The failure may come after the copy (the folder's sync, removing
        // old versions): the message above says whether it was restored.
        context.Fail(kExitFileError, "restore", status.message());
        if (!restored) context.err << "Nothing restored.\n";
    }
    if (!saved.empty()) {
        context.out << "The diary as it was is kept as the version " << saved << ".\n";
    } else if (restored) {
        context.out << "There was no diary to keep as a version.\n";
    }
    if (!status.ok()) return kExitFileError;
    return kExitOk;
}

}  // namespace tool
