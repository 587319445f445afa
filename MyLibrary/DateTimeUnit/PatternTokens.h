// The pattern language: its tokens, and the one walk that finds the quoted text, escapes and
// tokens of a pattern and hands them to a handler. The formatter is one handler; anything
// that only needs to know where they are (a checker) is another, so each is defined once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Types.h"

namespace stem {

// What a token stands for. A full-width token has the kind of its half-width twin.
enum class TokenKind : unsigned char {
    AmPm,
    AmPmUpper,
    LocaleAmPm,
    Year4,
    Year2,
    MonthLongName,
    MonthShortName,
    Month2,
    Month,
    Day2,
    Day,
    LocaleLongDay,
    LocaleShortDay,
    EnglishLongDay,
    EnglishShortDay,
    Hour2,
    Hour,
    Minute2,
    Minute,
    Second2,
    Second,
    EraName,
    EraInitial,
    EraYear2,
    EraYear,
    EraLetter,
    EraLetterUpper,
    Millisecond3,
    Millisecond2,
    Millisecond1,
};

struct PatternToken {
    std::u16string_view text;
    TokenKind kind;
    bool fullWidth;  // the value is the twin's value in full-width form
};

constexpr int TokenCount = 53;

// The am/pm family: the first six entries, the only ones the 12-hour detection looks for.
constexpr int AmPmFamilyCount = 6;

// Every token in priority order: at one position the first entry that matches wins.
inline constexpr PatternToken TokenTable[TokenCount] = {
    {u"am/pm", TokenKind::AmPm, false},
    {u"AM/PM", TokenKind::AmPmUpper, false},
    {u"ａｍ/ｐｍ", TokenKind::AmPm, true},
    {u"ＡＭ/ＰＭ", TokenKind::AmPmUpper, true},
    {u"ampm", TokenKind::LocaleAmPm, false},
    {u"AMPM", TokenKind::LocaleAmPm, false},
    {u"yyyy", TokenKind::Year4, false},
    {u"yy", TokenKind::Year2, false},
    {u"ｙｙｙｙ", TokenKind::Year4, true},
    {u"ｙｙ", TokenKind::Year2, true},
    {u"mmmm", TokenKind::MonthLongName, false},
    {u"mmm", TokenKind::MonthShortName, false},
    {u"mm", TokenKind::Month2, false},
    {u"m", TokenKind::Month, false},
    {u"ｍｍｍｍ", TokenKind::MonthLongName, true},
    {u"ｍｍｍ", TokenKind::MonthShortName, true},
    {u"ｍｍ", TokenKind::Month2, true},
    {u"ｍ", TokenKind::Month, true},
    {u"dd", TokenKind::Day2, false},
    {u"d", TokenKind::Day, false},
    {u"ｄｄ", TokenKind::Day2, true},
    {u"ｄ", TokenKind::Day, true},
    {u"aaaa", TokenKind::LocaleLongDay, false},
    {u"aaa", TokenKind::LocaleShortDay, false},
    {u"aa", TokenKind::EnglishLongDay, false},
    {u"a", TokenKind::EnglishShortDay, false},
    {u"ａａ", TokenKind::EnglishLongDay, true},
    {u"ａ", TokenKind::EnglishShortDay, true},
    {u"hh", TokenKind::Hour2, false},
    {u"h", TokenKind::Hour, false},
    {u"ｈｈ", TokenKind::Hour2, true},
    {u"ｈ", TokenKind::Hour, true},
    {u"nn", TokenKind::Minute2, false},
    {u"n", TokenKind::Minute, false},
    {u"ｎｎ", TokenKind::Minute2, true},
    {u"ｎ", TokenKind::Minute, true},
    {u"ss", TokenKind::Second2, false},
    {u"s", TokenKind::Second, false},
    {u"ｓｓ", TokenKind::Second2, true},
    {u"ｓ", TokenKind::Second, true},
    {u"ggg", TokenKind::EraName, false},
    {u"gg", TokenKind::EraInitial, false},
    {u"ee", TokenKind::EraYear2, false},
    {u"e", TokenKind::EraYear, false},
    {u"ｅｅ", TokenKind::EraYear2, true},
    {u"ｅ", TokenKind::EraYear, true},
    {u"g", TokenKind::EraLetter, false},
    {u"ｇ", TokenKind::EraLetter, true},
    {u"G", TokenKind::EraLetterUpper, false},
    {u"Ｇ", TokenKind::EraLetterUpper, true},
    {u"zzz", TokenKind::Millisecond3, false},
    {u"zz", TokenKind::Millisecond2, false},
    {u"z", TokenKind::Millisecond1, false},
};

// Whether an am/pm token may start at the character: the quick test that spares the 12-hour
// detection its walk through a pattern without one.
constexpr bool StartsAnAmPmToken(char16_t c)
{
    for (int i = 0; i < AmPmFamilyCount; ++i)
        if (TokenTable[i].text.front() == c)
            return true;
    return false;
}

namespace token_lookup {

// Every token is a run of one letter ("yyyy", "ｍ") or, in the am/pm family, spelled with a
// second letter other than its first. At a position where the text holds a run of r equal
// letters, the runs that match are those of that letter no longer than r, so the first match in
// table order is the earliest of the first such run and, where r is 1, the spelled tokens found
// there. Both are looked up by the first letter, half-width (U+0041..U+007A) or full-width
// (U+FF21..U+FF5A).
constexpr int LettersPerWidth = 0x7A - 0x41 + 1;
constexpr int MaxRun = 4;
constexpr int MaxSpelled = 2;
constexpr unsigned char None = 0xFF;

constexpr int LetterOf(char16_t c)
{
    if (c >= 0x41 && c <= 0x7A)
        return c - 0x41;
    if (c >= 0xFF21 && c <= 0xFF5A)
        return LettersPerWidth + (c - 0xFF21);
    return -1;
}

constexpr bool IsRun(std::u16string_view text)
{
    for (const char16_t c : text)
        if (c != text[0])
            return false;
    return true;
}

struct Lookup {
    // The earliest run token of the letter no longer than the index, or None.
    unsigned char firstRunUpTo[2 * LettersPerWidth][MaxRun + 1] = {};
    unsigned char spelledCount[2 * LettersPerWidth] = {};
    unsigned char spelled[2 * LettersPerWidth][MaxSpelled] = {};
};

constexpr Lookup BuildLookup()
{
    Lookup lookup;
    for (auto& runs : lookup.firstRunUpTo)
        for (auto& token : runs)
            token = None;
    for (int i = 0; i < TokenCount; ++i) {
        const std::u16string_view text = TokenTable[i].text;
        const int letter = LetterOf(text[0]);
        if (letter < 0)
            throw "a token starts with a Latin letter";
        if (!IsRun(text)) {
            if (lookup.spelledCount[letter] == MaxSpelled)
                throw "at most two spelled tokens start with one letter";
            if (text[1] == text[0])
                throw "a spelled token's second letter differs from its first";
            lookup.spelled[letter][lookup.spelledCount[letter]++] = static_cast<unsigned char>(i);
            continue;
        }
        if (text.size() > MaxRun)
            throw "a run token has at most four letters";
        for (size_t run = text.size(); run <= MaxRun; ++run)
            if (lookup.firstRunUpTo[letter][run] == None)
                lookup.firstRunUpTo[letter][run] = static_cast<unsigned char>(i);
    }
    return lookup;
}

inline constexpr Lookup ByLetter = BuildLookup();

// The earliest spelled token of the letter that the text starts with, if it comes before the
// given place in the table; else that place. (Out of line: most letters spell no token.)
int FirstSpelledBefore(int first, int letter, std::u16string_view text);

}  // namespace token_lookup

// The first of the first tableSize entries of TokenTable whose text equals the text at the
// 0-based position (exact code units: case- and width-sensitive); null when none does, and at
// or past the end of the text.
inline const PatternToken* MatchTokenAt(std::u16string_view text, size_t position,
                                        int tableSize = TokenCount)
{
    using namespace token_lookup;
    const int letter = position < text.size() ? LetterOf(text[position]) : -1;
    if (letter < 0)
        return nullptr;
    const std::u16string_view rest = text.substr(position);
    const char16_t* const here = rest.data();
    const size_t longest = std::min<size_t>(MaxRun, rest.size());
    size_t run = 1;
    while (run < longest && here[run] == here[0])
        ++run;
    int first = ByLetter.firstRunUpTo[letter][run];  // None is past every index
    if (run == 1 && ByLetter.spelledCount[letter] != 0)
        first = FirstSpelledBefore(first, letter, rest);
    return first < tableSize ? &TokenTable[first] : nullptr;
}

// Walks text outside quotes, left to right, in one pass, up to its first double quote or its
// end, and returns where it stopped: an escape (StringUnit's EscapeAt) is text, the character
// it stands for; a token among the first tableSize entries of the table is
// handler.OnToken(token); every other run is handler.OnText(text). Escapes come first, so "\\n"
// is a backslash followed by the token "n".
template <typename Handler>
size_t WalkUnquoted(std::u16string_view text, Handler& handler, int tableSize)
{
    size_t runStart = 0;
    size_t here = 0;
    const auto endRun = [&] {
        if (here > runStart)
            handler.OnText(std::u16string_view(text.data() + runStart, here - runStart));
    };
    while (here < text.size()) {
        const char16_t c = text[here];
        // Most text is neither a letter (every token starts with one; "\\" is in their range)
        // nor a quote: it needs no closer look.
        if (token_lookup::LetterOf(c) < 0 && c != u'"') {
            ++here;
            continue;
        }
        if (c == u'"')
            break;
        char16_t escaped = 0;
        if (c == u'\\' && EscapeAt(text, here, escaped)) {
            endRun();
            handler.OnText(std::u16string_view(&escaped, 1));
            here += 2;
            runStart = here;
            continue;
        }
        const PatternToken* token = MatchTokenAt(text, here, tableSize);
        if (token == nullptr) {
            ++here;
            continue;
        }
        endRun();
        handler.OnToken(*token);
        here += token->text.size();
        runStart = here;
    }
    endRun();
    return here;
}

// Walks a whole pattern: text between double quotes is handler.OnText as it stands, the quotes
// themselves are never text, and a quote that is never closed leaves the rest quoted. Each
// section outside quotes starts with handler.OnSection(start), its place in the pattern, and is
// walked as above. True when the pattern ends inside quotes.
template <typename Handler>
bool WalkPattern(std::u16string_view pattern, Handler& handler)
{
    size_t here = 0;
    bool quoted = false;
    while (here < pattern.size()) {
        size_t end = pattern.size();
        if (quoted) {
            end = std::min(pattern.find(u'"', here), pattern.size());
            if (end > here)
                handler.OnText(pattern.substr(here, end - here));
        } else if (pattern[here] != u'"') {
            handler.OnSection(here);
            end = here + WalkUnquoted(pattern.substr(here), handler, TokenCount);
        } else {
            end = here;
        }
        if (end == pattern.size())
            break;
        quoted = !quoted;
        here = end + 1;
    }
    return quoted;
}

}  // namespace stem
