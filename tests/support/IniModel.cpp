#include "tests/support/IniModel.h"

#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem::model {

Utf8String TrimCharacters(const Utf8String& text, bool spaceOnly, bool right)
{
    const auto trimmed = [spaceOnly](char16_t c) { return spaceOnly ? c == u' ' : c <= u' '; };
    const WideString wide = Utf8ToWideReplacing(text);
    size_t first = 0;
    size_t last = wide.size();
    while (first < last && trimmed(wide[first]))
        ++first;
    while (right && last > first && trimmed(wide[last - 1]))
        --last;
    return WideToUtf8(wide.substr(first, last - first));
}

namespace {

constexpr size_t None = Utf8String::npos;

// The first mark of the line, by its characters.
size_t Find(const Utf8String& line, char16_t mark)
{
    const WideString wide = Utf8ToWideReplacing(line);
    const size_t at = wide.find(mark);
    return at == WideString::npos ? None : WideToUtf8(wide.substr(0, at)).size();
}

Utf8String Trim(const Utf8String& text, bool right = true)
{
    return TrimCharacters(text, false, right);
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
    if (open == None || close == None || open > close)
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
    return equals == None || equals == 0 ? Utf8String() : Trim(line.substr(0, equals));
}

bool IsKey(const Utf8String& line)
{
    return !IsComment(line) && Find(line, '=') != None;
}

Utf8String ValueOf(const Utf8String& line)
{
    const WideString wide = Utf8ToWideReplacing(Trim(line.substr(Find(line, '=') + 1)));
    if (wide.size() >= 2 && wide.front() == u'"' && wide.back() == u'"')
        return WideToUtf8(wide.substr(1, wide.size() - 2));
    return WideToUtf8(wide);
}

// The section's first line (its name in brackets, comments too) and one past its last.
struct Span {
    size_t header = None;
    size_t end = 0;
};

Span SectionIn(const Lines& lines, const Utf8String& section)
{
    Span span;
    for (size_t i = 0; i < lines.size() && span.header == None; ++i) {
        Utf8String name;
        if (Bracketed(lines[i], name) && Same(Trim(name), section))
            span.header = i;
    }
    if (span.header == None)
        return span;
    span.end = span.header + 1;
    while (span.end < lines.size() && !IsSection(lines[span.end]))
        ++span.end;
    return span;
}

// The section's first line whose key part is the key.
size_t FirstLineOf(const Lines& lines, const Span& span, const Utf8String& key)
{
    for (size_t i = span.header; span.header != None && i < span.end; ++i)
        if (Same(KeyOf(lines[i]), key))
            return i;
    return None;
}

std::vector<Pair> PairsOf(const Lines& lines, const Span& span)
{
    std::vector<Pair> pairs;
    for (size_t i = span.header; span.header != None && i < span.end; ++i) {
        const Utf8String key = KeyOf(lines[i]);
        if (IsKey(lines[i]) && !key.empty())
            pairs.emplace_back(key, ValueOf(lines[FirstLineOf(lines, span, key)]));
    }
    return pairs;
}

Utf8String ItemKey(size_t number)
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

std::vector<Utf8String> SectionNames(const Lines& lines)
{
    std::vector<Utf8String> names;
    Utf8String name;
    for (const Utf8String& line : lines) {
        if (!Bracketed(line, name))
            continue;
        if (!Trim(name).empty())
            names.push_back(Trim(name));
        else if (!IsComment(line))
            break;
    }
    return names;
}

std::vector<Pair> Pairs(const Lines& lines, const Utf8String& section)
{
    return PairsOf(lines, SectionIn(lines, section));
}

Patterns Load(const Lines& lines, const Utf8String& section)
{
    const Span span = SectionIn(lines, section);
    Patterns patterns;
    for (size_t number = 1;; ++number) {
        const size_t line = FirstLineOf(lines, span, ItemKey(number));
        if (line == None)
            break;
        patterns.push_back(Utf8ToWideReplacing(ValueOf(lines[line])));
    }
    patterns.emplace_back();
    return patterns;
}

// In the file's last section, a new key line goes below a final blank line; elsewhere it goes up
// past the lines that are neither sections nor keys, to just below the last one that is.
void Write(Lines& lines, const Utf8String& section, const Utf8String& key, const Utf8String& value)
{
    const Span span = SectionIn(lines, section);
    if (span.header == None) {
        lines.push_back("[" + section + "]");
        lines.push_back(key + "=" + value);
        return;
    }
    if (const size_t line = FirstLineOf(lines, span, key); line != None) {
        lines[line] = lines[line].substr(0, Find(lines[line], '=')) + "=" + value;
        return;
    }
    size_t at = span.end;
    const bool lastSection = span.end == lines.size();
    if (!(lastSection && Trim(lines[at - 1]).empty()))
        while (at > 0 && !IsSection(lines[at - 1]) && !IsKey(lines[at - 1]))
            --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), key + "=" + value);
}

void DeleteKey(Lines& lines, const Utf8String& section, const Utf8String& key)
{
    Span span = SectionIn(lines, section);
    for (size_t line = FirstLineOf(lines, span, key); line != None;
         line = FirstLineOf(lines, span, key)) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
        --span.end;
    }
}

void EraseSection(Lines& lines, const Utf8String& section)
{
    const Span span = SectionIn(lines, section);
    if (span.header == None)
        return;
    size_t end = span.end;
    while (end > span.header && (Trim(lines[end - 1]).empty() || IsComment(lines[end - 1])))
        --end;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span.header),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
}

// Judged by where the defaults did land: in the section, where a load finds them, and in no
// other plug-in's section.
Placed PlaceDefaults(Lines& lines, const Utf8String& section,
                     const std::vector<Utf8String>& defaults,
                     const std::vector<Utf8String>& otherSections)
{
    if (!Pairs(lines, section).empty())
        return Placed::NotNeeded;
    std::vector<std::vector<Pair>> othersBefore;
    for (const Utf8String& other : otherSections)
        othersBefore.push_back(Pairs(lines, other));
    for (size_t i = 0; i < defaults.size(); ++i)
        Write(lines, section, ItemKey(i + 1), defaults[i]);
    if (Pairs(lines, section).empty())
        return Placed::OutsideSection;
    for (size_t i = 0; i < otherSections.size(); ++i)
        if (Pairs(lines, otherSections[i]) != othersBefore[i])
            return Placed::InOtherSection;
    return Placed::InSection;
}

}  // namespace stem::model
