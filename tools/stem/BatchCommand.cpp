// stem batch FILE: many command lines in one start of stem, for scripts (and the tests, which
// run hundreds of commands where starting a Windows program costs a second under Wine).
#include <string>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

// A line's words, separated by tabs; an empty line has none.
std::vector<std::string> WordsOf(const std::string& line)
{
    std::vector<std::string> words;
    if (line.empty())
        return words;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        words.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    words.push_back(line.substr(start));
    return words;
}

// The command lines of the file, each ended by LF or CR LF: a lone CR is a character of a word,
// as in a pattern given on a command line. Text after the last break is a line unless empty.
std::vector<std::string> CommandLinesOf(const std::string& text)
{
    std::vector<std::string> lines = SplitLines(text, LineBreaks::LfOnly);
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

int RunBatch(const std::vector<std::string>& words)
{
    const CommandArguments arguments = SplitArguments(words);
    RequirePositionals(arguments, {"FILE"});
    if (arguments.at)
        throw UsageError("--at belongs on the command lines in FILE");
    std::string text;
    if (platform::ReadWholeFile(WindowsPathOf(arguments.positionals[0], "FILE"), text) !=
        platform::FileStatus::Ok)
        throw UsageError("cannot read " + Printable(arguments.positionals[0]));
    int number = 0;
    int status = 0;
    for (const std::string& line : CommandLinesOf(text)) {
        const std::vector<std::string> command = WordsOf(line);
        const CommandResult result =
            !command.empty() && command[0] == "batch"
                ? CommandResult{UsageStatus, "", "stem: a batch runs no batch\n"}
                : RunCaptured(command);
        const std::string header = "== " + std::to_string(++number) + ": exit " +
                                   std::to_string(result.status) + ", " +
                                   std::to_string(result.output.size()) + " + " +
                                   std::to_string(result.error.size()) + " bytes\n";
        status |= PrintUtf8(header + result.output + result.error);
    }
    return status;
}

}  // namespace

const Command BatchCommand = {
    "batch",
    "FILE",
    TakesMoment::No,
    TakesCodePage::No,
    "Runs the command lines in FILE in one start of stem: one per line, its words\n"
    "separated by tabs (so blanks, quotes and backslashes in a pattern need no\n"
    "escaping). For each it prints \"== N: exit S, X + Y bytes\" and then the\n"
    "command's output (X bytes) and its error output (Y bytes). A command that\n"
    "fails does not stop the others.",
    "stem batch commands.txt",
    RunBatch,
};

}  // namespace stem
