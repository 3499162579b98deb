// edit: one entry changed in the user's text editor, through a form, then
// put back in its place, same key and stamp, by the store's rebuild.
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <istream>
#include <ostream>

#include "dates/DiaryDates.h"
#include "listing/Report.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/WholeFile.h"
#include "session/NoteTitle.h"
#include "store/Diary.h"
#include "store/Replace.h"
#include "store/Versions.h"
#include "tool/Commands.h"
#include "tool/EditForm.h"
#include "tool/EntryFields.h"
#include "tool/Merge.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

// The entry edit works on, and where it stands.
struct Chosen {
    store::RecordLocation location;
    EntryFields fields;
};

int TellSeveral(const ToolContext& context, const std::vector<store::RecordLocation>& found) {
    context.err << "jotwel-tool: " << context.operands.front() << ": the day has " << found.size()
                << " entries; give the one to edit with --key KEY:\n";
    for (const auto& at : found) {
        context.err << "  --key " << at.record.Key << "  " << DescribeRecord(at.record) << "\n";
    }
    return kExitUserError;
}

// Finds the one entry DATE or --key names.
int Choose(const ToolContext& context, Chosen* chosen) {
    const bool byKey = context.Has("--key");
    if (byKey == !context.operands.empty()) {
        return context.Fail(kExitUserError, "edit", "give either the day (dd/mm/yy) or --key KEY");
    }
    std::int64_t key = 0;
    if (byKey) {
        const std::string text = context.Value("--key");
        char* end = nullptr;
        errno = 0;
        key = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno != 0) {
            return context.Fail(kExitUserError, "--key", "\"" + text + "\" is not a key");
        }
    }
    listing::ReportCriteria day;
    if (!byKey) {
        // The day as the reports dialog's fields take it, or as yyyy-mm-dd.
        const std::string date = TypedFormOfDate(context.operands.front());
        const dates::TypedDate typed = dates::ReadTypedDate(date);
        if (!typed.ok) {
            return context.Fail(kExitUserError, context.operands.front(),
                                "is not a date: " + typed.problem +
                                    " (write dd/mm/yy or yyyy-mm-dd, for example 6/12/26 or "
                                    "2026-12-06)");
        }
        day = listing::MakeCriteria({date, date, "", date});
    }
    std::vector<store::RecordLocation> found;
    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(context.dataDir);
    store::TEntryRecord record;
    for (std::int64_t index = 0; store::ReadNextRecord(*reader, &record); ++index) {
        if (byKey ? record.Key == key : day.Selects(record)) found.push_back({index, record});
    }
    const platform::Status read = reader->status();
    store::CloseDiary(std::move(reader));
    if (!read.ok())
        return context.FailFile(kExitFileError, store::DiaryPath(context.dataDir), read);
    if (found.empty()) {
        return context.Fail(kExitUserError,
                            byKey ? "--key " + context.Value("--key") : context.operands.front(),
                            "no entry in the diary has it");
    }
    if (found.size() > 1) return TellSeveral(context, found);
    const KnownHeadings known = HeadingsFromSettings();
    *chosen = {found.front(), SplitEntry(found.front().record, &known)};
    return kExitOk;
}

// The command that opens the form: $VISUAL, else $EDITOR, else vi. It is
// run by the shell, as other programs run it, so it may carry options.
std::string EditorCommand() {
    for (const char* name : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "vi";
}

// Runs the editor on path and waits for it; the exit status, or -1 when it
// could not be run.
int RunEditor(const std::string& path) {
    const std::string command = EditorCommand() + " \"$1\"";
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), "sh", path.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A private file for the form, removed when done.
class FormFile {
public:
    FormFile() {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder && *folder ? folder : "/tmp") + "/jotwel-edit-XXXXXX.txt";
        const int fd = mkstemps(path_.data(), 4);  // mode 0600
        if (fd < 0) {
            path_.clear();
        } else {
            close(fd);
        }
    }
    ~FormFile() {
        if (!path_.empty()) unlink(path_.c_str());
    }
    FormFile(const FormFile&) = delete;
    FormFile& operator=(const FormFile&) = delete;

    const std::string& path() const { return path_; }
    platform::Status Write(std::string_view text) const {
        return platform::ReplaceWholeFile(*platform::Env::Default(), path_, text);
    }
    platform::Status Read(std::string* text) const {
        return platform::ReadWholeFile(*platform::Env::Default(), path_, text);
    }

private:
    std::string path_;
};

