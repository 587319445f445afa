// The tokens of the pattern language and the one scanner that finds them. The formatter uses
// it to render a section; anything that only needs to know where tokens are (a checker) can
// use it too, so there is one definition of what a token is.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/Types.h"

// What a token stands for. A full-width token has the kind of its half-width twin.
enum class TokenKind : unsigned char {
    AmPm,              // am/pm
    AmPmUpper,         // AM/PM
    LocaleAmPm,        // ampm, AMPM
    Year4,             // yyyy
    Year2,             // yy
    MonthLongName,     // mmmm
    MonthShortName,    // mmm
    Month2,            // mm
    Month,             // m
    Day2,              // dd
    Day,               // d
    LocaleLongDay,     // aaaa
    LocaleShortDay,    // aaa
    EnglishLongDay,    // aa
    EnglishShortDay,   // a
    Hour2,             // hh
    Hour,              // h
    Minute2,           // nn
    Minute,            // n
    Second2,           // ss
    Second,            // s
    EraName,           // ggg
    EraInitial,        // gg
    EraYear2,          // ee
    EraYear,           // e
    EraLetter,         // g
    EraLetterUpper,    // G
    Millisecond3,      // zzz
    Millisecond2,      // zz
    Millisecond1,      // z
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

namespace token_index {

// Every token starts with a Latin letter, half-width (U+0041..U+007A) or full-width
// (U+FF21..U+FF5A), and is either a run of that letter ("yyyy", "ｍ") or one of the am/pm
// family. Tokens are grouped by their first letter. Within a group the table lists the am/pm
// tokens first and the runs from the longest down, so the first match in table order is an
// am/pm token spelled at the position or else the longest run no longer than the run of that
// letter in the text. Build() refuses to compile a table that breaks this.
constexpr int HalfWidthBuckets = 0x7A - 0x41 + 1;
constexpr int BucketCount = 2 * HalfWidthBuckets;
constexpr int MaxRun = 4;
constexpr int MaxSpecials = 2;
constexpr unsigned char None = 0xFF;

constexpr int BucketOf(char16_t c)
{
    if (c >= 0x41 && c <= 0x7A)
        return c - 0x41;
    if (c >= 0xFF21 && c <= 0xFF5A)
        return HalfWidthBuckets + (c - 0xFF21);
    return -1;
}

constexpr bool IsRun(std::u16string_view text)
{
    for (const char16_t c : text)
        if (c != text[0])
            return false;
    return true;
}

struct Buckets {
    unsigned char specialCount[BucketCount] = {};
    unsigned char specials[BucketCount][MaxSpecials] = {};
    unsigned char runs[BucketCount][MaxRun + 1] = {};  // token index by run length, or None
    unsigned char longestRun[BucketCount] = {};
    // The token of the longest listed run no longer than the index, or None: the match for a
    // run of that many letters in the text.
    unsigned char runAtMost[BucketCount][MaxRun + 1] = {};
};

constexpr Buckets Build()
{
    Buckets b;
    for (auto& runs : b.runs)
        for (auto& index : runs)
            index = None;
    for (int i = 0; i < TokenCount; ++i) {
        const std::u16string_view text = TokenTable[i].text;
        const int bucket = BucketOf(text[0]);
        if (bucket < 0)
            throw "a token must start with a Latin letter";
        if (!IsRun(text)) {
            if (b.longestRun[bucket] != 0 || b.specialCount[bucket] == MaxSpecials)
                throw "an am/pm token must come before the runs of its letter";
            if (i >= AmPmFamilyCount)
                throw "only the am/pm family may be other than a run";
            if (text.size() < 2 || text[1] == text[0])
                throw "an am/pm token's second letter must differ from its first";
            b.specials[bucket][b.specialCount[bucket]++] = static_cast<unsigned char>(i);
            continue;
        }
        if (i < AmPmFamilyCount)
            throw "the am/pm family must not be a run";
        const auto length = static_cast<int>(text.size());
        if (length > MaxRun || b.runs[bucket][length] != None)
            throw "a run must be at most four letters and listed once";
        for (int shorter = 1; shorter < length; ++shorter)
            if (b.runs[bucket][shorter] != None)
                throw "the runs of a letter must be listed from the longest down";
        b.runs[bucket][length] = static_cast<unsigned char>(i);
        if (length > b.longestRun[bucket])
            b.longestRun[bucket] = static_cast<unsigned char>(length);
    }
    for (int bucket = 0; bucket < BucketCount; ++bucket) {
        unsigned char best = None;
        for (int length = 0; length <= MaxRun; ++length) {
            if (b.runs[bucket][length] != None)
                best = b.runs[bucket][length];
            b.runAtMost[bucket][length] = best;
        }
    }
    return b;
}

inline constexpr Buckets ByFirstLetter = Build();

// The am/pm token of the bucket spelled at `here`, or null.
inline const PatternToken* MatchSpecial(int bucket, const char16_t* here, size_t left,
                                        int tableSize)
{
    if (left < 2 || here[1] == here[0])  // a run of a letter: an am/pm token's second differs
        return nullptr;
    for (int k = 0; k < ByFirstLetter.specialCount[bucket]; ++k) {
        const int i = ByFirstLetter.specials[bucket][k];
        const std::u16string_view token = TokenTable[i].text;
        if (i < tableSize && token.size() <= left &&
            std::u16string_view(here, token.size()) == token)
            return &TokenTable[i];
    }
    return nullptr;
}

// The token of the longest run of here[0] that starts here, among the first tableSize.
inline const PatternToken* MatchRun(int bucket, const char16_t* here, size_t left, int tableSize)
{
    const size_t longest = ByFirstLetter.longestRun[bucket] < left ? ByFirstLetter.longestRun[bucket]
                                                                   : left;
    size_t run = 1;
    while (run < longest && here[run] == here[0])
        ++run;
    // Shorter runs of a letter come later in the table, so when the longest fitting run lies
    // beyond tableSize, so do the others.
    const int i = ByFirstLetter.runAtMost[bucket][run];
    return i != None && i < tableSize ? &TokenTable[i] : nullptr;
}

// MatchTokenHere once the bucket of here[0] is known (bucket >= 0, left >= 1): the am/pm
// tokens come first in the table.
inline const PatternToken* MatchInBucket(int bucket, const char16_t* here, size_t left,
                                         int tableSize)
{
    if (ByFirstLetter.specialCount[bucket] != 0) {
        if (const PatternToken* special = MatchSpecial(bucket, here, left, tableSize))
            return special;
    }
    return MatchRun(bucket, here, left, tableSize);
}

}  // namespace token_index

// The first of the first `tableSize` entries of TokenTable whose text equals the text at
// `here` (exact code units, case- and width-sensitive; `left` code units remain from there);
// null when none does.
inline const PatternToken* MatchTokenHere(const char16_t* here, size_t left,
                                          int tableSize = TokenCount)
{
    if (left == 0)
        return nullptr;
    const int bucket = token_index::BucketOf(here[0]);
    return bucket < 0 ? nullptr : token_index::MatchInBucket(bucket, here, left, tableSize);
}

// The same at a 0-based position of text; null at or past its end.
inline const PatternToken* MatchTokenAt(const WideString& text, size_t position,
                                        int tableSize = TokenCount)
{
    if (position >= text.size())
        return nullptr;
    return MatchTokenHere(text.data() + position, text.size() - position, tableSize);
}

// Walks a section once, left to right: handler.OnToken(token) for each token (the first in
// table order among the first tableSize entries), handler.OnText(first, count) for each run
// of code units between tokens. Token text is never looked at twice.
template <typename Handler>
void ScanPatternSection(const WideString& section, int tableSize, Handler& handler)
{
    const char16_t* here = section.data();
    const char16_t* const end = here + section.size();
    const char16_t* runStart = here;
    while (here < end) {
        // Most text between tokens is not a Latin letter: skip it without a lookup.
        const int bucket = token_index::BucketOf(*here);
        const PatternToken* token = nullptr;
        if (bucket >= 0) {  // MatchInBucket, spelled out so that the run lookup stays inline
            const auto left = static_cast<size_t>(end - here);
            if (token_index::ByFirstLetter.specialCount[bucket] != 0)
                token = token_index::MatchSpecial(bucket, here, left, tableSize);
            if (token == nullptr)
                token = token_index::MatchRun(bucket, here, left, tableSize);
        }
        if (token == nullptr) {
            ++here;
            continue;
        }
        if (here > runStart)
            handler.OnText(runStart, static_cast<size_t>(here - runStart));
        handler.OnToken(*token);
        here += token->text.size();
        runStart = here;
    }
    if (here > runStart)
        handler.OnText(runStart, static_cast<size_t>(here - runStart));
}
