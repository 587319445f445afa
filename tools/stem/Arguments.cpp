#include "tools/stem/Arguments.h"

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "plugin/InsertCommand.h"
#include "plugin/PluginRegAccessUnit.h"

namespace stem {

namespace {

const std::string AtOption = "--at";

[[noreturn]] void BadMoment(const std::string& text, const std::string& reason)
{
    throw UsageError("--at '" + Printable(text) + "': " + reason);
}

// The number written by `digits` decimal digits at position; -1 when they are not all digits.
int DigitsAt(const std::string& text, size_t position, size_t digits)
{
    int value = 0;
    for (size_t i = position; i < position + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Checks the separators of the form; the digit fields are checked by DigitsAt.
bool HasMomentShape(const std::string& text)
{
    if (text.size() != 10 && text.size() != 19 && text.size() != 23)
        return false;
    if (text[4] != '-' || text[7] != '-')
        return false;
    if (text.size() == 10)
        return true;
    if (text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return false;
    return text.size() == 19 || text[19] == '.';
}

void CheckRange(const std::string& text, const char* field, int value, int low, int high)
{
    if (value < low || value > high)
        BadMoment(text, std::string(field) + " " + std::to_string(value) + " is not in " +
                            std::to_string(low) + ".." + std::to_string(high));
}

}  // namespace

std::string Printable(const std::string& word)
{
    std::string shown = word;
    for (char& c : shown)
        if (c < 0x20 || c > 0x7E)
            c = '?';
    return shown;
}

CommandArguments SplitArguments(const std::vector<std::string>& words)
{
    CommandArguments arguments;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.compare(0, 2, "--") != 0) {
            arguments.positionals.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        if (word == AtOption) {
            if (i + 1 == words.size())
                throw UsageError("--at needs a moment, " + std::string(MomentForm));
            value = words[++i];
        } else if (word.compare(0, AtOption.size() + 1, AtOption + "=") == 0) {
            value = word.substr(AtOption.size() + 1);
        } else {
            throw UsageError("unknown option '" + Printable(word) + "'");
        }
        if (arguments.at)
            throw UsageError("--at is given twice");
        arguments.at = value;
    }
    return arguments;
}

std::optional<std::string> TakeCodePage(std::vector<std::string>& words)
{
    const std::string option = "--code-page";
    std::optional<std::string> page;
    for (size_t i = 0; i < words.size() && words[i] != "--";) {
        size_t taken = 0;
        std::string value;
        if (words[i] == option) {
            if (i + 1 == words.size())
                throw UsageError("--code-page needs 932, 65001 or 1252");
            value = words[i + 1];
            taken = 2;
        } else if (words[i].compare(0, option.size() + 1, option + "=") == 0) {
            value = words[i].substr(option.size() + 1);
            taken = 1;
        } else {
            ++i;
            continue;
        }
        if (page)
            throw UsageError("--code-page is given twice");
        page = value;
        const auto at = words.begin() + static_cast<std::ptrdiff_t>(i);
        words.erase(at, at + static_cast<std::ptrdiff_t>(taken));
    }
    return page;
}

void UseCodePage(const std::optional<std::string>& page)
{
    unsigned codePage = platform::ShiftJisCodePage;
    if (page == "65001")
        codePage = platform::Utf8CodePage;
    else if (page == "1252")
        codePage = platform::WesternCodePage;
    else if (page && page != "932")
        throw UsageError("--code-page is 932, 65001 or 1252, not '" + Printable(*page) + "'");
    if (!platform::ChooseAnsiCodePage(codePage) && page)
        throw UsageError("--code-page is for the Linux build; stem.exe runs on this system's "
                         "own code page (" +
                         std::to_string(platform::AnsiCodePage()) + ")");
}

bool CodePageIsChosen()
{
    // Asking for the page the program already runs on changes nothing where a choice is taken.
    return platform::ChooseAnsiCodePage(platform::AnsiCodePage());
}

PluginFolderFound FolderWhenNoneIsNamed()
{
    const WideString named = ReadPluginFolder();
    if (named != DefaultPluginFolder())
        return {named, true,
                "in the plug-in folder that the editor names in the registry (the value "
                "PlugInsFolder of HKEY_CURRENT_USER\\" +
                    std::string(EditorRegistryKey) + "Common)"};
    return {ExtractFolder(platform::HostExecutablePath()), false,
            "beside stem itself, as the editor names no plug-in folder in the registry (the "
            "plug-ins then use the folder PlugIns beside the editor's program)"};
}

void RequirePositionals(const CommandArguments& arguments, const std::vector<const char*>& names)
{
    const size_t given = arguments.positionals.size();
    if (given < names.size())
        throw UsageError(std::string(names[given]) + " is missing");
    if (given > names.size())
        throw UsageError("unexpected argument '" + Printable(arguments.positionals[names.size()]) +
                         "'");
}

TDateTime ParseMoment(const std::string& text)
{
    if (!HasMomentShape(text))
        BadMoment(text, std::string("expected the form ") + MomentForm);
    DateTimeFields fields;
    const bool dateAlone = text.size() == 10;  // midnight
    const int numbers[] = {DigitsAt(text, 0, 4),
                           DigitsAt(text, 5, 2),
                           DigitsAt(text, 8, 2),
                           dateAlone ? 0 : DigitsAt(text, 11, 2),
                           dateAlone ? 0 : DigitsAt(text, 14, 2),
                           dateAlone ? 0 : DigitsAt(text, 17, 2),
                           text.size() == 23 ? DigitsAt(text, 20, 3) : 0};
    for (int number : numbers)
        if (number < 0)
            BadMoment(text, std::string("expected digits in the form ") + MomentForm);
    fields.year = numbers[0];
    fields.month = numbers[1];
    fields.day = numbers[2];
    fields.hour = numbers[3];
    fields.minute = numbers[4];
    fields.second = numbers[5];
    fields.millisecond = numbers[6];
    CheckRange(text, "year", fields.year, 1, 9999);
    CheckRange(text, "month", fields.month, 1, 12);
    if (!IsValidDate(fields.year, fields.month, fields.day))
        BadMoment(text,
                  "day " + std::to_string(fields.day) + " does not exist in " + text.substr(0, 7));
    CheckRange(text, "hour", fields.hour, 0, 23);
    CheckRange(text, "minute", fields.minute, 0, 59);
    CheckRange(text, "second", fields.second, 0, 59);
    return EncodeDateTime(fields);
}

TDateTime MomentOf(const CommandArguments& arguments)
{
    if (arguments.at)
        return ParseMoment(*arguments.at);
    return LocalClock();
}

WideString WideFromUtf8(const std::string& bytes, const char* what)
{
    WideString text;
    if (!Utf8ToWide(bytes, text))
        throw UsageError(std::string(what) + " is not valid UTF-8");
    return text;
}

WideString WindowsPathOf(const std::string& utf8Path, const char* what)
{
    WideFromUtf8(utf8Path, what);  // refuses what is not UTF-8
    return platform::PathFromCommandLine(utf8Path);
}

}  // namespace stem
