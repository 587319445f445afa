// stem tokens: every token the pattern language knows, one a line, in the order they are tried.
// The documents that list the tokens are checked against this (tests/stem_cli_check.py,
// tests/dist_check.py).
#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "base/UnicodeText.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

int RunTokens(const std::vector<std::string>& words)
{
    RequirePositionals(SplitArguments(words), {});
    std::string text;
    for (const PatternToken& token : TokenTable)
        text += WideToUtf8(WideString(token.text)) + "\n";
    return PrintUtf8(text);
}

}  // namespace

const Command TokensCommand = {
    "tokens",
    "",
    TakesMoment::No,
    TakesCodePage::No,
    "Prints every token of the pattern language, one a line, in the order they\n"
    "are tried.",
    "stem tokens",
    RunTokens,
};

}  // namespace stem
