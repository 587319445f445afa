#include "tools/stem/SettingsCheck.h"

#include <algorithm>
#include <set>
#include <utility>

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniKeyIndex.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"
#include "tools/stem/PatternCheck.h"

namespace stem {

namespace {

int LineCount(const TStringLines& lines)
{
    return static_cast<int>(lines.size());
}

int KeyLinesBelow(const TStringLines& lines, int line)
{
    int count = 0;
    const int end = IniSectionEnd(lines, line);
    for (int i = line + 1; i < end; ++i)
        if (!LineKey(lines[i]).empty())
            ++count;
    return count;
}

// What a person takes for a section line: one that starts with "[".
bool LooksLikeSectionLine(const Utf8String& line)
{
    const Utf8String text = BlankTrimLeft(line);
    return !text.empty() && text[0] == '[';
}

// The text without its blank bytes; no byte of a character beyond ASCII is one.
Utf8String WithoutBlanks(Utf8String text)
{
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return IsBlankCode(static_cast<unsigned char>(c)); }),
               text.end());
    return text;
}

Utf8String Quoted(const Utf8String& line)
{
    return "\"" + BlankTrim(line) + "\"";
}

// "the 1 key line below it is" / "the 2 key lines below it are".
Utf8String KeyLinesAre(int count, const char* where)
{
    return "the " + std::to_string(count) + (count == 1 ? " key line " : " key lines ") + where +
           (count == 1 ? " is" : " are");
}

// ---- Section names mistyped ----

// A section name as a person reads it: full-width letters as half-width ones, without blanks
// (the ideographic space among them), letter case aside.
WideString NameAsRead(const WideString& name)
{
    WideString read;
    for (char16_t c : name) {
        if (c >= u'！' && c <= u'～')
            c = static_cast<char16_t>(c - (u'！' - u'!'));
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (!IsBlankCode(c) && c != u'\u3000')
            read += c;
    }
    return read;
}

// One letter added, dropped or changed, or two neighbours swapped, turns one text into the
// other (or nothing does: they are equal).
bool AtMostOneEditApart(const WideString& a, const WideString& b)
{
    const WideString& longer = a.size() >= b.size() ? a : b;
    const WideString& shorter = a.size() >= b.size() ? b : a;
    if (longer.size() - shorter.size() > 1)
        return false;
    size_t first = 0;
    while (first < shorter.size() && longer[first] == shorter[first])
        ++first;
    if (first == longer.size())
        return true;
    if (longer.size() != shorter.size())
        return longer.compare(first + 1, WideString::npos, shorter, first) == 0;
    if (longer.compare(first + 1, WideString::npos, shorter, first + 1) == 0)
        return true;
    return first + 1 < longer.size() && longer[first] == shorter[first + 1] &&
           longer[first + 1] == shorter[first] &&
           longer.compare(first + 2, WideString::npos, shorter, first + 2) == 0;
}

// The plug-in whose section the line is meant to open, where it opens none: a section name a
// letter, a blank, a letter case or a character width away from the plug-in's, in brackets or
// without them. Null for any other line.
const PluginIdentity* SectionMeant(const Utf8String& line)
{
    if (BlankTrim(line).empty() || IsCommentLine(line) || IsKeyLine(line))
        return nullptr;
    for (const PluginIdentity& plugin : PluginList)
        if (IsSectionLine(line) && NamesSection(line, plugin.section))
            return nullptr;
    WideString name = Utf8ToWideReplacing(line);
    const size_t open = name.find_first_of(u"[［");
    const size_t close = name.find_first_of(u"]］");
    if (open != WideString::npos && close != WideString::npos && open < close)
        name = name.substr(open + 1, close - open - 1);
    for (const PluginIdentity& plugin : PluginList)
        if (AtMostOneEditApart(NameAsRead(name), NameAsRead(Utf8ToWideReplacing(plugin.section))))
            return &plugin;
    return nullptr;
}

// ---- A file the lines do not hold whole ----

