// stem render PATTERN [--at MOMENT]: the pattern rendered for one moment, and a line feed.
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "base/UnicodeText.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

int RunRender(const std::vector<std::string>& words)
{
    const CommandArguments arguments = SplitArguments(words);
    RequirePositionals(arguments, {"PATTERN"});
    const WideString pattern = WideFromUtf8(arguments.positionals[0], "PATTERN");
    const TDateTime moment = MomentOf(arguments);
    return PrintUtf8(WideToUtf8(RenderPattern(pattern, moment)) + "\n");
}

}  // namespace

const Command RenderCommand = {
    "render",
    "PATTERN",
    TakesMoment::Yes,
    TakesCodePage::Yes,
    "Prints PATTERN rendered for the local moment given by --at (default: now),\n"
    "then a line feed. Text in double quotes is copied as written; \\n, \\t, \\r,\n"
    "\\\\ and \\0 are escapes.",
    "stem render \"yyyy/mm/dd(aaa) hh:nn:ss\" --at 2026-12-06T13:05:09",
    RunRender,
};

}  // namespace stem
