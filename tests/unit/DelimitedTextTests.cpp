#include <gtest/gtest.h>

#include <string>

#include "MyLibrary/DelimitedTextUnit/DelimitedTextUnit.h"
#include "base/Errors.h"

namespace stem {

namespace {

using Pieces = TWideStringDynArray;

const uint8_t NoFlags = 0;
const uint8_t BothFlags = KeepDelimiters | KeepEmptyPieces;

Pieces SplitAtQuotes(const WideString& pattern)
{
    return SplitDelimitedText(pattern, {u"\""}, KeepDelimiters);
}

}  // namespace

TEST(SplitDelimitedText, AllFourFlagCombinationsOnAdjacentCommas)
{
    struct Case {
        uint8_t flags;
        Pieces expected;
    };
    const Case cases[] = {
        {NoFlags, {u"a", u"b"}},
        {KeepEmptyPieces, {u"a", u"", u"b"}},
        {KeepDelimiters, {u"a", u",", u",", u"b"}},
        {BothFlags, {u"a", u",", u"", u",", u"b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitDelimitedText(u"a,,b", {u","}, c.flags), c.expected) << int(c.flags);
}

TEST(SplitDelimitedText, EmptyPiecesAtTheEdgesOnlyWhenKept)
{
    EXPECT_EQ(SplitDelimitedText(u",a,", {u","}, KeepEmptyPieces), (Pieces{u"", u"a", u""}));
    EXPECT_EQ(SplitDelimitedText(u",a,", {u","}, NoFlags), (Pieces{u"a"}));
    EXPECT_EQ(SplitDelimitedText(u",a,", {u","}, BothFlags), (Pieces{u"", u",", u"a", u",", u""}));
    EXPECT_EQ(SplitDelimitedText(u",", {u","}, KeepEmptyPieces), (Pieces{u"", u""}));
    EXPECT_EQ(SplitDelimitedText(u"", {u","}, KeepEmptyPieces), (Pieces{u""}));
    EXPECT_EQ(SplitDelimitedText(u"", {u","}, NoFlags), Pieces{});
    EXPECT_EQ(SplitDelimitedText(u"", {u","}, KeepDelimiters), Pieces{});
}

TEST(SplitDelimitedText, EarlierDelimiterWinsWhateverItsLength)
{
    EXPECT_EQ(SplitDelimitedText(u"xaby", {u"a", u"ab"}, NoFlags), (Pieces{u"x", u"by"}));
    EXPECT_EQ(SplitDelimitedText(u"xaby", {u"ab", u"a"}, NoFlags), (Pieces{u"x", u"y"}));
    EXPECT_EQ(SplitDelimitedText(u"xaby", {u"ab", u"a"}, KeepDelimiters),
              (Pieces{u"x", u"ab", u"y"}));
}

TEST(SplitDelimitedText, NeverLooksInsideAMatchedDelimiter)
{
    // "aba" is taken at 1; the "b" and the "a" inside it are not delimiters there.
    EXPECT_EQ(SplitDelimitedText(u"abab", {u"aba", u"b"}, KeepDelimiters), (Pieces{u"aba", u"b"}));
    EXPECT_EQ(SplitDelimitedText(u"aaa", {u"aa"}, KeepDelimiters), (Pieces{u"aa", u"a"}));
}

TEST(SplitDelimitedText, RendererCallKeepsEachQuoteAsAPiece)
{
    EXPECT_EQ(SplitAtQuotes(u"ab\"cd\"\"e\""),
              (Pieces{u"ab", u"\"", u"cd", u"\"", u"\"", u"e", u"\""}));
    EXPECT_EQ(SplitAtQuotes(u"\"x\""), (Pieces{u"\"", u"x", u"\""}));
    EXPECT_EQ(SplitAtQuotes(u"\"\""), (Pieces{u"\"", u"\""}));
    EXPECT_EQ(SplitAtQuotes(u"yyyy/mm/dd"), (Pieces{u"yyyy/mm/dd"}));
    EXPECT_EQ(SplitAtQuotes(u""), Pieces{});
}

TEST(SplitDelimitedText, CaseAndWidthMatter)
{
    EXPECT_EQ(SplitDelimitedText(u"xay", {u"A"}, NoFlags), (Pieces{u"xay"}));
    EXPECT_EQ(SplitDelimitedText(u"x\uff02y", {u"\""}, NoFlags), (Pieces{u"x\uff02y"}));
}

TEST(SplitDelimitedText, EmptyDelimitersNeverMatch)
{
    EXPECT_EQ(SplitDelimitedText(u"abc", {}, BothFlags), (Pieces{u"abc"}));
    EXPECT_EQ(SplitDelimitedText(u"abc", {u"", u""}, BothFlags), (Pieces{u"abc"}));
    EXPECT_EQ(SplitDelimitedText(u"a,b", {u"", u","}, NoFlags), (Pieces{u"a", u"b"}));
    EXPECT_EQ(SplitDelimitedText(u"", {}, NoFlags), Pieces{});
}

TEST(SplitDelimitedText, DelimiterLongerThanTheRestDoesNotMatch)
{
    EXPECT_EQ(SplitDelimitedText(u"ab", {u"bc"}, KeepDelimiters), (Pieces{u"ab"}));
}

TEST(SplitFlagsToDelimitStyle, EachFlagValueHasItsOwnStyle)
{
    EXPECT_EQ(SplitFlagsToDelimitStyle(NoFlags), DropDelimitersDropEmpty);
    EXPECT_EQ(SplitFlagsToDelimitStyle(KeepDelimiters), KeepDelimitersDropEmpty);
    EXPECT_EQ(SplitFlagsToDelimitStyle(KeepEmptyPieces), DropDelimitersKeepEmpty);
    EXPECT_EQ(SplitFlagsToDelimitStyle(BothFlags), KeepDelimitersKeepEmpty);
}

TEST(SplitFlagsToDelimitStyle, OtherValuesRaiseTheAssertion)
{
    for (int flags : {4, 5, 0x80, 0xFF}) {
        try {
            SplitFlagsToDelimitStyle(static_cast<uint8_t>(flags));
            ADD_FAILURE() << "no assertion for " << flags;
        } catch (const AssertionFailure& failure) {
            const std::string message = failure.what();
            EXPECT_EQ(message.rfind("Error SplitFlagsToDelimitStyle (DelimitedTextUnit.cpp, ", 0),
                      0u)
                << message;
            EXPECT_EQ(message.substr(message.size() - 4), " \x8d\x73)");  // " 行)"
        }
    }
}

TEST(SplitFlagsToDelimitStyle, GuardStopsTheSplit)
{
    EXPECT_THROW(SplitDelimitedText(u"a,b", {u","}, 4), AssertionFailure);
}

}  // namespace stem
