// The errors raised inside the plug-ins. Every DLL export catches all of them.
#pragma once

#include <stdexcept>
#include <string>

namespace stem {

// A failed internal assertion. The message is ANSI text (Shift-JIS on a Japanese system),
// already completed as "<message> (<source file>, <line> 行)".
class AssertionFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Builds the completed assertion message: "%s (%s, %d 行)" with 行 in Shift-JIS.
std::string FormatAssertionMessage(const std::string& message, const char* sourceFile, int line);

// A file that exists but cannot be read, or cannot be written.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace stem
