// Text routines shared by both plug-ins: trimming, unquoting, comparing at a position,
// one-pass multi-pair replacement, escapes, full-width mapping, and Shift-JIS aware search.
// Positions are 1-based. No routine raises an error or reads outside its strings, whatever
// position or count it is given.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/ShiftJis.h"
#include "base/Types.h"

namespace stem {

// ---- Wide (UTF-16) text ----

// Removes leading and trailing characters up to U+0020 (space and controls). U+3000 stays.
WideString TrimBlanks(const WideString& text);
WideString TrimBlanksLeft(const WideString& text);

int CountLeadingInSet(const WideString& text, const WideString& set);
int CountTrailingInSet(const WideString& text, const WideString& set);
WideString TrimLeftInSet(const WideString& text, const WideString& set);
WideString TrimRightInSet(const WideString& text, const WideString& set);
WideString TrimInSet(const WideString& text, const WideString& set);

// Removes one pair of enclosing quotes when the first and last characters are the same member
// of the quote set.
WideString StripQuotes(const WideString& text, const WideString& quotes);

// count code units of a from posA equal count code units of b from posB under the user locale.
// False when count < 1 or either run does not lie wholly inside its text.
bool WideCharsMatchAt(const WideString& a, const WideString& b, int posA, bool ignoreCase,
                      int count, int posB);
bool MatchesAt(const WideString& pattern, const WideString& text, int position);
bool MatchesAtIgnoreCase(const WideString& pattern, const WideString& text, int position);
// Exact equality of code units: what a token or delimiter match needs. Locale comparison may
// treat different texts as equal (ignorable characters, expansions), this never does.
bool CodeUnitsMatchAt(const WideString& pattern, const WideString& text, int position);
bool EndsWithText(const WideString& text, const WideString& suffix, bool ignoreCase);
WideString EnsureSuffix(const WideString& text, const WideString& suffix, bool ignoreCase);
WideString EnsureTrailingBackslash(const WideString& path);

// The characters from first to last inclusive, clipped to the text; first below 1 counts as 1.
WideString SliceByPositions(const WideString& text, int first, int last);

// The user locale's full-width form of the text (LCMapStringW); empty when the mapping fails.
WideString ToFullWidth(const WideString& text);

// One left-to-right pass: at each position the first pair (in index order) whose old text
// matches is replaced; replaced text is never scanned again.
WideString ReplacePairs(const WideString& source, const std::vector<WideString>& oldTexts,
                        const std::vector<WideString>& newTexts, bool replaceAll, bool ignoreCase);

// The escape that starts at the 0-based position, if any: \r \n \t \\ or \0, letters in
// either case, each standing for one character (CR, LF, tab, a backslash, U+0000).
bool EscapeAt(std::u16string_view text, size_t position, char16_t& standsFor);

// Every escape replaced by its character in one left-to-right pass; the result is never
// scanned again.
WideString ExpandEscapes(const WideString& text);

// ---- ANSI text (Shift-JIS aware) ----

enum ByteKind { KindSingle = 0, KindLead = 1, KindTrail = 2 };

// The kind of the byte at the position, stepping through the text from its start: a lead byte
// and the byte after it are one character. KindSingle outside the text.
ByteKind ByteKindAt(const AnsiString& text, int position);

// False when count < 1 or either run does not lie wholly inside its text.
bool AnsiMatchesAt(const AnsiString& a, const AnsiString& b, int posA, bool ignoreCase, int count,
                   int posB);

enum SearchDirection { SearchForward = 0, SearchBackward = 1 };

// Position of the first match in search order within the window, 0 when none.
int AnsiFindEx(const AnsiString& pattern, const AnsiString& text, int start, int direction,
               bool ignoreCase, int window);
int AnsiFindText(const AnsiString& pattern, const AnsiString& text, bool ignoreCase);
bool AnsiHasText(const AnsiString& pattern, const AnsiString& text, bool ignoreCase);
int AnsiCountOccurrences(const AnsiString& pattern, const AnsiString& text, bool nonOverlapping,
                         bool ignoreCase);

// The index of a path's last backslash (a trail byte 0x5C is not one); npos when it has none.
size_t LastBackslashOf(const AnsiString& path);

// The folder part of a path: everything before its last backslash; empty when there is none.
AnsiString ExtractFolder(const AnsiString& path);

// The text without its last n bytes; unchanged when n <= 0 or n > length.
AnsiString DropLastChars(const AnsiString& text, int n);

int64_t NonNegative(int64_t value);

}  // namespace stem
