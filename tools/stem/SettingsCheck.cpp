#include "tools/stem/SettingsCheck.h"

#include <algorithm>

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

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

// The text without its blank bytes; no byte of another UTF-8 character is one.
Utf8String WithoutBlanks(Utf8String text)
{
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) <= ' '; }),
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

class SectionChecker {
public:
    SectionChecker(const TStringLines& lines, const PluginTraits& traits,
                   DefaultsPlacement placement)
        : lines_(lines),
          traits_(traits),
          placement_(placement),
          label_("[" + Utf8String(traits.patternSection) + "]"),
          span_(FindIniSection(lines, traits.patternSection))
    {
    }

    std::vector<SettingsWarning> Run()
    {
        if (!span_.Found())
            return {};
        FindReadLines();
        CheckHeader();
        CheckSectionLines();
        CheckEnd();
        CheckRepeats();
        return warnings_;
    }

private:
    void Warn(int index, const Utf8String& text) { warnings_.push_back({index + 1, text}); }

    void FindReadLines()
    {
        readLines_ = ReadItemPlaces(
            [this](const Utf8String& key) { return FindIniKey(lines_, span_, key); });
    }

    bool IsRead(int index) const
    {
        return std::find(readLines_.begin(), readLines_.end(), index) != readLines_.end();
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
            Warn(span_.header, text);
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
        return cannot + "they would land in the other plug-in's section too" + meanwhile;
    }

