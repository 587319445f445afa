#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "MyLibrary/StringUnit/StringUnit.h"

namespace stem {

namespace {

constexpr ReplaceMatches All = ReplaceMatches::All;
constexpr ReplaceMatches FirstOnly = ReplaceMatches::FirstOnly;
constexpr LetterCase CaseMatters = LetterCase::Matters;
constexpr LetterCase CaseIgnored = LetterCase::Ignored;

struct WideCase {
    WideString input;
    WideString expected;
};

const WideString Nul(1, u'\0');

}  // namespace

// ---- Comparing at a position ----

TEST(MatchesAt, FindsThePatternOnlyWhereItFits)
{
    struct Case {
        int position;
        bool expected;
    };
    const Case cases[] = {{2, true},   {1, false},       {3, false},      {0, false},
                          {-1, false}, {INT_MIN, false}, {INT_MAX, false}};
    for (const Case& c : cases)
        EXPECT_EQ(MatchesAt(u"ab", u"xab", c.position), c.expected) << c.position;
    EXPECT_FALSE(MatchesAt(u"", u"xab", 1));
    EXPECT_FALSE(MatchesAt(u"ab", u"", 1));
    EXPECT_FALSE(MatchesAt(u"xabc", u"xab", 1));
}

TEST(MatchesAt, IsCaseAndWidthSensitive)
{
    EXPECT_FALSE(MatchesAt(u"AB", u"ab", 1));
    EXPECT_TRUE(MatchesAtIgnoreCase(u"AB", u"ab", 1));
    EXPECT_FALSE(MatchesAtIgnoreCase(u"AB", u"\uff41\uff42", 1));  // ａｂ
    EXPECT_TRUE(MatchesAt(u"\u5e74", u"2024\u5e74", 5));
}

TEST(WideCharsMatchAt, RejectsRunsOutsideEitherText)
{
    EXPECT_TRUE(WideCharsMatchAt(u"xabc", u"abcx", 2, false, 3, 1));
    EXPECT_FALSE(WideCharsMatchAt(u"xabc", u"abcx", 2, false, 4, 1));
    EXPECT_FALSE(WideCharsMatchAt(u"abc", u"abc", 1, false, 0, 1));
    EXPECT_FALSE(WideCharsMatchAt(u"abc", u"abc", 1, false, -1, 1));
    EXPECT_FALSE(WideCharsMatchAt(u"abc", u"abc", INT_MAX, false, INT_MAX, 1));
    EXPECT_FALSE(WideCharsMatchAt(u"abc", u"abc", 2, false, INT_MAX, 2));
    EXPECT_FALSE(WideCharsMatchAt(u"abc", u"abc", 1, false, 1, 0));
}

TEST(EndsWithText, ComparesTheTail)
{
    EXPECT_TRUE(EndsWithText(u"folder\\", u"\\", false));
    EXPECT_FALSE(EndsWithText(u"folder", u"\\", false));
    EXPECT_FALSE(EndsWithText(u"", u"\\", false));
    EXPECT_FALSE(EndsWithText(u"abc", u"", false));
    EXPECT_FALSE(EndsWithText(u"c", u"abc", false));
    EXPECT_FALSE(EndsWithText(u"file.INI", u".ini", false));
    EXPECT_TRUE(EndsWithText(u"file.INI", u".ini", true));
}

TEST(EnsureSuffix, AppendsOnlyWhenMissing)
{
    EXPECT_EQ(EnsureSuffix(u"file.INI", u".ini", true), u"file.INI");
    EXPECT_EQ(EnsureSuffix(u"file.INI", u".ini", false), u"file.INI.ini");
    EXPECT_EQ(EnsureTrailingBackslash(u"C:\\Plugins\\"), u"C:\\Plugins\\");
    EXPECT_EQ(EnsureTrailingBackslash(u"C:\\Plugins"), u"C:\\Plugins\\");
    EXPECT_EQ(EnsureTrailingBackslash(u""), u"\\");
}

// ---- Full-width mapping ----

TEST(ToFullWidth, MapsTokenValues)
{
    EXPECT_EQ(ToFullWidth(u""), u"");
    EXPECT_EQ(ToFullWidth(u"06"), u"\uff10\uff16");
    EXPECT_EQ(ToFullWidth(u"Sep pm"), u"\uff33\uff45\uff50\u3000\uff50\uff4d");
    EXPECT_EQ(ToFullWidth(u"\uff8a\uff9f"), u"\u30d1");  // the result can be shorter
}

TEST(ToFullWidth, MapsPastAnEmbeddedNul)
{
    EXPECT_EQ(ToFullWidth(u"1" + Nul + u"2"), u"\uff11" + Nul + u"\uff12");
}

// ---- Replacing many pairs in one pass ----

TEST(ReplacePairs, FirstPairInIndexOrderWins)
{
    EXPECT_EQ(ReplacePairs(u"ab", {u"a", u"ab"}, {u"x", u"y"}, All, CaseMatters), u"xb");
    EXPECT_EQ(ReplacePairs(u"ab", {u"ab", u"a"}, {u"y", u"x"}, All, CaseMatters), u"y");
    // Longest-first ordering, as the token table has it.
    EXPECT_EQ(ReplacePairs(u"mmmmm-mm", {u"mmmm", u"mmm", u"mm", u"m"}, {u"L", u"S", u"2", u"1"},
                           All, CaseMatters),
              u"L1-2");
}

TEST(ReplacePairs, NeverRescansReplacedText)
{
    EXPECT_EQ(ReplacePairs(u"aaa", {u"a"}, {u"aa"}, All, CaseMatters), u"aaaaaa");
    EXPECT_EQ(ReplacePairs(u"ab", {u"a", u"xb"}, {u"x", u"!"}, All, CaseMatters), u"xb");
    EXPECT_EQ(ReplacePairs(u"yy", {u"yy", u"y"}, {u"y", u"Z"}, All, CaseMatters), u"y");
}

TEST(ReplacePairs, MatchMayStartRightAfterThePreviousOne)
{
    EXPECT_EQ(ReplacePairs(u"dddd", {u"dd"}, {u"1"}, All, CaseMatters), u"11");
    EXPECT_EQ(ReplacePairs(u"ddd", {u"dd"}, {u"1"}, All, CaseMatters), u"1d");
}

TEST(ReplacePairs, WithoutReplaceAllOnlyTheFirstMatchIsReplaced)
{
    EXPECT_EQ(ReplacePairs(u"a-b-a", {u"b", u"a"}, {u"B", u"A"}, FirstOnly, CaseMatters), u"A-b-a");
    EXPECT_EQ(ReplacePairs(u"xyz", {u"q"}, {u"Q"}, FirstOnly, CaseMatters), u"xyz");
}

TEST(ReplacePairs, UnusablePairsLeaveTheSource)
{
    EXPECT_EQ(ReplacePairs(u"abc", {}, {}, All, CaseMatters), u"abc");
    EXPECT_EQ(ReplacePairs(u"abc", {u"a", u"b"}, {u"x"}, All, CaseMatters), u"abc");
    EXPECT_EQ(ReplacePairs(u"abc", {u""}, {u"x"}, All, CaseMatters), u"abc");
    EXPECT_EQ(ReplacePairs(u"", {u"a"}, {u"x"}, All, CaseMatters), u"");
}

TEST(ReplacePairs, CaseMattersUnlessIgnored)
{
    EXPECT_EQ(ReplacePairs(u"Dd", {u"d"}, {u"7"}, All, CaseMatters), u"D7");
    EXPECT_EQ(ReplacePairs(u"Dd", {u"d"}, {u"7"}, All, CaseIgnored), u"77");
    EXPECT_EQ(ReplacePairs(u"\uff44d", {u"d"}, {u"7"}, All, CaseIgnored),
              u"\uff447");  // width kept
}

TEST(ReplacePairs, ShrinksAndHandlesDoubleByteText)
{
    EXPECT_EQ(ReplacePairs(u"yyyy\u5e74", {u"yyyy", u"\u5e74"}, {u"2024", u"/"}, All, CaseMatters),
              u"2024/");
    EXPECT_EQ(ReplacePairs(u"\u5e74\u5e74", {u"\u5e74"}, {u""}, All, CaseMatters), u"");
    // Characters without an ANSI form are replaced too.
    EXPECT_EQ(ReplacePairs(u"\uac00\uac00", {u"\uac00"}, {u"abc"}, All, CaseMatters), u"abcabc");
}

// ---- Escapes ----

// A backslash and the character after it: r, n, t in either case, a backslash, or 0.
// Each break ends a line, so the lines are one more than the breaks; a lone CR breaks a line
// only where any CR does.
TEST(SplitLines, CrOrLfBreaksAtEveryFormLfOnlyKeepsALoneCr)
{
    using Lines = std::vector<WideString>;
    const struct {
        const char16_t* text;
        Lines crOrLf;
        Lines lfOnly;
    } cases[] = {
        {u"", {u""}, {u""}},
        {u"a", {u"a"}, {u"a"}},
        {u"a\r\nb", {u"a", u"b"}, {u"a", u"b"}},
        {u"a\nb\n", {u"a", u"b", u""}, {u"a", u"b", u""}},
        {u"a\rb", {u"a", u"b"}, {u"a\rb"}},
        {u"a\r\r\nb", {u"a", u"", u"b"}, {u"a\r", u"b"}},
        {u"\n\r", {u"", u"", u""}, {u"", u"\r"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text, LineBreaks::CrOrLf), c.crOrLf)
            << testing::PrintToString(WideString(c.text));
        EXPECT_EQ(SplitLines(c.text, LineBreaks::LfOnly), c.lfOnly)
            << testing::PrintToString(WideString(c.text));
    }
    EXPECT_EQ(SplitLines(std::string_view("x\r\ny"), LineBreaks::LfOnly),
              (std::vector<Utf8String>{"x", "y"}));
}

TEST(EscapeAt, ABackslashAndOneOfFiveCharacters)
{
    const struct {
        const char16_t* text;
        size_t position;
        char16_t standsFor;  // 0xFFFF: no escape there
    } cases[] = {
        {u"a\\tb", 1, u'\t'}, {u"\\T", 0, u'\t'},  {u"\\r", 0, u'\r'},    {u"\\R", 0, u'\r'},
        {u"\\n", 0, u'\n'},   {u"\\N", 0, u'\n'},  {u"\\\\", 0, u'\\'},   {u"\\0", 0, u'\0'},
        {u"\\q", 0, 0xFFFF},  {u"\\d", 0, 0xFFFF}, {u"end\\", 3, 0xFFFF}, {u"\\t", 1, 0xFFFF},
        {u"ab", 0, 0xFFFF},   {u"", 0, 0xFFFF},    {u"\\t", 5, 0xFFFF},
    };
    for (const auto& c : cases) {
        char16_t found = 0xFFFF;
        const bool escape = EscapeAt(c.text, c.position, found);
        EXPECT_EQ(escape, c.standsFor != 0xFFFF) << c.position;
        EXPECT_EQ(found, c.standsFor) << c.position;
    }
}

// ---- Search of held text ----

// ア is E3 82 A2 in UTF-8: no byte of it stands for a character alone.
TEST(AnsiFindText, MatchesWholeCharactersOnly)
{
    EXPECT_EQ(AnsiFindText("\x82", "ア", false), 0);        // a byte inside it
    EXPECT_EQ(AnsiFindText("\xE3", "ア", false), 0);        // the first byte: half of it
    EXPECT_EQ(AnsiFindText("\xE3\x82", "ア", false), 0);    // two thirds of it
    EXPECT_EQ(AnsiFindText("\xA2\xE3", "アア", false), 0);  // the end of one, the start of the next
    EXPECT_EQ(AnsiFindText("ア", "xア", false), 2);
    EXPECT_EQ(AnsiFindText("A", "アA", false), 4);
}

TEST(AnsiFindText, CaseIsIgnoredOnlyWhenAsked)
{
    EXPECT_EQ(AnsiFindText("KEY", "a key", false), 0);
    EXPECT_EQ(AnsiFindText("KEY", "a key", true), 3);
    EXPECT_EQ(AnsiFindText("Ａ", "ａ", true), 1);
    EXPECT_EQ(AnsiFindText("Ａ", "ａ", false), 0);
    EXPECT_EQ(AnsiFindText("", "abc", false), 0);
    EXPECT_EQ(AnsiFindText("abc", "", false), 0);
}

TEST(AnsiHasText, FindsTheTextCaseSensitively)
{
    EXPECT_TRUE(AnsiHasText("=", "Item01=yyyy/mm/dd", false));
    EXPECT_FALSE(AnsiHasText("=", "[DateFormat]", false));
    EXPECT_TRUE(AnsiHasText("Windows 7", "Microsoft Windows 7 Ultimate", false));
    EXPECT_FALSE(AnsiHasText("Windows 7", "Microsoft windows 7", false));
}

TEST(AnsiFindEx, SearchesInBothDirections)
{
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchForward, false, INT_MAX), 2);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchBackward, false, INT_MAX), 5);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 3, SearchForward, false, INT_MAX), 5);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, 2, false, INT_MAX), 0);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, -1, false, INT_MAX), 0);
}

