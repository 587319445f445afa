#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/LocaleNames.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "MyLibrary/DateTimeUnit/SystemEras.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/Platform.h"
#include "tests/support/Moments.h"

namespace stem {

using namespace std::string_literals;

namespace {

// Sunday, 6 December 2026, 13:05:09.987.
const TDateTime Sunday = MomentAt(2026, 12, 6, 13, 5, 9, 987);

struct Case {
    const char16_t* pattern;
    TDateTime moment;
    WideString expected;
};

void ExpectRendered(const Case& c)
{
    EXPECT_EQ(RenderPattern(c.pattern, c.moment), c.expected)
        << "pattern " << WideToUtf8(c.pattern);
}

// The platform's alternate calendar gives Japanese eras (not so under Wine, whose alternate
// calendar formatting ignores the era calendar).
bool HasJapaneseEras()
{
    return platform::EraOfDate(1989, 1, 8).name == u"平成";
}

}  // namespace

TEST(RenderPattern, NumericTokensGiveTheFieldsOfTheMoment)
{
    const Case cases[] = {
        {u"yyyy/mm/dd", Sunday, u"2026/12/06"},
        {u"m/d", Sunday, u"12/6"},
        {u"yyyymmdd", Sunday, u"20261206"},
        {u"yy", Sunday, u"26"},
        {u"yyyy yy", MomentAt(33, 1, 5), u"0033 33"},
        {u"yy", MomentAt(2005, 1, 5), u"05"},
        {u"hh:nn:ss", Sunday, u"13:05:09"},
        {u"h:n:s", MomentAt(2026, 1, 2, 3, 4, 5), u"3:4:5"},
        {u"hh:nn:ss", MomentAt(2026, 1, 2, 0, 0, 0), u"00:00:00"},
        {u"zzz zz z", MomentAt(2026, 1, 2, 12, 0, 0, 987), u"987 98 9"},
        {u"zzz zz z", MomentAt(2026, 1, 2, 12, 0, 0, 5), u"005 00 0"},
        {u"zzzz", MomentAt(2026, 1, 2, 12, 0, 0, 987), u"9879"},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

TEST(RenderPattern, FirstTokenInTableOrderWinsAndValuesAreNotRescanned)
{
    const Case cases[] = {
        {u"hh:mm", Sunday, u"13:12"},           // mm is always the month
        {u"dddd", Sunday, u"0606"},             // dd twice
        {u"ddd", Sunday, u"066"},               // dd then d
        {u"yyy", Sunday, u"26y"},               // yy then a plain y
        {u"Am/Pm", Sunday, u"A12/P12"},         // no token: A, m, /, P, m
        {u"mmmmm", Sunday, u"December12"},      // mmmm then m
        {u"aaaaa", Sunday, u"日曜日Sun"},       // aaaa then a
        {u"ggggg", MomentAt(1500, 1, 1), u""},  // ggg then gg, both empty here
        {u"y w q D A Y", Sunday, u"y w q D A Y"},
        {u"時刻", Sunday, u"時刻"},
        {u"", Sunday, u""},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

TEST(RenderPattern, NamesComeFromTheNameTablesAndTheLocale)
{
    const Case cases[] = {
        {u"mmmm mmm", Sunday, u"December Dec"},
        {u"mmmm mmm", MomentAt(2026, 5, 1), u"May May"},
        {u"aaaa aaa aa a", Sunday, u"日曜日 日 Sunday Sun"},
        {u"aaaa aaa aa a", MomentAt(2026, 12, 12), u"土曜日 土 Saturday Sat"},
        {u"ampm AMPM", MomentAt(2026, 1, 1, 11, 59), u"午前 午前"},
        {u"ampm AMPM", MomentAt(2026, 1, 1, 12, 0), u"午後 午後"},
        {u"am/pm AM/PM", MomentAt(2026, 1, 1, 9), u"am AM"},
        {u"am/pm AM/PM", MomentAt(2026, 1, 1, 21), u"pm PM"},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

// The am/pm family in a section shifts its hours back by 12 in the afternoon, so the clock
// runs 0 to 11 in both halves of the day.
TEST(RenderPattern, AnAmPmTokenPutsItsSectionOnATwelveHourClock)
{
    const Case cases[] = {
        {u"h:nn am/pm", MomentAt(2026, 1, 1, 12, 30), u"0:30 pm"},
        {u"h:nn am/pm", MomentAt(2026, 1, 1, 0, 30), u"0:30 am"},
        {u"h:nn am/pm", MomentAt(2026, 1, 1, 23, 5), u"11:05 pm"},
        {u"h:nn am/pm", MomentAt(2026, 1, 1, 11, 5), u"11:05 am"},
        {u"h:nn", MomentAt(2026, 1, 1, 23, 5), u"23:05"},
        {u"hh AMPM", MomentAt(2026, 1, 1, 13), u"01 午後"},
        {u"ＡＭ/ＰＭ hh", MomentAt(2026, 1, 1, 13), u"ＰＭ 01"},
        {u"ａｍ/ｐｍ ｈ", MomentAt(2026, 1, 1, 13), u"ｐｍ １"},
        // Only the am/pm family is looked for: aampm holds "ampm", but renders as aa, m, p, m.
        {u"aampm h", MomentAt(2026, 12, 6, 13), u"Sunday12p12 1"},
        // Each unquoted section decides for itself.
        {u"h\"時\"ampm", MomentAt(2026, 1, 1, 13), u"13時午後"},
        {u"h\"時\" ampm h", MomentAt(2026, 1, 1, 13), u"13時 午後 1"},
        // Am/Pm is no token, so it leaves the clock alone.
        {u"h Am/Pm", MomentAt(2026, 12, 1, 13), u"13 A12/P12"},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

// An am/pm token is seen wherever it starts in its section, and a, A, ａ or text beyond ASCII
// that start none leave the clock at 24 hours.
TEST(RenderPattern, AnAmPmTokenIsSeenWhereverItStartsInItsSection)
{
    const TDateTime afternoon = MomentAt(2026, 1, 1, 13);  // a Thursday
    for (size_t length = 0; length < 8; ++length) {
        WideString filler;
        for (size_t i = 0; i < length; ++i)
            filler += i % 2 == 0 ? u'/' : u'時';
        SCOPED_TRACE(length);
        EXPECT_EQ(RenderPattern(u"h" + filler + u"am/pm", afternoon), u"1" + filler + u"pm");
        EXPECT_EQ(RenderPattern(u"h" + filler + u"ＡＭ/ＰＭ", afternoon), u"1" + filler + u"ＰＭ");
        EXPECT_EQ(RenderPattern(filler + u"AMPM h", afternoon), filler + u"午後 1");
        EXPECT_EQ(RenderPattern(u"h" + filler + u"A a", afternoon), u"13" + filler + u"A Thu");
        EXPECT_EQ(RenderPattern(u"h" + filler + u"ａ", afternoon), u"13" + filler + u"Ｔｈｕ");
    }
}

TEST(RenderPattern, QuotedTextIsLiteralAndQuotesAreNeverOutput)
{
    const Case cases[] = {
        {u"d\"d\"", Sunday, u"6d"},     {u"\"yyyy\"yyyy", Sunday, u"yyyy2026"},
        {u"d\"d", Sunday, u"6d"},    // an unmatched quote: the rest is literal
        {u"d\"\"d", Sunday, u"66"},  // two adjacent quotes add nothing
        {u"\"\"", Sunday, u""},         {u"\"", Sunday, u""},
        {u"\"\\n\"", Sunday, u"\\n"},  // no escapes inside quotes
        {u"\"a\"\"b\"", Sunday, u"ab"},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

TEST(RenderPattern, BackslashEscapesAreExpandedBeforeTokens)
{
    const Case cases[] = {
        {u"x\\ny", Sunday, u"x\ny"},       {u"\\t\\r", Sunday, u"\t\r"},
        {u"\\N\\T\\R", Sunday, u"\n\t\r"},  // letters in either case
        {u"\\\\n", Sunday, u"\\5"},         // \\ first, then n is the minute
        {u"\\d", Sunday, u"\\6"},           // a backslash protects nothing
        {u"x\\", Sunday, u"x\\"},          {u"\\0", Sunday, WideString(1, u'\0')},
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

TEST(RenderPattern, FullWidthTokensArePaddedBeforeWidening)
{
    const Case cases[] = {
        {u"ｙｙｙｙ年ｍ月ｄ日", Sunday, u"２０２６年１２月６日"},
        {u"ｍｍ", MomentAt(2026, 6, 1), u"０６"},
        {u"ｙｙ/ｍ/ｄｄ", MomentAt(2026, 6, 1), u"２６/６/０１"},
        {u"ｈｈ:ｎｎ:ｓｓ ｈ:ｎ:ｓ", MomentAt(2026, 1, 1, 9, 5, 7), u"０９:０５:０７ ９:５:７"},
        {u"ｍｍｍｍ ｍｍｍ", Sunday, u"Ｄｅｃｅｍｂｅｒ Ｄｅｃ"},
        {u"ａａ ａ", Sunday, u"Ｓｕｎｄａｙ Ｓｕｎ"},
        {u"ａｍ/ｐｍ", MomentAt(2026, 1, 1, 9), u"ａｍ"},
        {u"ｚ", Sunday, u"ｚ"},  // the millisecond tokens have no full-width twin
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

// Output longer than the formatter's local buffer, in many pieces and in one long literal run.
TEST(RenderPattern, LongResultsComeOutWhole)
{
    WideString pattern;
    WideString expected;
    for (int i = 0; i < 60; ++i) {
        pattern += u"mmmm/";
        expected += u"December/";
    }
    EXPECT_EQ(RenderPattern(pattern, Sunday), expected);
    const WideString literal(300, u'/');
    EXPECT_EQ(RenderPattern(u"d" + literal + u"d", Sunday), u"6" + literal + u"6");
    EXPECT_EQ(RenderPattern(u"\\" + literal + u"\"" + literal, Sunday), u"\\" + literal + literal);
}

// The time of day is rounded to the millisecond before any field is read.
TEST(RenderPattern, MomentsJustBeforeMidnightRoundIntoTheNextDay)
{
    const double lastMoment = MomentAt(2026, 12, 31) + 1 - 0.2 / MillisecondsPerDay;
    EXPECT_EQ(RenderPattern(u"yyyy/mm/dd hh:nn:ss.zzz", lastMoment), u"2027/01/01 00:00:00.000");
}

TEST(RenderPattern, EraTokensFollowTheJapaneseEraCalendar)
{
    if (!HasJapaneseEras())
        GTEST_SKIP() << "this platform's alternate calendar gives no Japanese eras (Wine)";
    const Case cases[] = {
        {u"ggg gg ee e g G", MomentAt(1989, 1, 7), u"昭和 昭 64 64 s S"},
        {u"ggg gg ee e g G", MomentAt(1989, 1, 8), u"平成 平 01 1 h H"},
        {u"ggg gg ee e g G", MomentAt(2019, 4, 30), u"平成 平 31 31 h H"},
        {u"ggg gg ee e g G", MomentAt(2019, 5, 1), u"令和 令 01 1 r R"},
        {u"ｇ Ｇ ｅｅ", MomentAt(2019, 5, 1), u"ｒ Ｒ ０１"},
        {u"Gee.mm.dd gee", MomentAt(2026, 12, 8, 10), u"R08.12.08 r08"},
        {u"ggg gg ee e g G", MomentAt(1912, 7, 29), u"明治 明 45 45 m M"},
        {u"ggg gg ee e g G", MomentAt(1912, 7, 30), u"大正 大 01 1 t T"},
        {u"ggg ee", MomentAt(1926, 12, 24), u"大正 15"},
        {u"ggg ee", MomentAt(1926, 12, 25), u"昭和 01"},
        {u"ggg ee g", MomentAt(1868, 1, 1), u"明治 01 m"},
        {u"ggg|gg|ee|e|g|G|ｅｅ", MomentAt(1867, 12, 31), u"||||||"},
        {u"ｅｅ ｅ ｇ Ｇ", MomentAt(1989, 1, 8), u"０１ １ ｈ Ｈ"},
        {u"gggee年mm月dd日(aaa)", Sunday, u"令和08年12月06日(日)"},
        {u"ggg\"/\"ee\"/\"gg", MomentAt(1989, 1, 8), u"平成/01/平"},  // one date, several sections
    };
    for (const Case& c : cases)
        ExpectRendered(c);
}

TEST(RenderPattern, EraTokensAreEmptyWhenThePlatformCannotFormatTheDate)
{
    EXPECT_EQ(RenderPattern(u"[ggg][gg][ee][e][g][G]", MomentAt(1500, 6, 1)), u"[][][][][][]");
}

namespace {

// The table's entry of that spelling, looked up by the test itself; a misspelling fails here.
const PatternToken* TokenSpelled(std::u16string_view text)
{
    for (const PatternToken& token : TokenTable)
        if (token.text == text)
            return &token;
    ADD_FAILURE() << "no token " << WideToUtf8(WideString(text));
    return nullptr;
}

}  // namespace

TEST(PatternTokens, EveryTokenIsFoundAsItselfAheadOfItsShorterPrefixes)
{
    for (const PatternToken& token : TokenTable) {
        const WideString text(token.text);
        EXPECT_EQ(MatchTokenAt(text, 0), &token) << WideToUtf8(text);
        EXPECT_EQ(MatchTokenAt(u"x" + text, 1), &token) << WideToUtf8(text);
    }
}

TEST(PatternTokens, TheDetectionScanSeesTheAmPmFamilyAlone)
{
    const WideString text = u"aampm";
    EXPECT_EQ(MatchTokenAt(text, 0, AmPmFamilyCount), nullptr);
    EXPECT_EQ(MatchTokenAt(text, 1, AmPmFamilyCount), TokenSpelled(u"ampm"));
    EXPECT_EQ(MatchTokenAt(text, 0), TokenSpelled(u"aa"));
    EXPECT_EQ(MatchTokenAt(u"am/p", 0), TokenSpelled(u"a"));  // am/pm is cut short
    EXPECT_EQ(MatchTokenAt(WideString(u"x"), 5), nullptr);    // past the end
}

TEST(EraLetterOf, GivesTheLetterOfTheFiveEraInitialsOnly)
{
    struct Case {
        const char16_t* initial;
        const char16_t* letter;
    };
    const Case cases[] = {
        {u"明", u"m"},  {u"大", u"t"}, {u"昭", u"s"},
        {u"平", u"h"},  {u"令", u"r"}, {u"仮", u""},  // an era the table does not know
        {u"平成", u""},                               // the whole name is no initial
        {u"h", u""},    {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EraLetterOf(c.initial), c.letter) << WideToUtf8(c.letter);
}

// A later era's letter comes from the eras the system lists, written here where Windows keeps
// them (the stand-in's registry natively, the test prefix's under Wine) one value at a time and
// removed again. Only a string value of four fields whose English initial is one ASCII letter
// gives a letter; the table wins for the eras it knows.
TEST(EraLetterFor, TakesALaterEraFromTheErasTheSystemLists)
{
    const Utf8String erasKey = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras";
    // The values' raw data: UTF-16LE code units.
    const auto units = [](const WideString& text) {
        return WideToUtf16(text, ByteOrder::LittleEndian);
    };
    const std::string kari = units(u"仮");
    const std::string kariMei = units(u"仮名");
    const std::string us = units(u"_");
    const std::string ti = units(u"弟");  // U+5F1F, whose second byte is the byte of "_"
    const std::string sz = "\0\0"s;
    struct Row {
        const char* what;
        uint32_t type;
        std::string data;
        WideString initial;
        const char16_t* letter;
    };
    const std::string testEra = units(u"Test Era");
    const Row rows[] = {
        {"test era", 1, kariMei + us + kari + us + testEra + units(u"_X") + sz, u"仮", u"x"},
        {"lower-case English initial", 1, kariMei + us + kari + us + testEra + units(u"_x") + sz,
         u"仮", u"x"},
        {"expandable string", 2, kariMei + us + kari + us + testEra + units(u"_X") + sz, u"仮",
         u"x"},
        {"no NUL at the end", 1, kariMei + us + kari + us + testEra + units(u"_X"), u"仮", u"x"},
        {"an odd byte at the end", 1, kariMei + us + kari + us + testEra + units(u"_X") + "\x01",
         u"仮", u"x"},
        {"initial holding the byte of _", 1, ti + us + ti + units(u"_Ti_T") + sz, u"弟", u"t"},
        {"another initial", 1, kariMei + us + kari + us + testEra + units(u"_X") + sz, u"名", u""},
        {"missing field", 1, kariMei + us + kari + us + testEra + sz, u"仮", u""},
        {"extra field", 1, kariMei + us + kari + units(u"_Test_Era_X") + sz, u"仮", u""},
        {"no underscore", 1, kariMei + sz, u"仮", u""},
        {"empty initial", 1, kariMei + us + us + testEra + units(u"_X") + sz, u"", u""},
        {"empty English initial", 1, kariMei + us + kari + us + testEra + us + sz, u"仮", u""},
        {"full-width English initial", 1, kariMei + us + kari + us + testEra + units(u"_Ｘ") + sz,
         u"仮", u""},
        {"two letters", 1, kariMei + us + kari + us + testEra + units(u"_XY") + sz, u"仮", u""},
        {"a digit", 1, kariMei + us + kari + us + testEra + units(u"_1") + sz, u"仮", u""},
        {"empty string", 1, sz, u"仮", u""},
        {"binary value", 3, kariMei + us + kari + us + testEra + units(u"_X"), u"仮", u""},
        {"multi-string value", 7, kariMei + us + kari + us + testEra + units(u"_X") + sz + sz,
         u"仮", u""},
        {"number", 4, "\x58\0\0\0"s, u"仮", u""},
        {"the table wins for Reiwa", 1, units(u"令和_令_Reiwa_Q") + sz, u"令", u"r"},
        {"the table wins for Heisei", 1, units(u"平成_平_Heisei_Z") + sz, u"平", u"h"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(platform::SetMachineRegistryValue(erasKey, "2020 09 01", row.type, row.data))
            << row.what;
        const std::vector<SystemEra> eras = ReadSystemEras();
        ASSERT_TRUE(platform::DeleteMachineRegistryValue(erasKey, "2020 09 01"));
        EXPECT_EQ(EraLetterFor(row.initial, eras), row.letter) << row.what;
    }
    EXPECT_EQ(EraLetterFor(u"仮", ReadSystemEras()), u"") << "the test era is gone again";
}

TEST(PadNumber, PutsPadCharactersInFrontUpToTheWidth)
{
    EXPECT_EQ(PadNumber(2, '0', 5), "05");
    EXPECT_EQ(PadNumber(2, '0', 12), "12");
    EXPECT_EQ(PadNumber(2, '0', 123), "123");
    EXPECT_EQ(PadNumber(4, ' ', 7), "   7");
    EXPECT_EQ(PadNumber(0, '0', 7), "7");
    EXPECT_EQ(PadNumber(-3, '0', 7), "7");
    EXPECT_EQ(PadNumber(4, ' ', -5), "  -5");  // the sign counts toward the width
    EXPECT_EQ(PadNumber(1, '0', INT64_MIN), "-9223372036854775808");
}

TEST(EraInitialOf, CutsTheEraNameByTheLanguageOfTheLocale)
{
    EXPECT_EQ(EraInitialOf(u"平成", 0x11, 0x01), u"平");
    EXPECT_EQ(EraInitialOf(u"", 0x11, 0x01), u"");
    EXPECT_EQ(EraInitialOf(u"中華民國", 0x04, 0x01), u"民國");
    EXPECT_EQ(EraInitialOf(u"民國", 0x04, 0x01), u"民國");          // not four characters
    EXPECT_EQ(EraInitialOf(u"中華民國", 0x04, 0x02), u"中華民國");  // not Taiwan
    EXPECT_EQ(EraInitialOf(u"A.D.", 0x09, 0x01), u"A.D.");
}

namespace {

bool NothingReadable(platform::LocaleText, Weekday, WideString&)
{
    return false;
}

// Gives the morning designator and Monday's names only.
bool SomeReadable(platform::LocaleText item, Weekday weekday, WideString& text)
{
    if (item == platform::LocaleText::AmDesignator) {
        text = u"AM";
        return true;
    }
    if (item == platform::LocaleText::PmDesignator || weekday != Weekday::Monday)
        return false;
    text = item == platform::LocaleText::LongDayName ? u"lundi" : u"lun.";
    return true;
}

}  // namespace

TEST(LocaleNames, TextsTheLocaleCannotGiveFallBackToEnglish)
{
    LocaleNames none;
    ReadLocaleNames(&NothingReadable, none);
    EXPECT_EQ(none.am, u"am");
    EXPECT_EQ(none.pm, u"pm");
    EXPECT_EQ(none.longDays[0], u"Sunday");
    EXPECT_EQ(none.shortDays[6], u"Sat");

    LocaleNames some;
    ReadLocaleNames(&SomeReadable, some);
    EXPECT_EQ(some.am, u"AM");
    EXPECT_EQ(some.pm, u"pm");
    EXPECT_EQ(some.longDays[1], u"lundi");
    EXPECT_EQ(some.shortDays[1], u"lun.");
    EXPECT_EQ(some.longDays[2], u"Tuesday");
}

// Both builds run as a Japanese system: the real Win32 locale data and the stand-in agree.
TEST(LocaleNames, TheThreadLocaleIsJapanese)
{
    const LocaleNames& names = ThreadLocaleNames();
    EXPECT_EQ(names.am, u"午前");
    EXPECT_EQ(names.pm, u"午後");
    const char16_t* const longDays[7] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                         u"木曜日", u"金曜日", u"土曜日"};
    const char16_t* const shortDays[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(names.longDays[i], longDays[i]);
        EXPECT_EQ(names.shortDays[i], shortDays[i]);
    }
    EXPECT_EQ(names.primaryLanguage, 0x11u);
}

namespace {

WideString Marker(size_t index)
{
    const std::string digits = "<" + std::to_string(index) + ">";
    return WideString(digits.begin(), digits.end());
}

// Writes each token found by the walk as its marker "<index>".
struct MarkerWriter {
    WideString out;
    void OnText(std::u16string_view text) { out += text; }
    void OnToken(const PatternToken& token) { out += Marker(&token - TokenTable); }
};

// The same by the plain definition: one pass of ReplacePairs over the table's first entries.
WideString ReplacedByTable(const WideString& section, int tableSize)
{
    std::vector<WideString> tokens;
    std::vector<WideString> markers;
    for (int i = 0; i < tableSize; ++i) {
        tokens.emplace_back(TokenTable[i].text);
        markers.push_back(Marker(static_cast<size_t>(i)));
    }
    return ReplacePairs(section, tokens, markers, ReplaceMatches::All, LetterCase::Matters);
}

// The escapes expanded in one left-to-right pass.
WideString EscapesExpanded(const WideString& section)
{
    const std::u16string escaped = u"rRnNtT\\0";
    const std::u16string standsFor = u"\r\r\n\n\t\t\\";
    WideString expanded;
    for (size_t i = 0; i < section.size(); ++i) {
        const size_t kind = i + 1 < section.size() && section[i] == u'\\'
                                ? escaped.find(section[i + 1])
                                : WideString::npos;
        if (kind == WideString::npos) {
            expanded += section[i];
            continue;
        }
        expanded += kind < standsFor.size() ? standsFor[kind] : u'\0';
        ++i;
    }
    return expanded;
}

}  // namespace

// Random sections made of token spellings, loose letters and escapes, so tokens overlap and
// run into each other: the walk finds exactly the tokens that a one-pass, first-in-table-order
// replacement of the whole table finds once the escapes are expanded, and so does its
// am/pm-only mode.
TEST(PatternTokens, WalkAgreesWithEscapesThenOnePassReplacementOfTheTable)
{
    std::vector<WideString> pieces;
    for (const PatternToken& token : TokenTable)
        pieces.emplace_back(token.text);
    for (const char16_t c : std::u16string(u"amp/AMPydhsgezqｍａｐＡＭＰｙｇ\\"))
        pieces.emplace_back(1, c);
    for (const char16_t* escape : {u"\\n", u"\\N", u"\\\\", u"\\t", u"\\0", u"\\r", u"\\x"})
        pieces.emplace_back(escape);
    std::mt19937 random(20261206);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(0, 6);
    for (int n = 0; n < 3000; ++n) {
        WideString section;
        for (int k = count(random); k > 0; --k)
            section += pieces[piece(random)];
        for (const int tableSize : {TokenCount, AmPmFamilyCount}) {
            MarkerWriter writer;
            WalkUnquoted(section, writer, tableSize);
            ASSERT_EQ(writer.out, ReplacedByTable(EscapesExpanded(section), tableSize))
                << WideToUtf8(section) << " with " << tableSize << " tokens";
        }
    }
}

}  // namespace stem
