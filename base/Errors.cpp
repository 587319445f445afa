#include "base/Errors.h"

namespace stem {

std::string FormatAssertionMessage(const std::string& message, const char* sourceFile, int line)
{
    // "%s (%s, %d 行)"; 行 is 0x8D 0x73 in Shift-JIS.
    return message + " (" + sourceFile + ", " + std::to_string(line) + " \x8d\x73)";
}

}  // namespace stem
