#include "MyLibrary/AccessIniFile/IniDialect.h"

#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// 1-based position of the first single-byte character equal to the mark, 0 when none: what
// AnsiFindText gives for a one-byte ASCII mark, without a locale comparison per byte (the
// load's cost: IniBench LoadAsThePluginsDo).
int PositionOf(char mark, const AnsiString& line)
{
    const bool shiftJis = AnsiHasLeadBytes();
    for (std::size_t i = 0; i < line.size(); i += AnsiCharLength(line, i, shiftJis))
        if (line[i] == mark)
            return static_cast<int>(i) + 1;
    return 0;
}

bool BracketsInOrder(const AnsiString& line, int& open, int& close)
{
    open = PositionOf('[', line);
    close = PositionOf(']', line);
    return open > 0 && open < close;
}

// Bytes below 0x80 are the same characters in the code page and in UTF-16, so ASCII text is
// trimmed and unquoted in place: the same result as the round trip through the code page, and
// a faster load (IniBench LoadAsThePluginsDo).
bool IsAscii(const AnsiString& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsBlankByte(char c)
{
    return IsBlankCode(static_cast<unsigned char>(c));
}

bool IsSpaceByte(char c)
{
    return c == ' ';
}

AnsiString TrimBytes(const AnsiString& text, bool (*trimmed)(char), bool left, bool right)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (left && first < last && trimmed(text[first]))
        ++first;
    while (right && last > first && trimmed(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

}  // namespace

AnsiString KeyPartOf(const AnsiString& line)
{
    const int equals = PositionOf('=', line);
    return equals > 1 ? line.substr(0, equals - 1) : AnsiString();
}

AnsiString ValuePartOf(const AnsiString& line)
{
    const int equals = PositionOf('=', line);
    return equals > 1 ? line.substr(equals) : AnsiString();
}

AnsiString SectionNameOf(const AnsiString& line)
{
    int open = 0;
    int close = 0;
    if (!BracketsInOrder(line, open, close))
        return AnsiString();
    return line.substr(open, close - open - 1);
}

bool IsCommentLine(const AnsiString& line)
{
    const AnsiString text = BlankTrimLeft(line);
    return !text.empty() && text[0] == ';';
}

bool IsSectionLine(const AnsiString& line)
{
    int open = 0;
    int close = 0;
    return !IsCommentLine(line) && BracketsInOrder(line, open, close);
}

bool IsKeyLine(const AnsiString& line)
{
    return !IsCommentLine(line) && PositionOf('=', line) > 0;
}

bool IsSectionOrKeyLine(const AnsiString& line)
{
    return IsSectionLine(line) || IsKeyLine(line);
}

AnsiString LineKey(const AnsiString& line)
{
    return IsKeyLine(line) ? BlankTrim(KeyPartOf(line)) : AnsiString();
}

AnsiString BlankTrim(const AnsiString& text)
{
    if (IsAscii(text))
        return TrimBytes(text, IsBlankByte, true, true);
    return platform::WideToAnsi(TrimBlanks(platform::AnsiToWide(text)));
}

AnsiString BlankTrimLeft(const AnsiString& text)
{
    if (IsAscii(text))
        return TrimBytes(text, IsBlankByte, true, false);
    return platform::WideToAnsi(TrimBlanksLeft(platform::AnsiToWide(text)));
}

AnsiString SpaceTrim(const AnsiString& text)
{
    if (IsAscii(text))
        return TrimBytes(text, IsSpaceByte, true, true);
    return platform::WideToAnsi(TrimInSet(platform::AnsiToWide(text), u" "));
}

AnsiString Dequote(const AnsiString& text)
{
    if (IsAscii(text)) {
        const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
        return quoted ? text.substr(1, text.size() - 2) : text;
    }
    return platform::WideToAnsi(StripQuotes(platform::AnsiToWide(text), u"\""));
}

AnsiString LineValue(const AnsiString& line)
{
    return Dequote(BlankTrim(ValuePartOf(line)));
}

bool NamesEqual(const AnsiString& a, const AnsiString& b)
{
    return platform::AnsiEqual(a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()), true);
}

TIniSpan FindIniSection(const TStringLines& lines, const AnsiString& section)
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

bool NamesSection(const AnsiString& line, const AnsiString& section)
{
    return NamesEqual(BlankTrim(SectionNameOf(line)), section);
}

int IniSectionEnd(const TStringLines& lines, int header)
{
    int end = header + 1;
    while (end < static_cast<int>(lines.size()) && !IsSectionLine(lines[end]))
        ++end;
    return end;
}

int FindIniKey(const TStringLines& lines, const TIniSpan& span, const AnsiString& key, int from)
{
    for (int i = from; i < span.end; ++i)
        if (NamesEqual(BlankTrim(KeyPartOf(lines[i])), key))
            return i;
    return -1;
}

int FindIniKey(const TStringLines& lines, const TIniSpan& span, const AnsiString& key)
{
    return FindIniKey(lines, span, key, span.header);
}

}  // namespace stem
