// stem: the plug-ins' logic on the command line. Dispatches to one command per file.
#include <string>

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

std::string HelpText()
{
    std::string text =
        "Usage: stem COMMAND [ARGUMENTS]\n"
        "Moments are local times written YYYY-MM-DDThh:nn:ss or YYYY-MM-DDThh:nn:ss.zzz.\n"
        "Output is UTF-8. Bad arguments end with a message and exit status 2.\n";
    for (const Command* command : Commands) {
        text += std::string("\nstem ") + command->name;
        if (*command->usage != '\0')
            text += std::string(" ") + command->usage;
        if (command->moment == TakesMoment::Yes)
            text += std::string(" [--at ") + MomentForm + "]";
        text += "\n";
        text += command->summary;
        text += std::string("\n  Example: ") + command->example + "\n";
    }
    return text;
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
    if (name == "--help" || name == "-h" || name == "help")
        return PrintUtf8(HelpText());
    const Command* command = FindCommand(name);
    if (command == nullptr)
        throw UsageError("unknown command '" + Printable(name) +
                         "'; 'stem --help' lists the commands");
    return command->run(std::vector<std::string>(words.begin() + 1, words.end()));
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

}  // namespace stem

int main(int argc, char** argv)
{
    using namespace stem;
    try {
        return Run(platform::ProgramArguments(argc, argv));
    } catch (const UsageError& error) {
        platform::WriteStandardError(UsageMessage(error));
        return UsageStatus;
    }
}
