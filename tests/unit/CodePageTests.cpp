// The code-page and locale seam: conversions through code page 932, locale comparison and
// full-width mapping. The same expectations hold for the real Windows functions (under Wine)
// and for the POSIX stand-in; the expected values were taken from Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace stem {

namespace {

// Code page 932, whatever the system's own page: the settings file's Shift-JIS.
WideString AnsiToWide(const std::string& bytes)
{
    return platform::DecodeText(platform::ShiftJisCodePage, bytes);
}

std::string WideToAnsi(const WideString& text)
{
    return platform::EncodeText(platform::ShiftJisCodePage, text);
}

struct DecodeCase {
    const char* what;
    std::string bytes;
    WideString wide;
};

// FNV-1a over 16-bit values: one number that stands for a whole conversion table.
class Digest {
public:
    void Add(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            hash_ ^= (value >> shift) & 0xFF;
            hash_ *= 0x100000001B3ULL;
        }
    }
    void Add(const WideString& text)
    {
        Add(static_cast<uint32_t>(text.size()) | 0x80000000U);
        for (char16_t unit : text)
            Add(unit);
    }
    void Add(const std::string& text)
    {
        Add(static_cast<uint32_t>(text.size()) | 0x80000000U);
        for (char byte : text)
            Add(static_cast<unsigned char>(byte));
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ULL;
};

bool WideEqual(const WideString& a, const WideString& b, bool ignoreCase)
{
    return platform::WideEqual(a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()), ignoreCase);
}

}  // namespace

// ---- ANSI to UTF-16 ----

