// The INI dialect, line by line: how a line splits into key and value, which lines are
// sections, keys and comments, and how names and values are trimmed and compared.
// The lines are held text (UTF-8), in which no byte of another character is "=", "[", "]",
// ";", the double quote or a blank.
#pragma once

#include <string_view>
#include <vector>

#include "base/Types.h"

namespace stem {

using TStringLines = std::vector<Utf8String>;

// The text before the first "=", or empty when there is none or it is the first byte.
Utf8String KeyPartOf(const Utf8String& line);
// The text after the first "=" when the key part is not empty, else empty.
Utf8String ValuePartOf(const Utf8String& line);
// The text between the first "[" and the first "]" when "[" comes first, else empty.
Utf8String SectionNameOf(const Utf8String& line);

// After leading blanks, the line begins with ";".
bool IsCommentLine(const Utf8String& line);
// Not a comment, with a "[" before the first "]" anywhere in the line (so k=[x] counts).
bool IsSectionLine(const Utf8String& line);
// Not a comment, and holds an "=".
bool IsKeyLine(const Utf8String& line);
bool IsSectionOrKeyLine(const Utf8String& line);

// The blank-trimmed key of a key line: what the section's key list holds for it. Empty for any
// other line (and for a key of blanks alone).
Utf8String LineKey(const Utf8String& line);

Utf8String BlankTrim(const Utf8String& text);      // every code up to U+0020, both ends
Utf8String BlankTrimLeft(const Utf8String& text);  // the same, at the start only
Utf8String SpaceTrim(const Utf8String& text);      // U+0020 only, both ends
// Removes one pair of enclosing double quotes.
Utf8String Dequote(const Utf8String& text);
// The value a read gives for a key line: its value part blank-trimmed, then dequoted.
Utf8String LineValue(const Utf8String& line);

// Section and key names compare ignoring letter case, under the user locale.
bool NamesEqual(std::string_view a, std::string_view b);

// ---- Which lines hold a section and a key ----

// A section's lines: its header, the first line whose bracketed name (blank-trimmed) equals the
// section's (comment and key lines included), up to the line before the next section line, or
// the end of the file.
struct TIniSpan {
    int header = -1;  // -1: no line holds the name
    int end = 0;      // one past the section's last line
    bool Found() const { return header >= 0; }
};
TIniSpan FindIniSection(const TStringLines& lines, const Utf8String& section);

// The line's bracketed name, blank-trimmed, equals the section's: the line could open it.
bool NamesSection(const Utf8String& line, const Utf8String& section);

// One past the last line of the section whose header is at the index: the next section line,
// or the end of the file.
int IniSectionEnd(const TStringLines& lines, int header);

// The first line of the span, from the index on (the header included), whose blank-trimmed key
// part equals the key: the line a read takes the key's value from. -1 when there is none.
int FindIniKey(const TStringLines& lines, const TIniSpan& span, const Utf8String& key, int from);
int FindIniKey(const TStringLines& lines, const TIniSpan& span, const Utf8String& key);

}  // namespace stem
