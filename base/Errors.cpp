#include "base/Errors.h"

namespace stem {

std::string FormatAssertionMessage(const std::string& message, const char* sourceFile, int line)
{
    return message + " (" + sourceFile + ", " + std::to_string(line) + " 行)";
}

}  // namespace stem