// The file's text as far as control characters go: for UTF-16 its 16-bit units, for any other
// encoding its bytes (a control character is one byte in each, and no byte of another character
// is one).
WideString ControlView(const std::string& bytes, TIniEncoding encoding)
{
    WideString units;
    if (encoding == TIniEncoding::Utf16Le || encoding == TIniEncoding::Utf16Be) {
        const ByteOrder order =
            encoding == TIniEncoding::Utf16Le ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
        Utf16ToWide(bytes.substr(2), order, units);  // after the byte-order mark
        return units;
    }
    for (const char c : bytes)
        units += static_cast<unsigned char>(c);
    return units;
}

// Control characters that text holds: tab, line breaks, form feed, and the end-of-file mark
// of old programs.
bool IsTextControl(char16_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == 0x1A;
}

// The 1-based line of the unit at the index, counting line breaks as a load does.
int LineAt(const WideString& units, size_t index)
{
    int line = 1;
    for (size_t i = 0; i < index; ++i)
        if (units[i] == u'\n' || (units[i] == u'\r' && (i + 1 >= index || units[i + 1] != u'\n')))
            ++line;
    return line;
}

bool StartsWith(const std::string& bytes, const std::string& prefix)
{
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// What keeps the lines from holding the whole file, named from its bytes.
SettingsWarning NotReadWhole(const std::string& bytes, TIniEncoding encoding)
{
    const std::string utf32Le("\xFF\xFE\0\0", 4);
    const std::string utf32Be("\0\0\xFE\xFF", 4);
    if (StartsWith(bytes, utf32Le) || StartsWith(bytes, utf32Be))
        return {0, &rule::FileNotReadWhole,
                "this file is UTF-32, which the plug-ins cannot read: they find no line in it, "
                "so a press uses the defaults and never writes to it; save it as Shift-JIS, as "
                "UTF-8 or as UTF-16"};
    const WideString units = ControlView(bytes, encoding);
    const size_t nul = units.find(u'\0');
    if (nul == WideString::npos)
        return {0, &rule::FileNotReadWhole,
                "the lines cannot carry all of this file (malformed UTF-8 or UTF-16, or Shift-JIS "
                "bytes that form no character, change), so the plug-ins read it as far as it goes "
                "and never write to it"};
    const size_t nuls = static_cast<size_t>(std::count(units.begin(), units.end(), u'\0'));
    const bool controls = std::any_of(units.begin(), units.end(), [](char16_t c) {
        return c != u'\0' && c < u' ' && !IsTextControl(c);
    });
    const int line = LineAt(units, nul);
    if (controls || nuls > units.size() / 8)
        return {0, &rule::FileNotReadWhole,
                "this file is not text: it holds NUL or other control characters throughout (a "
                "program's data, or UTF-16 without its byte-order mark), so "
                "the plug-ins read it only up to its first NUL, on line " +
                    std::to_string(line) +
                    ", and never write to it; save your patterns as Shift-JIS, UTF-8 or UTF-16 "
                    "text"};
    return {line, &rule::FileNotReadWhole,
            "this line holds a NUL character: the plug-ins read the file only up to it, so "
            "nothing after it is read, and they never write to the file; delete the NUL"};
}

// ---- Each plug-in's section ----

// An entry that is not a pattern (a calendar), with the plug-in that has it.
struct SpecialEntry {
    const PluginTraits* plugin;
    Utf8String text;
};

// The special entries of every plug-in, as the lines spell them.
std::vector<SpecialEntry> AllSpecialEntries()
{
    std::vector<SpecialEntry> entries;
    for (const PluginTraits* plugin : AllPlugins)
        for (int i = 0; i < plugin->specialEntryCount; ++i)
            entries.push_back({plugin, WideToUtf8(plugin->specialEntries[i])});
    return entries;
}

class SectionChecker {
public:
    SectionChecker(const TStringLines& lines, const PluginTraits& traits,
                   DefaultsPlacement placement)
        : lines_(lines),
          traits_(traits),
          placement_(placement),
          label_("[" + Utf8String(traits.patternSection) + "]"),
          span_(FindIniSection(lines, traits.patternSection)),
          specialEntries_(AllSpecialEntries())
    {
        if (span_.Found())
            IndexKeys();
    }

    // Marks the lines a load of the section reads.
    void MarkRead(std::vector<bool>& read) const
    {
        for (const int line : readLines_)
            read[static_cast<size_t>(line)] = true;
    }

    // The warnings about the section; readByAny: the lines a load of any section reads.
    std::vector<SettingsWarning> Run(const std::vector<bool>& readByAny)
    {
        if (!span_.Found())
            return {};
        CheckHeader();
        CheckSectionLines(readByAny);
        CheckEnd();
        CheckRepeats();
        return warnings_;
    }

private:
    void Warn(const SettingsRule& broken, int index, const Utf8String& text)
    {
        warnings_.push_back({index + 1, &broken, text});
    }

    // The first line of the section for each key, found at once, and the keys a load reads.
    void IndexKeys()
    {
        for (int i = span_.header; i < span_.end; ++i) {
            const Utf8String key = LineKey(lines_[i]);
            if (!key.empty()) {
                keys_.Add(key);
                keyLines_.push_back(i);
            }
        }
        readLines_ = ReadItemPlaces([this](const Utf8String& key) { return FirstLineOf(key); });
        isRead_.assign(lines_.size(), false);
        MarkRead(isRead_);
    }

    // The line a read of the key takes its value from: -1 when the section has none.
    int FirstLineOf(const Utf8String& key) const
    {
        const int found = keys_.FirstEqual(key);
        return found < 0 ? -1 : keyLines_[static_cast<size_t>(found)];
    }

    void CheckHeader()
    {
        const Utf8String& line = lines_[span_.header];
        Utf8String text;
        if (!LooksLikeSectionLine(line))
            text = label_ + " opens here, in " + Quoted(line) +
                   ": a section starts at the first line holding its name in brackets, even in a "
                   "comment or a value";
        const Utf8String unplaced = UnplacedDefaults();
        if (!unplaced.empty())
            text += (text.empty() ? "" : "; ") + unplaced;
        if (!text.empty())
            Warn(rule::SectionInComment, span_.header, text);
    }

    // Why the defaults cannot be added, and which line to change; empty when they can.
    Utf8String UnplacedDefaults() const
    {
        const Utf8String cannot = label_ + " holds no key, and " + traits_.name +
                                  " cannot add its default patterns to it: ";
        const Utf8String meanwhile = "; until then a press uses the defaults without writing them";
        if (placement_ == DefaultsPlacement::OutsideSection)
            return cannot +
                   "new keys would go above this line, outside the section, which "
                   "the next section line ends at once. Take \"" +
                   label_ + "\" out of this line" + meanwhile;
        if (placement_ != DefaultsPlacement::SharedSection)
            return Utf8String();
        for (const PluginIdentity& plugin : PluginList) {
            const Utf8String section = plugin.section;
            const TIniSpan other = FindIniSection(lines_, section);
            if (section == traits_.patternSection || other.header < span_.header ||
                other.header >= span_.end)
                continue;
            const Utf8String where = "line " + std::to_string(other.header + 1);
            return cannot + "they would land in [" + section + "] too, which opens at " + where +
                   ", in " + Quoted(lines_[other.header]) + ". Take \"[" + section + "]\" out of " +
                   where + meanwhile;
        }
        return cannot + "they would land in another plug-in's section too" + meanwhile;
    }

    // A line that another plug-in's load reads is that plug-in's to check.
    void CheckSectionLines(const std::vector<bool>& readByAny)
    {
        for (int i = span_.header; i < span_.end; ++i) {
            const Utf8String key = LineKey(lines_[i]);
            if (key.empty()) {
                if (i > span_.header)
                    CheckOtherLine(i);
                continue;
            }
            if (isRead_[static_cast<size_t>(i)])
                CheckValue(i, key);
            else if (readByAny[static_cast<size_t>(i)])
                continue;
            else if (const int first = FirstLineOf(key); first != i)
                Warn(rule::NeverRead, i,
                     Quoted(lines_[i]) + " is never read: " + key + " is given already at " +
                         "line " + std::to_string(first + 1) + ", and only the first is read");
            else
                Warn(rule::NeverRead, i, Quoted(lines_[i]) + " is never read: " + WhyNotRead(key));
        }
    }

    Utf8String WhyNotRead(const Utf8String& key) const
    {
        int64_t number = 0;
        if (!ItemNumberOf(key, number))
            return label_ + " reads only the keys Item01, Item02, ...";
        if (number == 0)
            return "the numbering starts at Item01";
        const Utf8String wanted = ItemKey(number);
        if (!NamesEqual(key, wanted))
            return "the key for number " + std::to_string(number) + " is " + wanted;
        const int64_t read = static_cast<int64_t>(readLines_.size());
        if (read == 0)
            return "Item01 is missing, so nothing is read";
        return ItemKey(read + 1) + " is missing, so reading stops at " + ItemKey(read);
    }

    // A line in the section that is neither a key, a comment nor blank. One meant as a section
    // line is warned about as such.
    void CheckOtherLine(int index)
    {
        const Utf8String& line = lines_[index];
        if (BlankTrim(line).empty() || IsCommentLine(line) || SectionMeant(line) != nullptr)
            return;
        const char* what = IsKeyLine(line) ? " has no key before \"=\"" : " has no \"=\"";
        Warn(rule::NeverRead, index,
             Quoted(line) + what + ", so it is not a key line and is never read");
    }

    void CheckValue(int index, const Utf8String& key)
    {
        const Utf8String written = ValuePartOf(lines_[index]);
        const Utf8String trimmed = BlankTrim(written);
        const Utf8String pattern = Dequote(trimmed);
        if (trimmed != written && pattern == trimmed)
            WarnTrimmedBlanks(index, key);
        if (pattern != trimmed && pattern.find('"') != Utf8String::npos)
            Warn(rule::BlanksOrQuotes, index,
                 "the value of " + key +
                     " starts and ends with a double quote, so that pair is dropped as "
                     "quoting the whole value, and the pattern is " +
                     pattern);
        if (index == readLines_.front() && pattern.find_first_not_of('"') == Utf8String::npos)
            Warn(rule::EmptyItem01, index,
                 key + " is empty, so the first press inserts nothing: write a pattern there");
        CheckSpecialEntries(index, key, pattern);
        if (IsOwnSpecialEntry(pattern))
            return;
        for (const PatternFinding& finding : CheckPattern(key, Utf8ToWideReplacing(pattern)))
            Warn(*finding.rule, index, finding.text);
    }

    // Blanks on both sides of "=" ("Item01 = yyyy") are layout, not part of the value.
    void WarnTrimmedBlanks(int index, const Utf8String& key)
    {
        const Utf8String& line = lines_[index];
        const Utf8String written = ValuePartOf(line);
        const Utf8String leftTrimmed = BlankTrimLeft(written);
        const Utf8String keyPart = KeyPartOf(line);
        const bool spacedEquals = IsBlankCode(static_cast<unsigned char>(keyPart.back()));
        // By the bytes: the trim's trip through the code page may change other characters.
        const bool leading =
            IsBlankCode(static_cast<unsigned char>(written.front())) && !spacedEquals;
        const bool trailing = IsBlankCode(static_cast<unsigned char>(written.back()));
        if (!leading && !trailing)
            return;
        const char* where = leading && trailing ? "both ends" : leading ? "the start" : "the end";
        Warn(rule::BlanksOrQuotes, index,
             "the blanks at " + Utf8String(where) + " of the value of " + key +
                 " are dropped; to keep them, write " + key + "=\"" +
                 (spacedEquals ? leftTrimmed : written) + "\"");
    }

    // "CALENDAR1", "Calendar 1" and the like are patterns: only the exact spelling is the
    // special entry, and only in the section of a plug-in that has it.
    void CheckSpecialEntries(int index, const Utf8String& key, const Utf8String& pattern)
    {
        for (const SpecialEntry& special : specialEntries_) {
            if (!NamesEqual(WithoutBlanks(pattern), special.text))
                continue;
            if (!IsOwnSpecialEntry(special.text))
                Warn(rule::CalendarElsewhere, index,
                     "the value of " + key + " is " + special.text + ", a calendar that only " +
                         special.plugin->name + " inserts: " + traits_.name +
                         " renders it as a pattern; move it to [" + special.plugin->patternSection +
                         "]");
            else if (pattern != special.text)
                Warn(rule::SpelledOtherwise, index,
                     "the value of " + key + " is rendered as a pattern: only " + special.text +
                         ", spelled exactly so, inserts the calendar");
        }
    }

    bool IsOwnSpecialEntry(const Utf8String& text) const
    {
        for (const SpecialEntry& special : specialEntries_)
            if (special.plugin == &traits_ && special.text == text)
                return true;
        return false;
    }

    // A line holding "[" before "]" ends the section, though it may be meant as a key.
    void CheckEnd()
    {
        if (span_.end >= LineCount(lines_) || LooksLikeSectionLine(lines_[span_.end]))
            return;
        const Utf8String& line = lines_[span_.end];
        const int below = KeyLinesBelow(lines_, span_.end);
        Utf8String text =
            Quoted(line) + " holds \"[\" before \"]\", so it is read as the section " + "line [" +
            SectionNameOf(line) + "]: " + label_ + " ends above it, and this line is not in it";
        if (below > 0)
            text += "; " + KeyLinesAre(below, "below it") + " not in it either";
        Warn(rule::EndsTheSection, span_.end,
             text + " (no value can hold \"[\" before \"]\", not even between double quotes: "
                    "write other brackets)");
    }

    void CheckRepeats()
    {
        for (int i = span_.header + 1; i < LineCount(lines_); ++i) {
            if (!IsSectionLine(lines_[i]) || !NamesSection(lines_[i], traits_.patternSection))
                continue;
            const int below = KeyLinesBelow(lines_, i);
            Utf8String text = label_ + " appears again: only the first, at line " +
                              std::to_string(span_.header + 1) + ", is read";
            if (below > 0)
                text += ", so " + KeyLinesAre(below, "under this one") + " never read";
            Warn(rule::NeverRead, i, text);
        }
    }

    const TStringLines& lines_;
    const PluginTraits& traits_;
    const DefaultsPlacement placement_;
    const Utf8String label_;
    const TIniSpan span_;
    const std::vector<SpecialEntry> specialEntries_;
    TIniKeyIndex keys_;
    std::vector<int> keyLines_;   // the line of each key in keys_
    std::vector<int> readLines_;  // the lines a load reads, Item01 first
    std::vector<bool> isRead_;    // by line
    std::vector<SettingsWarning> warnings_;
};

// Lines meant as a plug-in's section line that open none.
std::vector<SettingsWarning> CheckSectionNames(const TStringLines& lines)
{
    std::vector<SettingsWarning> warnings;
    for (int i = 0; i < LineCount(lines); ++i) {
        const PluginIdentity* plugin = SectionMeant(lines[i]);
        if (plugin == nullptr)
            continue;
        const Utf8String section = "[" + Utf8String(plugin->section) + "]";
        Utf8String text = Quoted(lines[i]) + " opens no section the plug-ins read: did you mean " +
                          section + "? " + plugin->name + " reads its patterns only from " +
                          section + ", written so";
        const int below = IsSectionLine(lines[i]) ? KeyLinesBelow(lines, i) : 0;
        if (below > 0)
            text += "; " + KeyLinesAre(below, "under this line") + " never read";
        warnings.push_back({i + 1, &rule::SectionMistyped, text});
    }
    return warnings;
}

// "line 2", "lines 2 and 5", "lines 2, 5 and 9"; past five numbers the rest are counted.
std::string LinesNamed(const std::vector<int>& lines)
{
    constexpr size_t Named = 5;
    std::string text = lines.size() == 1 ? "line " : "lines ";
    const size_t shown = std::min(lines.size(), Named);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += i + 1 == shown && lines.size() <= Named ? " and " : ", ";
        text += std::to_string(lines[i]);
    }
    if (lines.size() > Named)
        text += " and " + std::to_string(lines.size() - Named) + " more";
    return text;
}

