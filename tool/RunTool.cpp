// The command line: which command, its options and the folder, then the
// command's run. Help texts live beside the table of commands.
#include "tool/RunTool.h"

#include <cerrno>
#include <iostream>
#include <optional>
#include <string_view>

#include "platform/Env.h"
#include "tool/Commands.h"

namespace tool {
namespace {

// The version of the program, as the build gives it.
#ifndef JOTWEL_VERSION
#error "the build gives the program's version as JOTWEL_VERSION"
#endif
constexpr std::string_view kVersion = JOTWEL_VERSION;

struct KnownOption {
    std::string_view name;  // as stored in ToolContext::options
    bool takesValue = false;
    std::string_view alias = {};
};

struct KnownCommand {
    std::string_view name;
    std::string_view help;
    std::vector<KnownOption> options;  // besides --dir and --help
    std::size_t operands = 0;          // the most arguments besides options
    int (*run)(const ToolContext&) = nullptr;
};

constexpr std::string_view kProgramHelp =
    "Usage: jotwel-tool [--dir DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Works on the Jotwel diary (Jotwel.dat) in DIR, the current directory\n"
    "unless --dir is given, and its kept versions. Texts come out as UTF-8.\n"
    "\n"
    "Commands:\n"
    "  list        the lines the reports dialog lists for a range and a word\n"
    "  export      the entries as CSV, JSON or Markdown\n"
    "  chart       a chart of the scores over time, as SVG or PNG\n"
    "  check       look the diary file over for damage\n"
    "  versions    the kept versions of the diary\n"
    "  restore     put a kept version back in place of the diary\n"
    "  edit        change an entry in a text editor\n"
    "  pdf         the listing of a date range as a PDF file, laid out for print\n"
    "  merge       fold another copy of the diary into this one\n"
    "  remind      a daily reminder to make the day's entry\n"
    "  autostart   start Jotwel at log-on, or not\n"
    "\n"
    "\"jotwel-tool COMMAND --help\" tells more about a command;\n"
    "\"jotwel-tool --version\" tells the version.\n"
    "\n"
    "Example:\n"
    "  jotwel-tool --dir ~/Jotwel export --format csv -o diary.csv\n"
    "\n"
    "Exit status: 0 done; 1 a mistake on the command line, no diary in the\n"
    "folder, an edit, merge or restore declined or refused; 2 a damaged or\n"
    "unreadable file, or an output file that could not be written.\n";

#define JOTWEL_RANGE_HELP                                                \
    "  --from dd/mm/yy   the first day (default 01/01/05)\n"             \
    "  --to dd/mm/yy     the last day (default today); days are local\n" \
    "                    days, typed as in the reports dialog (7/3/9,\n" \
    "                    07/03/09 and 07/03/2009 are one day) or as\n"   \
    "                    yyyy-mm-dd (2009-03-07)\n"
#define JOTWEL_SEARCH_HELP                                                  \
    "  --search WORD     only entries whose text holds WORD, letters A-Z\n" \
    "                    compared without regard to case (at most 23\n"     \
    "                    characters, each one the diary can hold)\n"

const std::vector<KnownCommand>& Commands() {
    static const std::vector<KnownCommand> commands = {
        {"list",
         "Usage: jotwel-tool [--dir DIR] list [--from dd/mm/yy] [--to dd/mm/yy] [--search WORD]\n"
         "\n"
         "Prints the lines the reports dialog lists for the same three fields: the\n"
         "column heading, a blank line, the search line when searching, the entries\n"
         "in the order the diary holds them (long ones folded) and a line of dashes.\n"
         "Control characters in a text are shown as \"?\".\n"
         "\n" JOTWEL_RANGE_HELP JOTWEL_SEARCH_HELP "\n"
         "Example:\n"
         "  jotwel-tool list --from 01/12/26 --search walk\n",
         {{"--from", true}, {"--to", true}, {"--search", true}},
         0,
         RunList},
        {"export",
         "Usage: jotwel-tool [--dir DIR] export --format csv|json|markdown [--from dd/mm/yy]\n"
         "                   [--to dd/mm/yy] [--search WORD] [--csv-safe] [-o FILE]\n"
         "\n"
         "Writes the entries the same options list, in the diary's order (Markdown:\n"
         "one section per day, in date order), with their kind, date, time, key,\n"
         "stamp and score, the summary and note of text entries and the headings\n"
         "and scores of button entries. A row of a button entry left unscored has\n"
         "an empty score in CSV, null in JSON and \"not scored\" in Markdown, whose\n"
         "notes carry the note title set in Jotwel.\n"
         "\n"
         "  --format FORMAT   csv (with a header row), json or markdown\n" JOTWEL_RANGE_HELP
             JOTWEL_SEARCH_HELP
         "  --csv-safe        put ' before a text cell starting with =, +, - or @,\n"
         "                    so a spreadsheet does not take it for a formula\n"
         "  -o, --output FILE write to FILE, whole or not at all; a pipe or device is\n"
         "                    written to as it is; - or no -o: the standard output\n"
         "\n"
         "Example:\n"
         "  jotwel-tool export --format csv --csv-safe --from 01/01/26 -o 2026.csv\n",
         {{"--format", true},
          {"--from", true},
          {"--to", true},
          {"--search", true},
          {"--csv-safe", false},
          {"-o", true, "--output"}},
         0,
         RunExport},
        {"chart",
         "Usage: jotwel-tool [--dir DIR] chart [--from dd/mm/yy] [--to dd/mm/yy]\n"
         "                   [--format svg|png] -o FILE\n"
         "\n"
         "Draws the scores over time: the overall score of text entries and each\n"
         "button heading, by day, week and month, one panel each with its own date\n"
         "labels; a row left unscored is a gap. FILE ends in .svg or .png, or\n"
         "--format says which (needed with -o -, the standard output). Needs no\n"
         "display.\n"
         "\n" JOTWEL_RANGE_HELP "  --format FORMAT   svg or png, whatever FILE ends in\n"
         "  -o, --output FILE the chart's file (.svg or .png), or - for the\n"
         "                    standard output\n"
         "\n"
         "Example:\n"
         "  jotwel-tool chart --from 01/10/26 -o autumn.png\n",
         {{"--from", true}, {"--to", true}, {"--format", true}, {"-o", true, "--output"}},
         0,
         RunChart},
        {"check",
         "Usage: jotwel-tool [--dir DIR] check\n"
         "\n"
         "Looks the diary file over and names each record that is wrong: a size\n"
         "that is not whole records, a hold file left over from an interrupted\n"
         "change, texts or stamps without their terminator, text entries out of\n"
         "date order, dates outside 2005-2038. Exit status 0 when it finds nothing,\n"
         "2 when it does or cannot read the file.\n"
         "\n"
         "Example:\n"
         "  jotwel-tool --dir ~/Jotwel check\n",
         {},
         0,
         RunCheck},
        {"versions",
         "Usage: jotwel-tool [--dir DIR] versions\n"
         "\n"
         "Lists the versions of the diary Jotwel keeps (before the first change of\n"
         "each day, every deletion, edit, merge and restore), oldest first, with\n"
         "when each was made, its size and its number of entries.\n"
         "\n"
         "Example:\n"
         "  jotwel-tool versions\n",
         {},
         0,
         RunVersions},
        {"restore",
         "Usage: jotwel-tool [--dir DIR] restore VERSION [--yes]\n"
         "\n"
         "Puts the kept version VERSION (a name \"jotwel-tool versions\" lists) in\n"
         "place of the diary, after keeping the diary as it is now as a version.\n"
         "Only a plain file in the versions folder is taken, never a link. Asks\n"
         "first.\n"
         "\n"
         "  --yes             do not ask\n"
         "\n"
         "Example:\n"
         "  jotwel-tool restore Jotwel-2026-12-06-081500.dat\n",
         {{"--yes", false}},
         1,
         RunRestore},
        {"edit",
         "Usage: jotwel-tool [--dir DIR] edit DATE | --key KEY\n"
         "\n"
         "Opens the entry of the day DATE (dd/mm/yy) in your editor ($VISUAL, else\n"
         "$EDITOR, else vi) as a small form: the score, the note and the summary of\n"
         "a text entry, or the six scores of a button entry (0 to 10, or - for a\n"
         "row not scored). When the day has more than one entry, their keys are\n"
         "listed: give the one to edit with --key. What comes back is checked (the\n"
         "characters the diary can hold, lengths, scores); a mistake is named by\n"
         "its line and you may edit again. The diary is kept as a version, then\n"
         "the entry is replaced, with the same key and stamp, whole or not at all.\n"
         "Leaving the editor without a change changes nothing. Close Jotwel first.\n"
         "\n"
         "  --key KEY         the entry with this key (export and edit show keys)\n"
         "\n"
         "Example:\n"
         "  jotwel-tool edit 06/12/26\n",
         {{"--key", true}},
         1,
         RunEdit},
        {"pdf",
         "Usage: jotwel-tool [--dir DIR] pdf [--from dd/mm/yy] [--to dd/mm/yy]\n"
         "                   [--search WORD] -o FILE.pdf\n"
         "\n"
         "Writes the listing the reports dialog makes for the same three fields as\n"
         "one PDF, laid out as Jotwel prints it: the column heading, then the\n"
         "entries, 60 lines a page, with page numbers. Written whole or not at all.\n"
         "\n" JOTWEL_RANGE_HELP JOTWEL_SEARCH_HELP
         "  -o, --output FILE the PDF file, or - for the standard output\n"
         "\n"
         "Example:\n"
         "  jotwel-tool pdf --from 01/11/26 --to 30/11/26 -o november.pdf\n",
         {{"--from", true}, {"--to", true}, {"--search", true}, {"-o", true, "--output"}},
         0,
         RunPdf},
        {"merge",
         "Usage: jotwel-tool [--dir DIR] merge OTHER.dat [--dry-run]\n"
         "\n"
         "Folds another copy of the diary (a sync program's conflict copy, the\n"
         "diary from another computer) into this one: every entry of both, an\n"
         "entry the same in every field kept once; text entries in date order,\n"
         "then button entries in date order. A version of the diary is kept first.\n"
         "Tells what was added, what only this diary holds and which entries of\n"
         "the same time differ (both are kept). A damaged file, or one that is not\n"
         "a diary, is refused with the reason and nothing changes. Close Jotwel\n"
         "first.\n"
         "\n"
         "  --dry-run         tell what merging would do, change nothing\n"
         "\n"
         "Example:\n"
         "  jotwel-tool merge \"Jotwel (conflicted copy).dat\" --dry-run\n",
         {{"--dry-run", false}},
         1,
         RunMerge},
        {"remind",
         "Usage: jotwel-tool remind at HH:MM | off | status\n"
         "\n"
         "A daily reminder: at HH:MM (24-hour clock) a systemd user timer runs\n"
         "\"jotwel-launch auto\", which opens Jotwel only when today's entry has not\n"
         "been made. \"off\" removes it, \"status\" tells whether it is set and when.\n"
         "The unit files are jotwel-remind.timer and jotwel-remind.service in\n"
         "$XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user). Where no systemd\n"
         "user instance runs, it says so and changes nothing.\n"
         "\n"
         "Example:\n"
         "  jotwel-tool remind at 21:30\n",
         {},
         2,
         RunRemind},
        {"autostart",
         "Usage: jotwel-tool autostart on | off | status\n"
         "\n"
         "Starts Jotwel at log-on (\"jotwel-launch auto\": the window opens only when\n"
         "today's entry has not been made), or stops doing so: \"on\" puts the\n"
         "log-on entry jotwel-autostart.desktop in $XDG_CONFIG_HOME/autostart\n"
         "(~/.config/autostart), \"off\" removes it, \"status\" tells which.\n"
         "\n"
         "Example:\n"
         "  jotwel-tool autostart on\n",
         {},
         1,
         RunAutostart},
    };
    return commands;
}

#undef JOTWEL_RANGE_HELP
#undef JOTWEL_SEARCH_HELP

const KnownOption kDirOption{"--dir", true};

const KnownCommand* FindCommand(std::string_view name) {
    for (const KnownCommand& command : Commands()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

const KnownOption* FindOption(const KnownCommand* command, std::string_view name) {
    if (name == kDirOption.name) return &kDirOption;
    if (command == nullptr) return nullptr;
    for (const KnownOption& option : command->options) {
        if (option.name == name || (!option.alias.empty() && option.alias == name)) return &option;
    }
    return nullptr;
}

// The command line taken apart. The first mistake is kept, and reading
// goes on, so that --help anywhere still shows the help.
struct Invocation {
    const KnownCommand* command = nullptr;
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    std::string mistakeSubject;
    std::string mistake;

    void Mistake(std::string_view subject, std::string reason) {
        if (mistake.empty()) {
            mistakeSubject = subject;
            mistake = std::move(reason);
        }
    }
};

std::string SeeHelp(const KnownCommand* command) {
    return command ? "(see jotwel-tool " + std::string(command->name) + " --help)"
                   : std::string("(see jotwel-tool --help)");
}

// Takes one option (with its value) starting at args[*i].
void TakeOption(const std::vector<std::string>& args, std::size_t* i, Invocation* invocation) {
    std::string name = args[*i];
    std::optional<std::string> value;
    if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != name.npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
    }
    if (name == "--help" || name == "-h") {
        invocation->help = true;
        return;
    }
    if (name == "--version" && invocation->command == nullptr) {
        invocation->version = true;
        return;
    }
    const KnownOption* option = FindOption(invocation->command, name);
    if (option == nullptr) {
        invocation->Mistake(name, "unknown option " + SeeHelp(invocation->command));
        return;
    }
    if (option->takesValue && !value) {
        if (*i + 1 >= args.size()) {
            invocation->Mistake(name, "needs a value " + SeeHelp(invocation->command));
            return;
        }
        value = args[++*i];
    } else if (!option->takesValue && value) {
        invocation->Mistake(name, "takes no value");
        return;
    }
    if (!invocation->options.emplace(option->name, value.value_or("")).second) {
        invocation->Mistake(name, "given more than once");
    }
}

Invocation Parse(const std::vector<std::string>& args) {
    Invocation invocation;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            TakeOption(args, &i, &invocation);
        } else if (invocation.command == nullptr) {
            invocation.command = FindCommand(arg);
            if (invocation.command == nullptr) {
                invocation.Mistake(arg, "unknown command (see jotwel-tool --help)");
            }
        } else if (invocation.operands.size() < invocation.command->operands) {
            invocation.operands.push_back(arg);
        } else {
            invocation.Mistake(arg, "unexpected argument " + SeeHelp(invocation.command));
        }
    }
    return invocation;
}

// The folder to work in: --dir, or the current directory. Says why there
// is none.
int ResolveFolder(ToolContext* context) {
    platform::Env* env = platform::Env::Default();
    if (context->Has("--dir")) {
        context->dataDir = context->Value("--dir");
        if (context->dataDir.empty()) return context->Fail(kExitUserError, "--dir", "is empty");
    } else if (platform::Status status = env->GetCurrentDir(&context->dataDir); !status.ok()) {
        return context->FailFile(kExitFileError, "the current directory", status);
    }
    std::vector<std::string> names;
    const platform::Status listed = env->GetChildren(context->dataDir, &names);
    if (!listed.ok()) {
        const bool notThere = listed.code() == ENOENT || listed.code() == ENOTDIR;
        return context->FailFile(notThere ? kExitUserError : kExitFileError, context->dataDir,
                                 listed);
    }
    return kExitOk;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            std::istream& in) {
    Invocation invocation = Parse(args);
    if (invocation.help) {
        out << (invocation.command ? invocation.command->help : kProgramHelp);
        return kExitOk;
    }
    if (invocation.version && invocation.mistake.empty()) {
        out << "jotwel-tool " << kVersion << "\n";
        return kExitOk;
    }
    ToolContext context{{}, std::move(invocation.options), std::move(invocation.operands), out, err,
                        in};
    if (!invocation.mistake.empty()) {
        return context.Fail(kExitUserError, invocation.mistakeSubject, invocation.mistake);
    }
    if (invocation.command == nullptr) {
        err << "jotwel-tool: no command given " << SeeHelp(nullptr) << "\n";
        return kExitUserError;
    }
    if (invocation.command->run == RunRestore && context.operands.empty()) {
        return context.Fail(kExitUserError, invocation.command->name,
                            "needs the name of a version (jotwel-tool versions lists them)");
    }
    if (invocation.command->run == RunRemind || invocation.command->run == RunAutostart) {
        return invocation.command->run(context);  // about the user's session, not a diary
    }
    if (int status = ResolveFolder(&context)) return status;
    return invocation.command->run(context);
}

}  // namespace tool
