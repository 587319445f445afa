// The commands of `stem`. Each lives in a file of its own and is listed once in Program.cpp.
#pragma once

#include <string>
#include <vector>

namespace stem {

// Whether a command takes the option --at MOMENT, which its usage then ends with.
enum class TakesMoment { No, Yes };

// Whether a command takes the option --code-page 932|65001 (the Linux build's system page).
enum class TakesCodePage { No, Yes };

struct Command {
    const char* name;
    const char* usage;  // the arguments after the name, --at aside
    TakesMoment moment;
    TakesCodePage codePage;
    const char* summary;  // what it does: lines of at most 76 columns, the help indents them
    const char* example;  // a full command line, its words quoted as every shell takes them
    // Runs with the words after the command name; returns the exit status. Bad arguments
    // throw UsageError.
    int (*run)(const std::vector<std::string>& words);
};

extern const Command RenderCommand;
extern const Command CalendarCommand;
extern const Command PressCommand;
extern const Command CheckCommand;
extern const Command BatchCommand;
extern const Command TokensCommand;
extern const Command RulesCommand;

// The exit status of bad arguments.
constexpr int UsageStatus = 2;

// Writes UTF-8 text to standard output (or to the output being gathered by RunCaptured); exit
// status 0, or 1 when it could not be written.
int PrintUtf8(const std::string& text);

// One command line (the words after "stem") run as the program runs it: the status it exits
// with, bad arguments told on standard error.
int RunStem(const std::vector<std::string>& words);

// One command line run with its output gathered: what it prints, the
// message of bad arguments as stem prints it, and the exit status.
struct CommandResult {
    int status;
    std::string output;
    std::string error;
};
CommandResult RunCaptured(const std::vector<std::string>& words);

}  // namespace stem
