#include "MyLibrary/StringUnit/StringUnit.h"

#include <algorithm>
#include <climits>

#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// True when the run of count units from the 1-based position lies wholly inside length units.
// 64-bit sums, so no position or count can wrap around.
bool RunInside(size_t length, int64_t position, int64_t count)
{
    return position >= 1 && count >= 1 && position + count - 1 <= static_cast<int64_t>(length);
}

// Index of the first pair whose old text matches at the 0-based offset, -1 when none.
int FirstMatchingPair(const WideString& source, size_t offset,
                      const std::vector<WideString>& oldTexts, bool ignoreCase)
{
    const size_t rest = source.size() - offset;
    for (size_t i = 0; i < oldTexts.size(); ++i) {
        const WideString& old = oldTexts[i];
        if (old.empty() || old.size() > rest)
            continue;
        if (ignoreCase) {
            if (MatchesAtIgnoreCase(old, source, static_cast<int>(offset + 1)))
                return static_cast<int>(i);
        } else if (old[0] == source[offset] &&
                   std::equal(old.begin() + 1, old.end(), source.begin() + offset + 1)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A UTF-8 byte that continues a character, never one that starts it.
bool ContinuesCharacter(const Utf8String& text, size_t index)
{
    return index < text.size() && (static_cast<unsigned char>(text[index]) & 0xC0) == 0x80;
}

// Whether the whole pattern stands in the text at the 1-based position (the pattern fits
// there): a run of whole characters that compares equal under the locale.
bool PatternAt(const Utf8String& text, const Utf8String& pattern, int64_t position, bool ignoreCase)
{
    const size_t start = static_cast<size_t>(position - 1);
    if (ContinuesCharacter(text, start) || ContinuesCharacter(text, start + pattern.size()))
        return false;
    const WideString run = Utf8ToWideReplacing(text.substr(start, pattern.size()));
    const WideString wanted = Utf8ToWideReplacing(pattern);
    return platform::WideEqual(run.data(), static_cast<int>(run.size()), wanted.data(),
                               static_cast<int>(wanted.size()), ignoreCase);
}

}  // namespace

// ---- Wide text ----

bool WideCharsMatchAt(const WideString& a, const WideString& b, int posA, bool ignoreCase,
                      int count, int posB)
{
    if (!RunInside(a.size(), posA, count) || !RunInside(b.size(), posB, count))
        return false;
    return platform::WideEqual(a.data() + posA - 1, count, b.data() + posB - 1, count, ignoreCase);
}

namespace {

// The pattern fits in the text at the position (the guards shared by the MatchesAt family).
bool PatternFitsAt(const WideString& pattern, const WideString& text, int position)
{
    return !pattern.empty() &&
           RunInside(text.size(), position, static_cast<int64_t>(pattern.size()));
}

}  // namespace

bool MatchesAt(const WideString& pattern, const WideString& text, int position)
{
    return PatternFitsAt(pattern, text, position) &&
           WideCharsMatchAt(pattern, text, 1, false, static_cast<int>(pattern.size()), position);
}

bool MatchesAtIgnoreCase(const WideString& pattern, const WideString& text, int position)
{
    return PatternFitsAt(pattern, text, position) &&
           WideCharsMatchAt(pattern, text, 1, true, static_cast<int>(pattern.size()), position);
}

bool EndsWithText(const WideString& text, const WideString& suffix, bool ignoreCase)
{
    if (text.empty() || suffix.empty() || suffix.size() > text.size())
        return false;
    int position = static_cast<int>(text.size() - suffix.size() + 1);
    return ignoreCase ? MatchesAtIgnoreCase(suffix, text, position)
                      : MatchesAt(suffix, text, position);
}

WideString EnsureSuffix(const WideString& text, const WideString& suffix, bool ignoreCase)
{
    return EndsWithText(text, suffix, ignoreCase) ? text : text + suffix;
}

WideString EnsureTrailingBackslash(const WideString& path)
{
    return EnsureSuffix(path, u"\\", false);
}

WideString ToFullWidth(const WideString& text)
{
    return platform::FullWidth(text);
}

WideString ReplacePairs(const WideString& source, const std::vector<WideString>& oldTexts,
                        const std::vector<WideString>& newTexts, ReplaceMatches matches,
                        LetterCase letterCase)
{
    const bool ignoreCase = letterCase == LetterCase::Ignored;
    if (oldTexts.empty() || oldTexts.size() != newTexts.size())
        return source;
    WideString result;
    size_t offset = 0;
    while (offset < source.size()) {
        int pair = FirstMatchingPair(source, offset, oldTexts, ignoreCase);
        if (pair < 0) {
            result.push_back(source[offset++]);
            continue;
        }
        result += newTexts[static_cast<size_t>(pair)];
        offset += oldTexts[static_cast<size_t>(pair)].size();
        if (matches == ReplaceMatches::FirstOnly) {
            result.append(source, offset, WideString::npos);
            break;
        }
    }
    return result;
}

namespace {

template <typename Char>
std::vector<std::basic_string<Char>> SplitLinesOf(std::basic_string_view<Char> text,
                                                  LineBreaks breaks)
{
    std::vector<std::basic_string<Char>> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        const bool lone = text[i] == '\n' || (text[i] == '\r' && breaks == LineBreaks::CrOrLf);
        if (!crLf && !lone)
            continue;
        lines.emplace_back(text.substr(start, i - start));
        i += crLf ? 1 : 0;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace

std::vector<WideString> SplitLines(std::u16string_view text, LineBreaks breaks)
{
    return SplitLinesOf(text, breaks);
}

std::vector<Utf8String> SplitLines(std::string_view text, LineBreaks breaks)
{
    return SplitLinesOf(text, breaks);
}

bool EscapeAt(std::u16string_view text, size_t position, char16_t& standsFor)
{
    struct Escape {
        char16_t lower, upper, character;
    };
    static constexpr Escape Escapes[] = {
        {u'r', u'R', u'\r'},   {u'n', u'N', u'\n'}, {u't', u'T', u'\t'},
        {u'\\', u'\\', u'\\'}, {u'0', u'0', u'\0'},
    };
    if (position + 1 >= text.size() || text[position] != u'\\')
        return false;
    const char16_t next = text[position + 1];
    for (const Escape& escape : Escapes) {
        if (next == escape.lower || next == escape.upper) {
            standsFor = escape.character;
            return true;
        }
    }
    return false;
}

// ---- Held (UTF-8) text ----

int AnsiFindEx(const Utf8String& pattern, const Utf8String& text, int start, int direction,
               bool ignoreCase, int window)
{
    const int64_t textLength = static_cast<int64_t>(text.size());
    const int64_t patternLength = static_cast<int64_t>(pattern.size());
    if (patternLength == 0 || textLength == 0 || start < 1 || start > textLength ||
        window < patternLength || window < 1)
        return 0;
    int64_t last = static_cast<int64_t>(start) + window - 1;
    if (last > INT32_MAX || last > textLength)
        last = textLength;
    const int64_t first = start;
    const int64_t final = last - patternLength + 1;
    if (final < first)
        return 0;
    if (direction == SearchForward) {
        for (int64_t p = first; p <= final; ++p)
            if (PatternAt(text, pattern, p, ignoreCase))
                return static_cast<int>(p);
    } else if (direction == SearchBackward) {
        for (int64_t p = final; p >= first; --p)
            if (PatternAt(text, pattern, p, ignoreCase))
                return static_cast<int>(p);
    }
    return 0;
}

int AnsiFindText(const Utf8String& pattern, const Utf8String& text, bool ignoreCase)
{
    return AnsiFindEx(pattern, text, 1, SearchForward, ignoreCase, 0x7FFFFFFF);
}

bool AnsiHasText(const Utf8String& pattern, const Utf8String& text, bool ignoreCase)
{
    return AnsiFindText(pattern, text, ignoreCase) >= 1;
}

// ---- Paths and registry values ----

size_t LastBackslashOf(const WideString& path)
{
    return path.rfind(u'\\');
}

WideString ExtractFolder(const WideString& path)
{
    const size_t lastBackslash = LastBackslashOf(path);
    return lastBackslash == WideString::npos ? WideString() : path.substr(0, lastBackslash);
}

// The data holds UTF-16LE code units; an odd last byte is half a unit and no character, and an
// unpaired surrogate stays as stored.
bool RegistryStringText(uint32_t type, const std::string& data, WideString& text)
{
    if (type != platform::RegistryString && type != platform::RegistryExpandString)
        return false;
    WideString units;
    Utf16ToWide(data, ByteOrder::LittleEndian, units);
    text = units.substr(0, units.find(u'\0'));
    return true;
}

}  // namespace stem
