// Text routines shared by both plug-ins: comparing at a position, one-pass multi-pair
// replacement, escapes, full-width mapping, and a search of held text that steps over whole
// characters. (The settings file's lines are trimmed and unquoted by IniDialect.h, on their
// bytes.)
// Positions are 1-based unless a routine says otherwise (EscapeAt's is 0-based). No routine
// raises an error or reads outside its strings, whatever position or count it is given.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Types.h"

namespace stem {

// ---- Wide (UTF-16) text ----

// A blank, as trimming and the settings file see it: any code up to the space (the controls,
// tab, CR and LF included); the ideographic space U+3000 is not one. For a byte, its code.
constexpr bool IsBlankCode(unsigned code)
{
    return code <= 0x20;
}

// count code units of a from posA equal count code units of b from posB under the user locale.
// False when count < 1 or either run does not lie wholly inside its text.
bool WideCharsMatchAt(const WideString& a, const WideString& b, int posA, bool ignoreCase,
                      int count, int posB);
bool MatchesAt(const WideString& pattern, const WideString& text, int position);
bool MatchesAtIgnoreCase(const WideString& pattern, const WideString& text, int position);
bool EndsWithText(const WideString& text, const WideString& suffix, bool ignoreCase);
WideString EnsureSuffix(const WideString& text, const WideString& suffix, bool ignoreCase);
WideString EnsureTrailingBackslash(const WideString& path);

// The user locale's full-width form of the text (LCMapStringW); empty when the mapping fails.
WideString ToFullWidth(const WideString& text);

// How many matches ReplacePairs replaces, and whether letter case tells old texts apart.
enum class ReplaceMatches { FirstOnly, All };
enum class LetterCase { Matters, Ignored };

// One left-to-right pass: at each position the first pair (in index order) whose old text
// matches is replaced; replaced text is never scanned again.
WideString ReplacePairs(const WideString& source, const std::vector<WideString>& oldTexts,
                        const std::vector<WideString>& newTexts, ReplaceMatches matches,
                        LetterCase letterCase);

// Where a line ends: at CR LF, a lone CR or a lone LF (the settings file, a rendered text), or
// at LF alone, a CR just before it belonging to the break (the editor's lines, where a lone CR
// is a character).
enum class LineBreaks { CrOrLf, LfOnly };

// The text's lines without their breaks: one more than it has breaks, so a text that ends with
// a break ends with an empty line, and an empty text is one empty line.
std::vector<WideString> SplitLines(std::u16string_view text, LineBreaks breaks);
std::vector<Utf8String> SplitLines(std::string_view text, LineBreaks breaks);

// The escape that starts at the 0-based position, if any: \r \n \t \\ or \0, letters in
// either case, each standing for one character (CR, LF, tab, a backslash, U+0000). The pattern
// walk expands escapes with it.
bool EscapeAt(std::u16string_view text, size_t position, char16_t& standsFor);

// ---- Held text (UTF-8), searched a character at a time ----

enum SearchDirection { SearchForward = 0, SearchBackward = 1 };

// Position of the first match in search order within the window, 0 when none. A match is a
// run of whole characters (never one that starts inside a character) that compares equal to
// the pattern under the user locale.
int AnsiFindEx(const Utf8String& pattern, const Utf8String& text, int start, int direction,
               bool ignoreCase, int window);
int AnsiFindText(const Utf8String& pattern, const Utf8String& text, bool ignoreCase);
bool AnsiHasText(const Utf8String& pattern, const Utf8String& text, bool ignoreCase);

// ---- Paths and registry values ----

// The index of a path's last backslash; npos when it has none.
size_t LastBackslashOf(const WideString& path);

// The folder part of a path: everything before its last backslash; empty when there is none.
WideString ExtractFolder(const WideString& path);

// The text of a registry string value (REG_SZ or REG_EXPAND_SZ) from its raw data, UTF-16LE
// as the "W" functions give it: up to its first NUL, never past its data. False for a value of
// any other type.
bool RegistryStringText(uint32_t type, const std::string& data, WideString& text);

}  // namespace stem
