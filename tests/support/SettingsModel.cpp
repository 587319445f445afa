#include "tests/support/SettingsModel.h"

#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem::model {

namespace {

// The first mark of the line, by its characters.
size_t Find(const Utf8String& line, char16_t mark)
{
    const WideString wide = Utf8ToWideReplacing(line);
    const size_t at = wide.find(mark);
    return at == WideString::npos ? Utf8String::npos : WideToUtf8(wide.substr(0, at)).size();
}

Utf8String Trim(const Utf8String& text, bool right = true)
{
    WideString wide = Utf8ToWideReplacing(text);
    size_t first = 0;
    size_t last = wide.size();
    while (first < last && wide[first] <= u' ')
        ++first;
    while (right && last > first && wide[last - 1] <= u' ')
        --last;
    return WideToUtf8(wide.substr(first, last - first));
}

bool Same(const Utf8String& a, const Utf8String& b)
{
    const WideString wideA = Utf8ToWideReplacing(a);
    const WideString wideB = Utf8ToWideReplacing(b);
    return platform::WideEqual(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                               static_cast<int>(wideB.size()), true);
}

bool IsComment(const Utf8String& line)
{
    const Utf8String text = Trim(line, false);
    return !text.empty() && text[0] == ';';
}

// The text between the first "[" and the first "]", when there are both in that order.
bool Bracketed(const Utf8String& line, Utf8String& name)
{
    const size_t open = Find(line, '[');
    const size_t close = Find(line, ']');
    if (open == Utf8String::npos || close == Utf8String::npos || open > close)
        return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool IsSection(const Utf8String& line)
{
    Utf8String name;
    return !IsComment(line) && Bracketed(line, name);
}

// The trimmed text before the first "=" (empty when the line begins with it).
Utf8String KeyOf(const Utf8String& line)
{
    const size_t equals = Find(line, '=');
    return equals == Utf8String::npos || equals == 0 ? Utf8String() : Trim(line.substr(0, equals));
}

bool IsKey(const Utf8String& line)
{
    return !IsComment(line) && Find(line, '=') != Utf8String::npos;
}

WideString ValueOf(const Utf8String& line)
{
    const WideString wide = Utf8ToWideReplacing(Trim(line.substr(Find(line, '=') + 1)));
    if (wide.size() >= 2 && wide.front() == u'"' && wide.back() == u'"')
        return wide.substr(1, wide.size() - 2);
    return wide;
}

// The section's first line (its name in brackets, comments too) and one past its last.
struct Span {
    size_t header = Utf8String::npos;
    size_t end = 0;
};

Span SectionIn(const Lines& lines, const Utf8String& section)
{
    Span span;
    for (size_t i = 0; i < lines.size() && span.header == Utf8String::npos; ++i) {
        Utf8String name;
        if (Bracketed(lines[i], name) && Same(Trim(name), section))
            span.header = i;
    }
    if (span.header == Utf8String::npos)
        return span;
    span.end = span.header + 1;
    while (span.end < lines.size() && !IsSection(lines[span.end]))
        ++span.end;
    return span;
}

// The key lines of the section as (key, value of the key's first line), in file order.
std::vector<std::pair<Utf8String, WideString>> PairsOf(const Lines& lines, const Span& span)
{
    std::vector<std::pair<Utf8String, WideString>> pairs;
    if (span.header == Utf8String::npos)
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

Utf8String ItemKey(int number)
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
Patterns Load(const Lines& lines, const Utf8String& section)
{
    const Span span = SectionIn(lines, section);
    const auto pairs = PairsOf(lines, span);
    Patterns patterns;
    for (int number = 1;; ++number) {
        const Utf8String key = ItemKey(number);
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
Placed PlaceDefaults(Lines& lines, const Utf8String& section, const Lines& defaults,
                     const Utf8String& otherSection)
{
    const Span span = SectionIn(lines, section);
    if (!PairsOf(lines, span).empty())
        return Placed::NotNeeded;
    const auto otherBefore = PairsOf(lines, SectionIn(lines, otherSection));
    if (span.header == Utf8String::npos) {
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
