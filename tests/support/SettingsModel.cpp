#include "tests/support/SettingsModel.h"

#include "platform/Platform.h"

namespace stem::model {

namespace {

// The first byte equal to the mark that is not the second byte of a Shift-JIS character.
size_t Find(const AnsiString& line, char mark)
{
    for (size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (line[i] == mark)
            return i;
        if (((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) &&
            i + 1 < line.size())
            ++i;
    }
    return AnsiString::npos;
}

AnsiString Trim(const AnsiString& text, bool right = true)
{
    WideString wide = platform::AnsiToWide(text);
    size_t first = 0;
    size_t last = wide.size();
    while (first < last && wide[first] <= u' ')
        ++first;
    while (right && last > first && wide[last - 1] <= u' ')
        --last;
    return platform::WideToAnsi(wide.substr(first, last - first));
}

bool Same(const AnsiString& a, const AnsiString& b)
{
    return platform::AnsiEqual(a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()), true);
}

bool IsComment(const AnsiString& line)
{
    const AnsiString text = Trim(line, false);
    return !text.empty() && text[0] == ';';
}

// The text between the first "[" and the first "]", when there are both in that order.
bool Bracketed(const AnsiString& line, AnsiString& name)
{
    const size_t open = Find(line, '[');
    const size_t close = Find(line, ']');
    if (open == AnsiString::npos || close == AnsiString::npos || open > close)
        return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool IsSection(const AnsiString& line)
{
    AnsiString name;
    return !IsComment(line) && Bracketed(line, name);
}

// The trimmed text before the first "=" (empty when the line begins with it).
AnsiString KeyOf(const AnsiString& line)
{
    const size_t equals = Find(line, '=');
    return equals == AnsiString::npos || equals == 0 ? AnsiString() : Trim(line.substr(0, equals));
}

bool IsKey(const AnsiString& line)
{
    return !IsComment(line) && Find(line, '=') != AnsiString::npos;
}

WideString ValueOf(const AnsiString& line)
{
    AnsiString value = Trim(line.substr(Find(line, '=') + 1));
    WideString wide = platform::AnsiToWide(value);
    if (wide.size() >= 2 && wide.front() == u'"' && wide.back() == u'"')
        value = platform::WideToAnsi(wide.substr(1, wide.size() - 2));
    return platform::AnsiToWide(value);
}

// The section's first line (its name in brackets, comments too) and one past its last.
struct Span {
    size_t header = AnsiString::npos;
    size_t end = 0;
};

Span SectionIn(const Lines& lines, const AnsiString& section)
{
    Span span;
    for (size_t i = 0; i < lines.size() && span.header == AnsiString::npos; ++i) {
        AnsiString name;
        if (Bracketed(lines[i], name) && Same(Trim(name), section))
            span.header = i;
    }
    if (span.header == AnsiString::npos)
        return span;
    span.end = span.header + 1;
    while (span.end < lines.size() && !IsSection(lines[span.end]))
        ++span.end;
    return span;
}

// The key lines of the section as (key, value of the key's first line), in file order.
std::vector<std::pair<AnsiString, WideString>> PairsOf(const Lines& lines, const Span& span)
{
    std::vector<std::pair<AnsiString, WideString>> pairs;
    if (span.header == AnsiString::npos)
        return pairs;
    for (size_t i = span.header; i < span.end; ++i) {
        if (!IsKey(lines[i]) || KeyOf(lines[i]).empty())
            continue;
        WideString value = ValueOf(lines[i]);
        for (const auto& earlier : pairs)
            if (Same(earlier.first, KeyOf(lines[i]))) {
                value = earlier.second;
                break;
            }
        pairs.emplace_back(KeyOf(lines[i]), value);
    }
    return pairs;
}

AnsiString ItemKey(int number)
{
    return (number < 10 ? "Item0" : "Item") + std::to_string(number);
}

}  // namespace

Lines LinesOf(const std::string& text)
{
    Lines lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A key is found among the key lines; its value is that of the section's first line whose key
// part is the key.
Patterns Load(const Lines& lines, const AnsiString& section)
{
    const Span span = SectionIn(lines, section);
    const auto pairs = PairsOf(lines, span);
    Patterns patterns;
    for (int number = 1;; ++number) {
        const AnsiString key = ItemKey(number);
        bool found = false;
        for (const auto& pair : pairs)
            found = found || Same(pair.first, key);
        if (!found)
            break;
        for (size_t i = span.header; i < span.end; ++i)
            if (Same(KeyOf(lines[i]), key)) {
                patterns.push_back(ValueOf(lines[i]));
                break;
            }
    }
    patterns.emplace_back();
    return patterns;
}

// In the file's last section, the block goes below a final blank line; elsewhere it goes up
// past the lines that are neither sections nor keys, to just below the last one that is.
Placed PlaceDefaults(Lines& lines, const AnsiString& section, const Lines& defaults,
                     const AnsiString& otherSection)
{
    const Span span = SectionIn(lines, section);
    if (!PairsOf(lines, span).empty())
        return Placed::NotNeeded;
    const auto otherBefore = PairsOf(lines, SectionIn(lines, otherSection));
    if (span.header == AnsiString::npos) {
        lines.push_back("[" + section + "]");
        lines.insert(lines.end(), defaults.begin(), defaults.end());
    } else {
        size_t at = span.end;
        const bool lastSection = span.end == lines.size();
        if (!(lastSection && Trim(lines[at - 1]).empty()))
            while (at > 0 && !IsSection(lines[at - 1]) && !IsKey(lines[at - 1]))
                --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), defaults.begin(),
                     defaults.end());
    }
    if (PairsOf(lines, SectionIn(lines, section)).empty())
        return Placed::OutsideSection;
    if (PairsOf(lines, SectionIn(lines, otherSection)) != otherBefore)
        return Placed::InOtherSection;
    return Placed::InSection;
}

}  // namespace stem::model
