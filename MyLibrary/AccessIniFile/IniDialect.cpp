#include "MyLibrary/AccessIniFile/IniDialect.h"

#include <algorithm>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// 1-based position of the first mark, 0 when none. Every byte of a UTF-8 character that is
// not ASCII is 0x80 or above, so an ASCII mark is never part of another character.
int PositionOf(char mark, const Utf8String& line)
{
    const std::size_t at = line.find(mark);
    return at == Utf8String::npos ? 0 : static_cast<int>(at) + 1;
}

bool BracketsInOrder(const Utf8String& line, int& open, int& close)
{
    open = PositionOf('[', line);
    close = PositionOf(']', line);
    return open > 0 && open < close;
}

bool IsBlankByte(char c)
{
    return IsBlankCode(static_cast<unsigned char>(c));
}

bool IsSpaceByte(char c)
{
    return c == ' ';
}

// Blanks and the space are ASCII, and no byte of another UTF-8 character is one of them: the
// text is trimmed byte by byte. Views, so that a line is copied once, when a part of it is
// taken (a load of a large section goes through every line).
std::string_view TrimBytes(std::string_view text, bool (*trimmed)(char), bool left, bool right)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (left && first < last && trimmed(text[first]))
        ++first;
    while (right && last > first && trimmed(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string_view BlankTrimmed(std::string_view text)
{
    return TrimBytes(text, IsBlankByte, true, true);
}

std::string_view Dequoted(std::string_view text)
{
    const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    return quoted ? text.substr(1, text.size() - 2) : text;
}

// The text before the first "=" (empty when there is none or it comes first), and after it.
std::string_view KeyPartView(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
}

std::string_view ValuePartView(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos || equals == 0 ? std::string_view()
                                                           : line.substr(equals + 1);
}

}  // namespace

Utf8String KeyPartOf(const Utf8String& line)
{
    return Utf8String(KeyPartView(line));
}

Utf8String ValuePartOf(const Utf8String& line)
{
    return Utf8String(ValuePartView(line));
}

Utf8String SectionNameOf(const Utf8String& line)
{
    int open = 0;
    int close = 0;
    if (!BracketsInOrder(line, open, close))
        return Utf8String();
    return line.substr(open, close - open - 1);
}

bool IsCommentLine(const Utf8String& line)
{
    const std::string_view text = TrimBytes(line, IsBlankByte, true, false);
    return !text.empty() && text[0] == ';';
}

bool IsSectionLine(const Utf8String& line)
{
    int open = 0;
    int close = 0;
    return !IsCommentLine(line) && BracketsInOrder(line, open, close);
}

bool IsKeyLine(const Utf8String& line)
{
    return !IsCommentLine(line) && PositionOf('=', line) > 0;
}

bool IsSectionOrKeyLine(const Utf8String& line)
{
    return IsSectionLine(line) || IsKeyLine(line);
}

Utf8String LineKey(const Utf8String& line)
{
    return IsKeyLine(line) ? Utf8String(BlankTrimmed(KeyPartView(line))) : Utf8String();
}

Utf8String BlankTrim(const Utf8String& text)
{
    return Utf8String(BlankTrimmed(text));
}

Utf8String BlankTrimLeft(const Utf8String& text)
{
    return Utf8String(TrimBytes(text, IsBlankByte, true, false));
}

Utf8String SpaceTrim(const Utf8String& text)
{
    return Utf8String(TrimBytes(text, IsSpaceByte, true, true));
}

Utf8String Dequote(const Utf8String& text)
{
    return Utf8String(Dequoted(text));
}

Utf8String LineValue(const Utf8String& line)
{
    return Utf8String(Dequoted(BlankTrimmed(ValuePartView(line))));
}

namespace {

bool IsPrintableAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// Equal bytes are equal names; others are compared as Windows compares wide text. Printable
// ASCII has no character that the comparison ignores and no letter but the 26 that fold, so two
// such names are equal when their lower-case forms are: the way of nearly every name.
bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    if (IsPrintableAscii(a) && IsPrintableAscii(b))
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    const WideString wideA = Utf8ToWideReplacing(std::string(a));
    const WideString wideB = Utf8ToWideReplacing(std::string(b));
    return platform::WideEqual(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                               static_cast<int>(wideB.size()), true);
}

TIniSpan FindIniSection(const TStringLines& lines, const Utf8String& section)
{
    TIniSpan span;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (NamesSection(lines[i], section)) {
            span.header = static_cast<int>(i);
            span.end = IniSectionEnd(lines, span.header);
            break;
        }
    }
    return span;
}

bool NamesSection(const Utf8String& line, const Utf8String& section)
{
    int open = 0;
    int close = 0;
    if (!BracketsInOrder(line, open, close))
        return NamesEqual(std::string_view(), section);
    const std::string_view name = std::string_view(line).substr(open, close - open - 1);
    return NamesEqual(BlankTrimmed(name), section);
}

int IniSectionEnd(const TStringLines& lines, int header)
{
    int end = header + 1;
    while (end < static_cast<int>(lines.size()) && !IsSectionLine(lines[end]))
        ++end;
    return end;
}

int FindIniKey(const TStringLines& lines, const TIniSpan& span, const Utf8String& key, int from)
{
    for (int i = from; i < span.end; ++i)
        if (NamesEqual(BlankTrimmed(KeyPartView(lines[i])), key))
            return i;
    return -1;
}

int FindIniKey(const TStringLines& lines, const TIniSpan& span, const Utf8String& key)
{
    return FindIniKey(lines, span, key, span.header);
}

}  // namespace stem
