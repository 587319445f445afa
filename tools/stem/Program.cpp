// stem: the plug-ins' logic on the command line. Dispatches to one command per file, and prints
// the help.
#include <string>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "ProductVersion.h"
#include "platform/HostSupport.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

const Command* const Commands[] = {
    &RenderCommand, &CalendarCommand, &PressCommand, &CheckCommand,
    &BatchCommand,  &TokensCommand,   &RulesCommand,
};

// Where PrintUtf8 writes while RunCaptured runs a command; null: standard output.
std::string* gatheredOutput = nullptr;

// What every command's help ends with; the option of the Linux build only where it is taken.
std::string CommonNotes()
{
    std::string notes =
        "MOMENT is a local time written YYYY-MM-DDThh:nn:ss or YYYY-MM-DDThh:nn:ss.zzz,\n"
        "or YYYY-MM-DD alone for its midnight.\n"
        "Output is UTF-8, in English. Bad arguments end with a message and exit status 2.\n"
        "/? asks for help as --help does.\n";
    if (CodePageIsChosen())
        notes += "render, press and check take --code-page 65001 or 1252 to show what the\n"
                 "plug-ins do where Windows' ANSI code page is UTF-8, or on an English system\n"
                 "(default 932, a Japanese one).\n";
    return notes;
}

// The command's usage line, then its summary and example indented by two spaces.
std::string CommandHelp(const Command& command)
{
    std::string text = std::string("stem ") + command.name;
    if (*command.usage != '\0')
        text += std::string(" ") + command.usage;
    if (command.moment == TakesMoment::Yes)
        text += " [--at MOMENT]";

    text += "\n";
    for (const std::string& line : SplitLines(command.summary, LineBreaks::LfOnly))
        text += "  " + line + "\n";
    return text + "  Example: " + command.example + "\n";
}

std::string HelpText()
{
    std::string text = std::string("Usage: stem COMMAND [ARGUMENTS]\n"
                                   "       stem COMMAND --help   that command's help\n"
                                   "       stem --version        the version\n") +
                       CommonNotes();
    for (const Command* command : Commands)
        text += "\n" + CommandHelp(*command);
    return text;
}

// "--help", "-h", or "/?" as Windows programs take it.
bool IsHelpWord(const std::string& word)
{
    return word == "--help" || word == "-h" || word == "/?";
}

// A help word among the options of a command line; after "--" every word is an argument.
bool AsksForHelp(const std::vector<std::string>& words)
{
    for (const std::string& word : words) {
        if (word == "--")
            return false;
        if (IsHelpWord(word))
            return true;
    }
    return false;
}

std::string UsageMessage(const UsageError& error)
{
    return std::string("stem: ") + error.what() + "\n";
}

const Command* FindCommand(const std::string& name)
{
    for (const Command* command : Commands)
        if (name == command->name)
            return command;
    return nullptr;
}

int Run(const std::vector<std::string>& words)
{
    if (words.empty())
        throw UsageError("no command given; 'stem --help' lists the commands");
    const std::string& name = words[0];
    if (IsHelpWord(name) || name == "help")
        return PrintUtf8(HelpText());
    if (name == "--version")
        return PrintUtf8("stem " STEM_VERSION_TEXT "\n");
    const Command* command = FindCommand(name);
    if (command == nullptr)
        throw UsageError("unknown command '" + Printable(name) +
                         "'; 'stem --help' lists the commands");
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (AsksForHelp(arguments))
        return PrintUtf8(CommandHelp(*command) + "\n" + CommonNotes());
    // Each command of a batch runs on its own page, 932 unless it asks for another.
    UseCodePage(command->codePage == TakesCodePage::Yes ? TakeCodePage(arguments) : std::nullopt);
    return command->run(arguments);
}

}  // namespace

int PrintUtf8(const std::string& text)
{
    if (gatheredOutput != nullptr) {
        *gatheredOutput += text;
        return 0;
    }
    return platform::WriteStandardOutput(text) ? 0 : 1;
}

CommandResult RunCaptured(const std::vector<std::string>& words)
{
    CommandResult result{0, "", ""};
    // Restores the outer destination however the command ends.
    struct Gathering {
        std::string* const outer = gatheredOutput;
        explicit Gathering(std::string& into) { gatheredOutput = &into; }
        ~Gathering() { gatheredOutput = outer; }
    } gathering(result.output);
    try {
        result.status = Run(words);
    } catch (const UsageError& error) {
        result.status = UsageStatus;
        result.error = UsageMessage(error);
    }
    return result;
}

int RunStem(const std::vector<std::string>& words)
{
    try {
        return Run(words);
    } catch (const UsageError& error) {
        platform::WriteStandardError(UsageMessage(error));
        return UsageStatus;
    }
}

}  // namespace stem
