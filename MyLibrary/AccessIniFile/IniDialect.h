// The INI dialect, line by line: how a line splits into key and value, which lines are
// sections, keys and comments, and how names and values are trimmed and compared.
// "=", "[" and "]" are found by a search that steps over Shift-JIS double-byte characters, so
// a trail byte never counts as one of them.
#pragma once

#include "base/Types.h"

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

// Trims through the code page: widened, trimmed, narrowed back.
AnsiString BlankTrim(const AnsiString& text);      // every code up to U+0020, both ends
AnsiString BlankTrimLeft(const AnsiString& text);  // the same, at the start only
AnsiString SpaceTrim(const AnsiString& text);      // U+0020 only, both ends
// Removes one pair of enclosing double quotes.
AnsiString Dequote(const AnsiString& text);

// Section and key names compare ignoring letter case, under the user locale.
bool NamesEqual(const AnsiString& a, const AnsiString& b);
