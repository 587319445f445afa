// stem check [FILE] [--at MOMENT]: what a settings file gives each plug-in, read by the
// plug-ins' own code: the patterns a press cycles through with what each renders to, then the
// lines that the dialect reads differently from how a person would.
#include <algorithm>
#include <string>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

namespace {

// Patterns wider than this push their arrow out of the column.
constexpr int WidestPatternColumn = 24;

struct SettingsFile {
    WideString path;    // as the plug-ins name files
    std::string shown;  // UTF-8
    // Where FILE was not given: whether the editor names its folder, and why stem looked there.
    bool namedByEditor;
    std::string why;
};

// The file in the plug-in folder that check and press use when none is named.
SettingsFile DefaultSettingsFile()
{
    const PluginFolderFound found = FolderWhenNoneIsNamed();
    const WideString path = LocateSettingsFile(found.folder);
    return {path, platform::PathForCommandLine(path), found.namedByEditor, found.why};
}

// The file's folder as the user named it.
std::string FolderShown(const SettingsFile& file)
{
    const size_t separator = file.shown.find_last_of("/\\");
    return separator == std::string::npos ? "." : file.shown.substr(0, separator);
}

SettingsFile NamedSettingsFile(const std::string& word)
{
    if (word.empty())
        throw UsageError("FILE is empty");
    return {WindowsPathOf(word, "FILE"), word, false, ""};
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
    const bool blankEnd =
        !pattern.empty() && (IsBlankCode(pattern.front()) || IsBlankCode(pattern.back()));
    const bool quotedEnds =
        pattern.size() >= 2 && pattern.front() == u'"' && pattern.back() == u'"';
    return Visible(pattern.empty() || blankEnd || quotedEnds ? u"\"" + pattern + u"\"" : pattern);
}

// "  Item01  pattern  -> result"; a result of several lines follows below, each after "|".
WideString EntryRow(int number, const WideString& shown, int column, const WideString& result)
{
    WideString row = u"  " + Utf8ToWideReplacing(ItemKey(number)) + u"  " + shown;
    row.append(static_cast<size_t>(std::max(0, column - ColumnsOf(shown))), u' ');
    const std::vector<WideString> lines = SplitLines(result, LineBreaks::CrOrLf);
    if (lines.size() == 1)
        return row + (result.empty() ? u" ->" : u" -> " + Visible(result)) + u"\n";
    row += u" ->\n";
    for (const WideString& line : lines)
        row += (line.empty() ? WideString(u"      |") : u"      | " + Visible(line)) + u"\n";
    return row;
}

// Why the plug-ins cannot save the defaults, as the end of a sentence about this file.
std::string ObstacleReason(SaveObstacle obstacle)
{
    return DescribeObstacle(obstacle, "this file", "its folder");
}

// How to get patterns of one's own into a file the plug-ins cannot write.
std::string OwnPatternsAdvice(SaveObstacle obstacle, const std::string& folder)
{
    switch (obstacle) {
    case SaveObstacle::NotKeptExactly:
        return "write them into the section, and mend what the warnings name";
    case SaveObstacle::ReadOnly:
        return "write them into the section (clear the file's read-only attribute to save it)";
    case SaveObstacle::FileNotWritable: return "write them into the section yourself";
    case SaveObstacle::NoFolder:
        return "create " + folder +
               " and press again, or point the editor at a plug-in folder "
               "of your own";
    case SaveObstacle::FolderNotWritable:
    case SaveObstacle::SaveFailed:
    case SaveObstacle::None: break;
    }
    return "copy " + WideToUtf8(SettingsFileName) + " into " + folder +
           " as an administrator, or point the editor at a plug-in folder of your own";
}

// Where the patterns listed come from when the section has none of its own.
std::string DefaultsNote(const PluginTraits& traits, const PressSettings& press,
                         const std::string& folder)
{
    const std::string defaults = std::to_string(traits.defaultCount) + " default patterns";
    if (press.placement == DefaultsPlacement::Added && press.obstacle == SaveObstacle::None)
        return "  the section has no keys: the next press writes these " + defaults + " into it\n";
    if (press.placement == DefaultsPlacement::Added)
        return "  the section has no keys, and a press cannot save the " + defaults + ": " +
               ObstacleReason(press.obstacle) + "\n  each press uses these defaults from memory; " +
               "to use patterns of your own, " + OwnPatternsAdvice(press.obstacle, folder) + "\n";
    if (!LoadsFromFile(press.placement))
        return "  the section has no keys, and the defaults cannot be added where a load finds "
               "them (see the warnings): a press uses these " +
               defaults + " without writing them\n";
    return "";
}

std::string PatternListing(const PluginTraits& traits, const SettingsFile& file,
                           const TCommonStringRecordList& list, const PressSettings& press,
                           TDateTime moment)
{
    const int patterns = list.TextCount() - 1;  // the last entry, empty, ends the cycle
    std::string out = "[" + Utf8String(traits.patternSection) + "] " + traits.name + ", the " +
                      traits.kind + " plug-in: ";
    if (patterns == 0)
        return out + "no patterns\n  there is no Item01, so a press inserts nothing\n";
    out += std::to_string(patterns) + (patterns == 1 ? " pattern" : " patterns") +
           ", in press order\n" + DefaultsNote(traits, press, FolderShown(file));
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

std::string WarningListing(const std::vector<SettingsWarning>& warnings)
{
    if (warnings.empty())
        return "No warnings.\n";
    std::string out = "Warnings:\n";
    for (const SettingsWarning& warning : warnings) {
        const std::string place =
            warning.line == 0 ? std::string("file") : "line " + std::to_string(warning.line);
        out += "  " + place + ": " + WideToUtf8(Visible(Utf8ToWideReplacing(warning.text))) + "\n";
    }
    return out;
}

const char* EncodingNote(TIniEncoding encoding)
{
    switch (encoding) {
    case TIniEncoding::ShiftJis: return " (Shift-JIS)";
    case TIniEncoding::Utf8: return " (UTF-8)";
    case TIniEncoding::Utf8WithMark: return " (UTF-8, with a byte-order mark)";
    case TIniEncoding::Utf16Le: return " (UTF-16LE, with a byte-order mark)";
    case TIniEncoding::Utf16Be: return " (UTF-16BE, with a byte-order mark)";
    }
    return "";
}

// Raises FileError when the file cannot be read.
std::string Report(const SettingsFile& file, TDateTime moment)
{
    std::string bytes;
    if (platform::ReadWholeFile(file.path, bytes) != platform::FileStatus::Ok)
        throw FileError("cannot read " + file.shown);
    const TIniFileContent content = DecodeIniText(bytes);
    std::string out = "settings file: " + file.shown + EncodingNote(content.encoding) +
                      (file.why.empty() ? "" : ",\n  " + file.why) + "\n";
    std::vector<CheckedSection> sections;
    for (const PluginTraits* traits : AllPlugins) {
        TCommonStringRecordList list;
        const PressSettings press = ForeseePress(file.path, *traits, list);
        if (!press.read)
            throw FileError(press.trouble);
        out += "\n" + PatternListing(*traits, file, list, press, moment);
        sections.push_back({traits, press.placement});
    }
    return out + "\n" + WarningListing(CheckSettingsFile(bytes, content, sections));
}

// What a press does where there is no file yet: create it, or use the defaults from memory.
std::string MissingFileNote(const SettingsFile& file)
{
    const std::string folder = Printable(FolderShown(file));
    const std::string missing =
        "no settings file at " + Printable(file.shown) + (file.why.empty() ? "" : ", " + file.why);
    // No press reads a file beside stem (unless stem stands in the plug-in folder).
    if (!file.why.empty() && !file.namedByEditor)
        return missing + "; name the file to check: stem check FILE";
    TCommonStringRecordList list;
    const SaveObstacle obstacle = ForeseePress(file.path, *AllPlugins[0], list).obstacle;
    if (obstacle == SaveObstacle::None)
        return missing + "; the first press creates it with the defaults";
    const std::string ownPatterns =
        "to use patterns of your own, " + OwnPatternsAdvice(obstacle, folder);
    // A folder that does not exist is most often a path typed wrong: that comes first.
    if (obstacle == SaveObstacle::NoFolder)
        return missing + ": the folder " + folder + " does not exist" +
               (file.why.empty() ? " (is the path typed right?)" : "") +
               "; where it is the plug-in folder, each press uses the defaults from memory; " +
               ownPatterns;
    return missing + ", and a press cannot create it: " + ObstacleReason(obstacle) +
           "; each press uses the defaults from memory; " + ownPatterns;
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
        throw UsageError(MissingFileNote(file));
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
    "[FILE]",
    TakesMoment::Yes,
    TakesCodePage::Yes,
    "Reads a settings file as the plug-ins do and lists, for each plug-in's\n"
    "section, the patterns a press cycles through and what each renders to\n"
    "at the moment given by --at (default: now). Without FILE it reads\n"
    "StemraTime.ini in the plug-in folder the editor names in the registry, else\n"
    "the one beside stem, and says which and why. Then it warns, by line number\n"
    "and with the fix, about lines that are never read, values that lose blanks or\n"
    "quotes, unpaired double quotes, a value that ends the section, a section\n"
    "name in a comment that keeps the defaults out, calendar entries spelled\n"
    "otherwise, a section name mistyped (a letter, a blank or a width away, or\n"
    "without brackets), mm for minutes, other programs' letters (YYYY, HH, tt,\n"
    "%Y), full-width letters that are no token, an empty Item01, a calendar in the\n"
    "wrong section, a \\0 in a pattern, a file not read whole (UTF-32, not text, a\n"
    "NUL inside), and a file in two encodings (UTF-8 and Shift-JIS). Where a\n"
    "press cannot write its defaults into the file or its folder, it says why\n"
    "and how to get patterns of your own in. Exit status 0 when the file was\n"
    "read, with warnings or not.",
    "stem check plugins/StemraTime.ini --at 2026-12-07T09:30:00",
    RunCheck,
};

}  // namespace stem