// The file's lines (1-based) by the encoding of their bytes beyond ASCII; lines of ASCII
// alone are in neither list.
struct LinesByEncoding {
    std::vector<int> utf8;
    std::vector<int> other;
};

LinesByEncoding SortLinesByEncoding(const std::string& bytes)
{
    LinesByEncoding sorted;
    const TStringLines lines = SplitIniText(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (std::all_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            continue;
        (IsUtf8BeyondAscii(line) ? sorted.utf8 : sorted.other).push_back(static_cast<int>(i) + 1);
    }
    return sorted;
}

// A file without a byte-order mark that holds UTF-8 lines and Shift-JIS lines reads as
// Shift-JIS, so its UTF-8 lines come out as other characters. Earlier versions of the
// plug-ins left such files: they added their defaults in Shift-JIS to a file saved as UTF-8.
std::vector<SettingsWarning> CheckEncodings(const std::string& bytes,
                                            const TIniFileContent& content)
{
    if (content.encoding != TIniEncoding::ShiftJis)
        return {};
    const LinesByEncoding sorted = SortLinesByEncoding(bytes);
    if (sorted.utf8.empty() || sorted.other.empty())
        return {};
    return {{0, &rule::TwoEncodings,
             "this file mixes two encodings: " + LinesNamed(sorted.utf8) + " in UTF-8, " +
                 LinesNamed(sorted.other) +
                 " in Shift-JIS, so it reads as Shift-JIS and the UTF-8 lines come out as other "
                 "characters (earlier versions of the plug-ins added their defaults in Shift-JIS "
                 "to a file saved as UTF-8). Delete or type again the lines of one encoding, then "
                 "save the file in one encoding: UTF-8 or Shift-JIS"}};
}

// In line order, the file's own first; of the warnings of one rule on a line, the first.
std::vector<SettingsWarning> InLineOrder(std::vector<SettingsWarning> warnings)
{
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [](const SettingsWarning& a, const SettingsWarning& b) { return a.line < b.line; });
    std::set<std::pair<int, const SettingsRule*>> seen;
    std::vector<SettingsWarning> kept;
    for (SettingsWarning& warning : warnings)
        if (seen.insert({warning.line, warning.rule}).second)
            kept.push_back(std::move(warning));
    return kept;
}

}  // namespace

std::vector<SettingsWarning> CheckSettingsFile(const std::string& bytes,
                                               const TIniFileContent& content,
                                               const std::vector<CheckedSection>& sections)
{
    std::vector<SettingsWarning> warnings = CheckEncodings(bytes, content);
    if (!content.faithful)
        warnings.push_back(NotReadWhole(bytes, content.encoding));
    const std::vector<SettingsWarning> names = CheckSectionNames(content.lines);
    warnings.insert(warnings.end(), names.begin(), names.end());

    std::vector<SectionChecker> checkers;
    checkers.reserve(sections.size());  // a checker holds an index of its section's keys
    std::vector<bool> read(content.lines.size(), false);
    for (const CheckedSection& section : sections) {
        checkers.emplace_back(content.lines, *section.traits, section.placement);
        checkers.back().MarkRead(read);
    }
    for (SectionChecker& checker : checkers) {
        const std::vector<SettingsWarning> found = checker.Run(read);
        warnings.insert(warnings.end(), found.begin(), found.end());
    }
    return InLineOrder(std::move(warnings));
}

}  // namespace stem