bool AnswersYes(std::istream& in, bool byDefault) {
    std::string answer;
    if (!std::getline(in, answer)) return false;
    answer.erase(std::remove_if(answer.begin(), answer.end(),
                                [](unsigned char c) { return std::isspace(c) != 0; }),
                 answer.end());
    for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (answer.empty()) return byDefault;
    return answer == "y" || answer == "yes";
}

// Lets the user edit the form until it reads back right. Returns kExitOk
// with *edited set, or an exit status having said why nothing changes
// (*unchanged when the user changed nothing).
int EditUntilRight(const ToolContext& context, const Chosen& chosen, std::string form,
                   store::TEntryRecord* edited, bool* unchanged) {
    FormFile file;
    if (file.path().empty()) {
        return context.Fail(kExitFileError, "edit", "no temporary file could be made for the form");
    }
    const std::string original = form;
    for (;;) {
        if (platform::Status written = file.Write(form); !written.ok()) {
            return context.FailFile(kExitFileError, file.path(), written);
        }
        const int status = RunEditor(file.path());
        if (status != 0) {
            context.Fail(kExitUserError, "edit",
                         "the editor (" + EditorCommand() + ") " +
                             (status < 0 ? std::string("could not be run")
                                         : "ended with status " + std::to_string(status)) +
                             "; nothing changed (set VISUAL or EDITOR to the editor to use)");
            return kExitUserError;
        }
        std::string back;
        if (platform::Status read = file.Read(&back); !read.ok()) {
            return context.FailFile(kExitFileError, file.path(), read);
        }
        std::string why;
        if (back == original) {
            *unchanged = true;
            return kExitOk;
        }
        if (ReadEditForm(back, chosen.location.record, chosen.fields, edited, &why)) {
            *unchanged = *edited == chosen.location.record;
            return kExitOk;
        }
        context.err << "jotwel-tool: the edited entry cannot be kept: " << why << "\n"
                    << "Edit it again? [Y/n] " << std::flush;
        if (!AnswersYes(context.in, true)) {
            context.err << "Nothing changed.\n";
            return kExitUserError;
        }
        form = back;
    }
}

}  // namespace

int RunEdit(const ToolContext& context) {
    if (int status = RequireDiary(context)) return status;
    Chosen chosen;
    if (int status = Choose(context, &chosen)) return status;
    std::string why;
    const std::string form = MakeEditForm(chosen.location.record, chosen.fields,
                                          platform::Cp1252ToUtf8(session::StoredNoteTitle()), &why);
    if (form.empty()) return context.Fail(kExitUserError, "edit", why);
    store::TEntryRecord edited;
    bool unchanged = false;
    if (int status = EditUntilRight(context, chosen, form, &edited, &unchanged)) return status;
    if (unchanged) {
        context.out << "No change: the entry is as it was.\n";
        return kExitOk;
    }
    std::string version;
    if (platform::Status kept = store::KeepVersionBeforeChange(
            context.dataDir, store::DiaryChange::kDeletion, &version);
        !kept.ok() && version.empty()) {
        context.Fail(kExitFileError, store::VersionsPath(context.dataDir),
                     "a version of the diary could not be kept, so the entry was not changed: " +
                         kept.message());
        return kExitFileError;
    }
    bool inPlace = false;
    const platform::Status replaced =
        store::ReplaceRecordAt(context.dataDir, chosen.location, edited, &inPlace);
    if (!inPlace) {
        context.Fail(kExitFileError, store::DiaryPath(context.dataDir),
                     "the entry was not changed: " + replaced.message());
        return kExitFileError;
    }
    context.out << "Changed the entry " << platform::Cp1252ToUtf8(edited.Stamp) << " (key "
                << edited.Key << ").\n";
    if (!version.empty()) {
        context.out << "The diary as it was is kept as the version " << version << ".\n";
    }
    if (!replaced.ok()) {
        return context.Fail(kExitFileError, store::DiaryPath(context.dataDir),
                            "changed, but the disk did not confirm it: " + replaced.message());
    }
    return kExitOk;
}

}  // namespace tool