    void CheckSectionLines()
    {
        for (int i = span_.header; i < span_.end; ++i) {
            const Utf8String key = LineKey(lines_[i]);
            if (key.empty()) {
                if (i > span_.header)
                    CheckOtherLine(i);
                continue;
            }
            const int first = FindIniKey(lines_, span_, key);
            if (first != i)
                Warn(i, Quoted(lines_[i]) + " is never read: " + key + " is given already at " +
                            "line " + std::to_string(first + 1) + ", and only the first is read");
            else if (IsRead(i))
                CheckValue(i, key);
            else
                Warn(i, Quoted(lines_[i]) + " is never read: " + WhyNotRead(key));
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

    // A line in the section that is neither a key, a comment nor blank.
    void CheckOtherLine(int index)
    {
        const Utf8String& line = lines_[index];
        if (BlankTrim(line).empty() || IsCommentLine(line))
            return;
        const char* what = IsKeyLine(line) ? " has no key before \"=\"" : " has no \"=\"";
        Warn(index, Quoted(line) + what + ", so it is not a key line and is never read");
    }

    void CheckValue(int index, const Utf8String& key)
    {
        const Utf8String written = ValuePartOf(lines_[index]);
        const Utf8String trimmed = BlankTrim(written);
        const Utf8String pattern = Dequote(trimmed);
        if (trimmed != written && pattern == trimmed)
            WarnTrimmedBlanks(index, key);
        if (pattern != trimmed && pattern.find('"') != Utf8String::npos)
            Warn(index, "the value of " + key +
                            " starts and ends with a double quote, so that pair is dropped as "
                            "quoting the whole value, and the pattern is " +
                            pattern);
        CheckQuotes(index, key, pattern);
        CheckSpecialEntrySpelling(index, key, pattern);
    }

    // Blanks on both sides of "=" ("Item01 = yyyy") are layout, not part of the value.
    void WarnTrimmedBlanks(int index, const Utf8String& key)
    {
        const Utf8String& line = lines_[index];
        const Utf8String written = ValuePartOf(line);
        const Utf8String leftTrimmed = BlankTrimLeft(written);
        const Utf8String keyPart = KeyPartOf(line);
        const bool spacedEquals = IsBlankCode(static_cast<unsigned char>(keyPart.back()));
        const bool leading =
            IsBlankCode(static_cast<unsigned char>(written.front())) && !spacedEquals;
        const bool trailing = IsBlankCode(static_cast<unsigned char>(written.back()));
        if (!leading && !trailing)
            return;
        const char* where = leading && trailing ? "both ends" : leading ? "the start" : "the end";
        Warn(index, "the blanks at " + Utf8String(where) + " of the value of " + key +
                        " are dropped; to keep them, write " + key + "=\"" +
                        (spacedEquals ? leftTrimmed : written) + "\"");
    }

    // Quotes pair up as the renderer reads them; after an unpaired one, the rest is literal.
    void CheckQuotes(int index, const Utf8String& key, const Utf8String& pattern)
    {
        struct Ignore {
            void OnSection(size_t) {}
            void OnText(std::u16string_view) {}
            void OnToken(const PatternToken&) {}
        } ignore;
        const WideString wide = Utf8ToWideReplacing(pattern);
        if (!WalkPattern(wide, ignore))
            return;
        const WideString rest = wide.substr(wide.rfind(u'"') + 1);
        if (rest.empty())
            Warn(index, "the pattern of " + key +
                            " ends with a double quote that has no partner; it is dropped");
        else
            Warn(index, "the pattern of " + key +
                            " has an odd number of double quotes: the text after the last one is "
                            "copied as written, its tokens and escapes not replaced: \"" +
                            WideToUtf8(rest) + "\"");
    }

    // "CALENDAR1", "Calendar 1" and the like are patterns: only the exact spelling is the
    // special entry.
    void CheckSpecialEntrySpelling(int index, const Utf8String& key, const Utf8String& pattern)
    {
        for (int i = 0; i < traits_.specialEntryCount; ++i) {
            const Utf8String entry = WideToUtf8(traits_.specialEntries[i]);
            if (pattern != entry && NamesEqual(WithoutBlanks(pattern), entry))
                Warn(index, "the value of " + key + " is rendered as a pattern: only " + entry +
                                ", spelled exactly so, inserts the calendar");
        }
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
        Warn(span_.end, text + " (no value can hold \"[\" before \"]\", not even between double "
                               "quotes: write other brackets)");
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
            Warn(i, text);
        }
    }

    const TStringLines& lines_;
    const PluginTraits& traits_;
    const DefaultsPlacement placement_;
    const Utf8String label_;
    const TIniSpan span_;
    std::vector<int> readLines_;
    std::vector<SettingsWarning> warnings_;
};

// The lines hold less than the file: what a load reads differs from what an editor shows.
const char* const UnfaithfulFile =
    "the lines cannot carry all of this file (a NUL byte ends them; malformed text changes), so "
    "the plug-ins read it as far as it goes and never write to it";

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
        const Utf8String& line = lines[i];
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
Utf8String MixedEncodings(const std::string& bytes, const TIniFileContent& content)
{
    if (content.encoding != TIniEncoding::ShiftJis)
        return Utf8String();
    const LinesByEncoding sorted = SortLinesByEncoding(bytes);
    if (sorted.utf8.empty() || sorted.other.empty())
        return Utf8String();
    return "this file mixes two encodings: " + LinesNamed(sorted.utf8) + " in UTF-8, " +
           LinesNamed(sorted.other) +
           " in Shift-JIS, so it reads as Shift-JIS and the UTF-8 lines come out as other "
           "characters (earlier versions of the plug-ins added their defaults in Shift-JIS to a "
           "file saved as UTF-8). Delete or type again the lines of one encoding, then save the "
           "file in one encoding: UTF-8 or Shift-JIS";
}

}  // namespace

std::vector<SettingsWarning> CheckSettingsFile(const std::string& bytes,
                                               const TIniFileContent& content,
                                               const std::vector<CheckedSection>& sections)
{
    std::vector<SettingsWarning> warnings;
    if (!content.faithful)
        warnings.push_back({0, UnfaithfulFile});
    const Utf8String mixed = MixedEncodings(bytes, content);
    if (!mixed.empty())
        warnings.push_back({0, mixed});
    for (const CheckedSection& section : sections) {
        const std::vector<SettingsWarning> found =
            SectionChecker(content.lines, *section.traits, section.placement).Run();
        warnings.insert(warnings.end(), found.begin(), found.end());
    }
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [](const SettingsWarning& a, const SettingsWarning& b) { return a.line < b.line; });
    return warnings;
}

}  // namespace stem
