// The INI dialect, line by line: how a line splits into key and value, which lines are
// sections, keys and comments, and how names and values are trimmed and compared.
// "=", "[" and "]" are found by a search that steps over Shift-JIS double-byte characters, so
// a trail byte never counts as one of them.
#pragma once

#include <vector>

#include "base/Types.h"

namespace stem {

using TStringLines = std::vector<AnsiString>;

// The text before the first "=", or empty when there is none or it is the first byte.
AnsiString KeyPartOf(const AnsiString& line);
// The text after the first "=" when the key part is not empty, else empty.
AnsiString ValuePartOf(const AnsiString& line);
// The text between the first "[" and the first "]" when "[" comes first, else empty.
AnsiString SectionNameOf(const AnsiString& line);

// After leading blanks, the line begins with ";".
bool IsCommentLine(const AnsiString& line);
// Not a comment, with a "[" before the first "]" anywhere in the line (so k=[x] counts).
bool IsSectionLine(const AnsiString& line);
// Not a comment, and holds an "=".
bool IsKeyLine(const AnsiString& line);
bool IsSectionOrKeyLine(const AnsiString& line);

// The blank-trimmed key of a key line: what the section's key list holds for it. Empty for any
// other line (and for a key of blanks alone).
AnsiString LineKey(const AnsiString& line);

// Trims through the code page: widened, trimmed, narrowed back.
AnsiString BlankTrim(const AnsiString& text);      // every code up to U+0020, both ends
AnsiString BlankTrimLeft(const AnsiString& text);  // the same, at the start only
AnsiString SpaceTrim(const AnsiString& text);      // U+0020 only, both ends
// Removes one pair of enclosing double quotes.
AnsiString Dequote(const AnsiString& text);
// The value a read gives for a key line: its value part blank-trimmed, then dequoted.
AnsiString LineValue(const AnsiString& line);

// Section and key names compare ignoring letter case, under the user locale.
bool NamesEqual(const AnsiString& a, const AnsiString& b);

// ---- Which lines hold a section and a key ----

// A section's lines: its header, the first line whose bracketed name (blank-trimmed) equals the
// section's (comment and key lines included), up to the line before the next section line, or
// the end of the file.
struct TIniSpan {
    int header = -1;  // -1: no line holds the name
    int end = 0;      // one past the section's last line
    bool Found() const { return header >= 0; }
};
TIniSpan FindIniSection(const TStringLines& lines, const AnsiString& section);

// The line's bracketed name, blank-trimmed, equals the section's: the line could open it.
bool NamesSection(const AnsiString& line, const AnsiString& section);

// One past the last line of the section whose header is at the index: the next section line,
// or the end of the file.
int IniSectionEnd(const TStringLines& lines, int header);

// The first line of the span, from the index on (the header included), whose blank-trimmed key
// part equals the key: the line a read takes the key's value from. -1 when there is none.
int FindIniKey(const TStringLines& lines, const TIniSpan& span, const AnsiString& key, int from);
int FindIniKey(const TStringLines& lines, const TIniSpan& span, const AnsiString& key);

}  // namespace stem
