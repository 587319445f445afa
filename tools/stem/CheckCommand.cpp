// stem check [FILE] [--at MOMENT]: what a settings file gives each plug-in, read by the
// plug-ins' own code: the patterns a press cycles through with what each renders to, then the
// lines that the dialect reads differently from how a person would.
#include <algorithm>
#include <string>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

namespace {

struct CheckedPlugin {
    const PluginTraits* traits;
    const char* kind;
};

const CheckedPlugin Plugins[] = {{&DatePluginTraits, "date"}, {&TimePluginTraits, "time"}};

// Patterns wider than this push their arrow out of the column.
constexpr int WidestPatternColumn = 24;

struct SettingsFile {
    AnsiString path;    // as the plug-ins name files
    std::string shown;  // UTF-8
};

// Where `stem press` keeps the file by default: in the folder PlugIns beside this program.
SettingsFile DefaultSettingsFile()
{
    const AnsiString path = LocateSettingsFile(platform::AnsiToWide(DefaultPluginFolder()));
    return {path, WideToUtf8(platform::AnsiToWide(path))};
}

SettingsFile NamedSettingsFile(const std::string& word)
{
    if (word.empty())
        throw UsageError("FILE is empty");
    return {WindowsPathOf(word, "FILE"), word};
}

// Control characters other than tab and line breaks show as their visible pictures.
WideString Visible(WideString text)
{
    for (char16_t& c : text)
        if (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n')
            c = static_cast<char16_t>(0x2400 + c);
    return text;
}

// Terminal columns: two for the wide East Asian ranges (a surrogate pair counts two), else one.
int ColumnsOf(const WideString& text)
{
    int columns = 0;
    for (const char16_t c : text) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                          (c >= 0xFFE0 && c <= 0xFFE6);
        columns += wide ? 2 : 1;
    }
    return columns;
}

// The pattern as it would be written in the file: between double quotes when a load would
// otherwise trim or unquote it.
WideString WrittenForm(const WideString& pattern)
{
    const bool blankEnd = !pattern.empty() && (pattern.front() <= u' ' || pattern.back() <= u' ');
    const bool quotedEnds =
        pattern.size() >= 2 && pattern.front() == u'"' && pattern.back() == u'"';
    return Visible(pattern.empty() || blankEnd || quotedEnds ? u"\"" + pattern + u"\"" : pattern);
}

// Split at CR LF, lone CR and lone LF; a text ending with a break ends with an empty line.
std::vector<WideString> LinesOf(const WideString& text)
{
    std::vector<WideString> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// "  Item01  pattern  -> result"; a result of several lines follows below, each after "|".
WideString EntryRow(int number, const WideString& shown, int column, const WideString& result)
{
    WideString row = u"  " + platform::AnsiToWide(ItemKey(number)) + u"  " + shown;
    row.append(static_cast<size_t>(std::max(0, column - ColumnsOf(shown))), u' ');
    const std::vector<WideString> lines = LinesOf(result);
    if (lines.size() == 1)
        return row + (result.empty() ? u" ->" : u" -> " + Visible(result)) + u"\n";
    row += u" ->\n";
    for (const WideString& line : lines)
        row += (line.empty() ? WideString(u"      |") : u"      | " + Visible(line)) + u"\n";
    return row;
}

// Why a press finds no pattern: no Item01, or defaults that a press would write into a file
// that the INI class never writes.
std::string NoPatternsNote(const PluginTraits& traits, const TAccessIniFile& settings,
                           const ForeseenPress& press)
{
    if (press.placement == DefaultsPlacement::NotNeeded)
        return "  there is no Item01, so a press inserts nothing\n";
    const std::string defaults = std::to_string(traits.defaultCount) + " default patterns";
    if (!settings.Faithful())
        return "  a press would write the " + defaults + ", but the plug-ins never write this " +
               "file (see the warnings), so it inserts nothing\n";
    return "  a press would write the " + defaults +
           ", but the file is read-only, so it inserts nothing\n";
}

// Where the patterns listed come from when the section has none of its own.
std::string DefaultsNote(const PluginTraits& traits, const ForeseenPress& press)
{
    const std::string defaults = std::to_string(traits.defaultCount) + " default patterns";
    if (press.savesDefaults)
        return "  the section has no keys: the next press writes these " + defaults + " into it\n";
    if (!LoadsFromFile(press.placement))
        return "  the section has no keys, and the defaults cannot be added where a load finds "
               "them (see the warnings): a press uses these " +
               defaults + " without writing them\n";
    return "";
}

std::string PatternListing(const CheckedPlugin& plugin, const TAccessIniFile& settings,
                           const TCommonStringRecordList& list, const ForeseenPress& press,
                           TDateTime moment)
{
    const PluginTraits& traits = *plugin.traits;
    const int patterns = list.TextCount() - 1;  // the last entry, empty, ends the cycle
    std::string out = "[" + AnsiString(traits.patternSection) + "] " + traits.name + ", the " +
                      plugin.kind + " plug-in: ";
    if (patterns == 0)
        return out + "no patterns\n" + NoPatternsNote(traits, settings, press);
    out += std::to_string(patterns) + (patterns == 1 ? " pattern" : " patterns") +
           ", in press order\n" + DefaultsNote(traits, press);
    int column = 0;
    for (int i = 0; i < patterns; ++i)
        column = std::max(column, ColumnsOf(WrittenForm(list.TextAt(i))));
    column = std::min(column, WidestPatternColumn);
    for (int i = 0; i < patterns; ++i) {
        const WideString entry = list.TextAt(i);
        const WideString result = EntryText(traits, entry, moment);
        out += WideToUtf8(EntryRow(i + 1, WrittenForm(entry), column, result));
    }
    return out + "  then a press inserts nothing, and the next one starts again at Item01\n";
}

std::string WarningListing(std::vector<SettingsWarning> warnings)
{
    if (warnings.empty())
        return "No warnings.\n";
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [](const SettingsWarning& a, const SettingsWarning& b) { return a.line < b.line; });
    std::string out = "Warnings:\n";
    for (const SettingsWarning& warning : warnings) {
        const std::string place =
            warning.line == 0 ? std::string("file") : "line " + std::to_string(warning.line);
        out += "  " + place + ": " + WideToUtf8(Visible(platform::AnsiToWide(warning.text))) + "\n";
    }
    return out;
}

const char* EncodingNote(TIniEncoding encoding)
{
    switch (encoding) {
    case TIniEncoding::Utf8: return " (UTF-8, with a byte-order mark)";
    case TIniEncoding::Utf16Le: return " (UTF-16LE, with a byte-order mark)";
    case TIniEncoding::Ansi: break;
    }
    return "";
}

// The lines hold less than the file: what a load reads differs from what an editor shows.
const char* const UnfaithfulFile =
    "the lines cannot carry all of this file (a NUL byte ends them; malformed text and characters "
    "outside the system code page change), so the plug-ins read it as far as it goes and never "
    "write to it";

std::string Report(const SettingsFile& file, TDateTime moment)
{
    TAccessIniFile settings(file.path);
    const TStringLines lines = LoadIniFile(file.path).lines;
    std::string out = "settings file: " + file.shown + EncodingNote(settings.Encoding()) + "\n";
    std::vector<SettingsWarning> warnings;
    if (!settings.Faithful())
        warnings.push_back({0, UnfaithfulFile});
    for (const CheckedPlugin& plugin : Plugins) {
        TCommonStringRecordList list;
        const ForeseenPress press = ForeseePress(file.path, *plugin.traits, list);
        out += "\n" + PatternListing(plugin, settings, list, press, moment);
        const std::vector<SettingsWarning> found =
            CheckPatternSection(lines, *plugin.traits, press.placement);
        warnings.insert(warnings.end(), found.begin(), found.end());
    }
    return out + "\n" + WarningListing(warnings);
}

int RunCheck(const std::vector<std::string>& words)
{
    const CommandArguments arguments = SplitArguments(words);
    if (arguments.positionals.size() > 1)
        throw UsageError("unexpected argument '" + Printable(arguments.positionals[1]) + "'");
    const SettingsFile file = arguments.positionals.empty()
                                  ? DefaultSettingsFile()
                                  : NamedSettingsFile(arguments.positionals[0]);
    const TDateTime moment = MomentOf(arguments);
    if (!platform::PathExists(file.path))
        throw UsageError("no settings file at " + Printable(file.shown));
    std::string report;
    try {
        report = Report(file, moment);
    } catch (const FileError&) {
        throw UsageError("cannot read " + Printable(file.shown));
    }
    return PrintUtf8(report);
}

}  // namespace

const Command CheckCommand = {
    "check",
    "[FILE] [--at YYYY-MM-DDThh:nn:ss[.zzz]]",
    "  Reads a settings file as the plug-ins do (default: StemraTime.ini in the folder PlugIns\n"
    "  beside this program, where `stem press` keeps it) and lists, for [DateFormat] and\n"
    "  [TimeFormat], the patterns a press cycles through and what each renders to at the\n"
    "  moment given by --at (default: now). Then it warns, by line number, about lines that are\n"
    "  never read, values that lose blanks or quotes, and unpaired double quotes. Exit status 0\n"
    "  when the file was read, with warnings or not.",
    "stem check /tmp/plugins/StemraTime.ini --at 2026-12-07T09:30:00",
    RunCheck,
};

}  // namespace stem