TEST(AnsiToWide, DecodesShiftJisCharactersAndSingleBytes)
{
    const DecodeCase cases[] = {
        {"empty", "", u""},
        {"ascii with NUL", std::string("a\0b", 3), WideString(u"a\0b", 3)},
        {"kanji", "\x94\x4e\x8c\x8e", u"\u5e74\u6708"},  // 年月
        {"half-width katakana", "\xb1\xdf", u"\uff71\uff9f"},
        {"trail byte in ASCII range", "\x83\x41", u"\u30a2"},  // ア
        {"trail byte in lead range", "\x81\x81", u"\uff1d"},   // ＝
        {"wave dash row", "\x81\x60\x81\x5c\x81\x7c", u"\uff5e\u2015\uff0d"},
        {"user-defined area", "\xf0\x40", u"\ue000"},
        {"0x80 and the private-use bytes", "\x80\xa0\xfd\xfe\xff",
         u"\u0080\uf8f0\uf8f1\uf8f2\uf8f3"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(AnsiToWide(c.bytes), c.wide) << c.what;
}

TEST(AnsiToWide, BadShiftJisBecomesTheDefaultCharAndKeepsTheRest)
{
    const DecodeCase cases[] = {
        {"lone lead byte at the end", "A\x82", u"A\u30fb"},
        {"lead byte before NUL keeps the NUL", std::string("\x82\0A", 3),
         WideString(u"\u30fb\0A", 3)},
        {"invalid trail is taken with the lead",
         "\x82\x20"
         "A",
         u"\u30fb"
         "A"},
        {"DEL as trail",
         "\x81\x7f"
         "A",
         u"\u30fb"
         "A"},
        {"line feed as trail",
         "\x82\x0a"
         "A",
         u"\u30fb"
         "A"},
        {"unmapped code",
         "\x85\x40"
         "A",
         u"\u30fb"
         "A"},
        {"lead then lead", "\x82\x82\xa0", u"\uff42\uf8f0"},
        {"bad pair in the middle",
         "ab\x85\x40\x94\x4e"
         "cd",
         u"ab\u30fb\u5e74cd"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(AnsiToWide(c.bytes), c.wide) << c.what;
}

TEST(AnsiToWide, DuplicateCodesDecodeToOneCharacter)
{
    // The NEC and IBM rows repeat characters of the standard rows.
    EXPECT_EQ(AnsiToWide("\x87\x90"), AnsiToWide("\x81\xe0"));  // ≒
    EXPECT_EQ(AnsiToWide("\xfa\x40"), u"\u2170");               // ⅰ
    EXPECT_EQ(AnsiToWide("\xee\xef"), u"\u2170");
}

TEST(AnsiToWide, WholeTableMatchesWindows)
{
    Digest digest;
    for (int byte = 0; byte < 256; ++byte)
        digest.Add(AnsiToWide(std::string(1, static_cast<char>(byte))));
    for (int lead = 0x80; lead < 0x100; ++lead)
        for (int trail = 0; trail < 0x100; ++trail)
            digest.Add(AnsiToWide({static_cast<char>(lead), static_cast<char>(trail)}));
    // Every single byte and every byte pair, digested; the value was taken from Windows.
    EXPECT_EQ(digest.Value(), 7074573475620985817ULL);
}

// ---- UTF-16 to ANSI ----

TEST(WideToAnsi, EncodesThroughCodePage932)
{
    const DecodeCase cases[] = {
        {"empty", "", u""},
        {"kanji and kana", "\x94\x4e\x83\x41\xb1", u"\u5e74\u30a2\uff71"},
        {"NUL kept", std::string("a\0b", 3), WideString(u"a\0b", 3)},
        {"private-use bytes round trip", "\x80\xa0\xff", u"\u0080\uf8f0\uf8f3"},
        {"horizontal bar", "\x81\x5c", u"\u2015"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(WideToAnsi(c.wide), c.bytes) << c.what;
}

TEST(WideToAnsi, CharactersWithoutAFormBecomeQuestionMarks)
{
    const DecodeCase cases[] = {
        {"em dash", "?", u"\u2014"},
        {"minus sign", "?", u"\u2212"},
        {"wave dash", "?", u"\u301c"},
        {"hangul", "?", u"\uac00"},
        {"surrogate pair", "??", u"\U0001F600"},
        {"lone surrogate keeps the rest", "?x", u"\xd800x"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(WideToAnsi(c.wide), c.bytes) << c.what;
}

TEST(WideToAnsi, LatinLettersFallBackToLookAlikes)
{
    EXPECT_EQ(WideToAnsi(u"\u00e9\u00c0\u00df\u00fc"), "eAsu");
    EXPECT_EQ(WideToAnsi(u"\u00a5"), "\\");
    EXPECT_EQ(WideToAnsi(u"\u00a2\u00ac"), "\x81\x91\x81\xca");
    EXPECT_EQ(WideToAnsi(u"\u3094"), "\x83\x94");  // hiragana vu as katakana ヴ
}

TEST(WideToAnsi, WholeTableMatchesWindows)
{
    Digest digest;
    for (uint32_t unit = 0; unit < 0x10000; ++unit)
        digest.Add(WideToAnsi(WideString(1, static_cast<char16_t>(unit))));
    // Every UTF-16 code unit, digested; the value was taken from Windows.
    EXPECT_EQ(digest.Value(), 12227540537576208090ULL);
}

// ---- Locale comparison ----

TEST(WideEqual, CaseSensitiveDistinguishesCaseAndWidth)
{
    EXPECT_TRUE(WideEqual(u"abc", u"abc", false));
    EXPECT_FALSE(WideEqual(u"abc", u"aBc", false));
    EXPECT_FALSE(WideEqual(u"A", u"\uff21", false));  // Ａ
    EXPECT_FALSE(WideEqual(u"ab", u"abc", false));
    EXPECT_TRUE(WideEqual(u"\u5e74", u"\u5e74", false));
}

TEST(WideEqual, IgnoreCaseFoldsLetterCaseOnly)
{
    const std::pair<WideString, WideString> folded[] = {
        {u"abc", u"ABC"},       {u"\u00e9", u"\u00c9"}, {u"\uff41", u"\uff21"},
        {u"\u03b1", u"\u0391"}, {u"\u0436", u"\u0416"}, {u"\u0101", u"\u0100"},
    };
    for (const auto& pair : folded)
        EXPECT_TRUE(WideEqual(pair.first, pair.second, true));
    EXPECT_FALSE(WideEqual(u"A", u"\uff21", true));       // width is kept
    EXPECT_FALSE(WideEqual(u"\u3042", u"\u30a2", true));  // hiragana and katakana differ
    EXPECT_FALSE(WideEqual(u"\\", u"\uff3c", true));
}

// ---- Full-width mapping ----

TEST(FullWidth, MapsHalfWidthToFullWidth)
{
    const std::pair<WideString, WideString> cases[] = {
        {u"09", u"\uff10\uff19"},
        {u"Az", u"\uff21\uff5a"},
        {u"!~", u"\uff01\uff5e"},
        {u" ", u"\u3000"},
        {u"\\", u"\\"},  // the backslash stays as it is
        {u"\u00a5\u00a2", u"\uffe5\uffe0"},
        {u"\uff71\uff70\uff61", u"\u30a2\u30fc\u3002"},  // ｱｰ｡ -> アー。
        {u"\u5e74\u30a2", u"\u5e74\u30a2"},              // already full width
        {WideString(u"a\0b", 3), WideString(u"\uff41\0\uff42", 3)},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::FullWidth(c.first), c.second);
}

TEST(FullWidth, VoicedMarksCombineWithTheKanaBefore)
{
    const std::pair<WideString, WideString> cases[] = {
        {u"\uff76\uff9e", u"\u30ac"},        // ｶﾞ -> ガ
        {u"\uff8a\uff9f", u"\u30d1"},        // ﾊﾟ -> パ
        {u"\uff8a\uff9e", u"\u30d0"},        // ﾊﾞ -> バ
        {u"\uff73\uff9e", u"\u30f4"},        // ｳﾞ -> ヴ
        {u"\uff9c\uff9e", u"\u30f7"},        // ﾜﾞ -> ヷ
        {u"\uff66\uff9e", u"\u30fa"},        // ｦﾞ -> ヺ
        {u"\u30f0\uff9e", u"\u30f8"},        // ヰﾞ -> ヸ
        {u"\uff76\uff9f", u"\u30ab\u309a"},  // no semi-voiced ka
        {u"\u30ab\uff9e", u"\u30ab\u3099"},  // full-width ka does not combine
        {u"\uff9e", u"\u3099"},              // a mark alone
        {u"a\uff9e", u"\uff41\u3099"},
        {u"\uff76\uff9e\uff9e", u"\u30ac\u3099"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::FullWidth(c.first), c.second);
}

TEST(FullWidth, WholeTableMatchesWindows)
{
    Digest digest;
    for (uint32_t unit = 1; unit < 0x10000; ++unit) {
        const char16_t c = static_cast<char16_t>(unit);
        digest.Add(platform::FullWidth(WideString(1, c)));
        digest.Add(platform::FullWidth(WideString{c, u'\uff9e'}));
        digest.Add(platform::FullWidth(WideString{c, u'\uff9f'}));
    }
    // Every code unit alone and before each mark, digested; the value was taken from Windows.
    EXPECT_EQ(digest.Value(), 773309734419737261ULL);
}

}  // namespace stem
