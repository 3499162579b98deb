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

struct KnownOption {
    std::string_view name;  // as stored in ToolContext::options
    bool takesValue = false;
    std::string_view alias = {};
};

struct KnownCommand {
    std::string_view name;
    std::string_view help;
    std::vector<KnownOption> options;  // besides --dir and --help
    bool takesVersion = false;         // restore's one operand
    int (*run)(const ToolContext&) = nullptr;
};

constexpr std::string_view kProgramHelp =
    "Usage: jotwel-tool [--dir DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Reads the Jotwel diary (Jotwel.dat) in DIR, the current directory unless\n"
    "--dir is given, and its kept versions. Texts come out as UTF-8.\n"
    "\n"
    "Commands:\n"
    "  list      the lines the reports dialog lists for a date range and a word\n"
    "  export    the entries as CSV, JSON or Markdown\n"
    "  chart     a chart of the scores over time, as SVG or PNG\n"
    "  check     look the diary file over for damage\n"
    "  versions  the kept versions of the diary\n"
    "  restore   put a kept version back in place of the diary\n"
    "\n"
    "\"jotwel-tool COMMAND --help\" tells more about a command.\n"
    "\n"
    "Exit status: 0 done; 1 a mistake on the command line, no diary in the\n"
    "folder or a restore declined; 2 a damaged or unreadable file, or an output\n"
    "file that could not be written.\n";

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
         "\n" JOTWEL_RANGE_HELP JOTWEL_SEARCH_HELP,
         {{"--from", true}, {"--to", true}, {"--search", true}},
         false,
         RunList},
        {"export",
         "Usage: jotwel-tool [--dir DIR] export --format csv|json|markdown [--from dd/mm/yy]\n"
         "                   [--to dd/mm/yy] [--search WORD] [-o FILE]\n"
         "\n"
         "Writes the entries the same options list, in the diary's order (Markdown:\n"
         "one section per day, in date order), with their kind, date, time, key,\n"
         "stamp and score, the summary and note of text entries and the headings\n"
         "and scores of button entries.\n"
         "\n"
         "  --format FORMAT   csv (with a header row), json or markdown\n" JOTWEL_RANGE_HELP
             JOTWEL_SEARCH_HELP
         "  -o, --output FILE write to FILE, whole or not at all (default: the\n"
         "                    standard output)\n",
         {{"--format", true},
          {"--from", true},
          {"--to", true},
          {"--search", true},
          {"-o", true, "--output"}},
         false,
         RunExport},
        {"chart",
         "Usage: jotwel-tool [--dir DIR] chart [--from dd/mm/yy] [--to dd/mm/yy] -o FILE\n"
         "\n"
         "Draws the scores over time: the overall score of text entries and each\n"
         "button heading, by day, week and month. FILE ends in .svg or .png.\n"
         "Needs no display.\n"
         "\n" JOTWEL_RANGE_HELP "  -o, --output FILE the chart's file (.svg or .png)\n",
         {{"--from", true}, {"--to", true}, {"-o", true, "--output"}},
         false,
         RunChart},
        {"check",
         "Usage: jotwel-tool [--dir DIR] check\n"
         "\n"
         "Looks the diary file over and names each record that is wrong: a size\n"
         "that is not whole records, a hold file left over from an interrupted\n"
         "change, texts or stamps without their terminator, text entries out of\n"
         "date order, dates outside 2005-2038. Exit status 0 when it finds nothing,\n"
         "2 when it does or cannot read the file.\n",
         {},
         false,
         RunCheck},
        {"versions",
         "Usage: jotwel-tool [--dir DIR] versions\n"
         "\n"
         "Lists the versions of the diary Jotwel keeps (before the first change of\n"
         "each day, every deletion and every restore), oldest first, with when\n"
         "each was made, its size and its number of entries.\n",
         {},
         false,
         RunVersions},
        {"restore",
         "Usage: jotwel-tool [--dir DIR] restore VERSION [--yes]\n"
         "\n"
         "Puts the kept version VERSION (a name \"jotwel-tool versions\" lists) in\n"
         "place of the diary, after keeping the diary as it is now as a version.\n"
         "Asks first.\n"
         "\n"
         "  --yes             do not ask\n",
         {{"--yes", false}},
         true,
         RunRestore},
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
        } else if (invocation.command && invocation.command->takesVersion &&
                   invocation.operands.empty()) {
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
    ToolContext context{{}, std::move(invocation.options), std::move(invocation.operands), out, err,
                        in};
    if (!invocation.mistake.empty()) {
        return context.Fail(kExitUserError, invocation.mistakeSubject, invocation.mistake);
    }
    if (invocation.command == nullptr) {
        err << "jotwel-tool: no command given " << SeeHelp(nullptr) << "\n";
        return kExitUserError;
    }
    if (invocation.command->takesVersion && context.operands.empty()) {
        return context.Fail(kExitUserError, invocation.command->name,
                            "needs the name of a version (jotwel-tool versions lists them)");
    }
    if (int status = ResolveFolder(&context)) return status;
    return invocation.command->run(context);
}

}  // namespace tool
