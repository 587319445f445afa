// stem rules: what stem check warns about, one rule a line, in English and in Japanese, as its
// help and the readmes name them (tests/stem_cli_check.py holds them to this list).
#include "base/UnicodeText.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

namespace {

int RunRules(const std::vector<std::string>& words)
{
    RequirePositionals(SplitArguments(words), {});
    std::string text;
    for (const SettingsRule* rule : SettingsRules)
        text += std::string(rule->english) + "\t" + WideToUtf8(rule->japanese) + "\n";
    return PrintUtf8(text);
}

}  // namespace

const Command RulesCommand = {
    "rules",
    "",
    TakesMoment::No,
    TakesCodePage::No,
    "Prints what stem check warns about, one rule a line: its name in English, a\n"
    "tab, and its name in Japanese.",
    "stem rules",
    RunRules,
};

}  // namespace stem
