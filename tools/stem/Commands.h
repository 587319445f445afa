// The commands of `stem`. Each lives in a file of its own and is listed once in main.cpp.
#pragma once

#include <string>
#include <vector>

namespace stem {

struct Command {
    const char* name;
    const char* usage;    // the arguments after the name
    const char* summary;  // what it does, one or more lines
    const char* example;  // a full command line
    // Runs with the words after the command name; returns the exit status. Bad arguments
    // throw UsageError.
    int (*run)(const std::vector<std::string>& words);
};

extern const Command RenderCommand;
extern const Command CalendarCommand;
extern const Command PressCommand;
extern const Command CheckCommand;

// Writes UTF-8 text to standard output; exit status 0, or 1 when it could not be written.
int PrintUtf8(const std::string& text);

}  // namespace stem
