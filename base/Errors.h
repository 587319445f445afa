// The errors raised inside the plug-ins. Every DLL export catches all of them.
#pragma once

#include <exception>
#include <string>

namespace stem {

// What the errors below have in common: a message, held text (UTF-8). (Not std::runtime_error: that
// keeps its message in a string type of the runtime's own, whose code a DLL would carry
// beside std::string's.)
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A failed internal assertion, its message already completed as
// "<message> (<source file>, <line> 行)".
class AssertionFailure : public Error {
public:
    using Error::Error;
};

// Builds the completed assertion message: "%s (%s, %d 行)".
std::string FormatAssertionMessage(const std::string& message, const char* sourceFile, int line);

// A file that exists but cannot be read, or cannot be written.
class FileError : public Error {
public:
    using Error::Error;
};

}  // namespace stem