TEST(AnsiFindEx, StaysInsideTheWindow)
{
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchBackward, false, 4), 2);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchBackward, false, 6), 5);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchForward, false, 2), 0);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 2, SearchForward, false, 2), 2);
    EXPECT_EQ(AnsiFindEx("bc", "abcabc", 1, SearchForward, false, 1), 0);  // window < pattern
    EXPECT_EQ(AnsiFindEx("b", "abc", 1, SearchForward, false, 0), 0);
    EXPECT_EQ(AnsiFindEx("b", "abc", 1, SearchForward, false, -5), 0);
}

TEST(AnsiFindEx, RejectsStartsOutsideTheText)
{
    EXPECT_EQ(AnsiFindEx("c", "abc", 3, SearchForward, false, INT_MAX), 3);
    EXPECT_EQ(AnsiFindEx("c", "abc", 4, SearchForward, false, INT_MAX), 0);
    EXPECT_EQ(AnsiFindEx("c", "abc", 0, SearchForward, false, INT_MAX), 0);
    EXPECT_EQ(AnsiFindEx("c", "abc", INT_MIN, SearchForward, false, INT_MAX), 0);
    EXPECT_EQ(AnsiFindEx("c", "abc", INT_MAX, SearchBackward, false, INT_MAX), 0);
}

TEST(AnsiFindEx, WindowEndOverflowMeansTheRestOfTheText)
{
    // start + window - 1 does not fit in 32 bits: the window runs to the end.
    EXPECT_EQ(AnsiFindEx("a", "xaxa", 2, SearchBackward, false, INT_MAX), 4);
    EXPECT_EQ(AnsiFindEx("a", "xaxa", 3, SearchForward, false, INT_MAX), 4);
}

// ---- Small helpers ----

TEST(ExtractFolder, EverythingBeforeTheLastBackslash)
{
    EXPECT_EQ(ExtractFolder(u"C:\\a\\b.ini"), u"C:\\a");
    EXPECT_EQ(ExtractFolder(u"C:\\a\\"), u"C:\\a");
    EXPECT_EQ(ExtractFolder(u"C:\\表\\설정"), u"C:\\表");
    EXPECT_EQ(ExtractFolder(u"b.ini"), u"");
}

}  // namespace stem
