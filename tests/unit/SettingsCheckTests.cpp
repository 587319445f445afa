// The settings linter of stem check, rule by rule: each row is a file and the one warning it
// must draw, found by its line, its rule and parts of its text; other rules warn about the file
// only as often as the row says, and every warning is of a rule in the list.
// The files are Shift-JIS bytes, as the plug-ins read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"
#include "plugin/PluginTraits.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

namespace {

using std::string_literals::operator""s;

constexpr DefaultsPlacement Keys = DefaultsPlacement::NotNeeded;

// The warnings for both plug-ins' sections of the file (lines end CR LF).
std::vector<SettingsWarning> WarningsOf(const std::string& text, DefaultsPlacement date = Keys,
                                        DefaultsPlacement time = Keys)
{
    std::string bytes;
    for (const char c : text)
        bytes += c == '\n' ? "\r\n" : std::string(1, c);
    return CheckSettingsFile(bytes, DecodeIniText(bytes),
                             {{&DatePluginTraits, date}, {&TimePluginTraits, time}});
}

// Every warning of the line under the rule, one a line.
std::string WarningsAt(const std::vector<SettingsWarning>& warnings, int line,
                       const SettingsRule* rule)
{
    std::string texts;
    for (const SettingsWarning& warning : warnings)
        if (warning.line == line && warning.rule == rule)
            texts += warning.text + "\n";
    return texts;
}

std::string Shown(const std::vector<SettingsWarning>& warnings)
{
    std::string shown;
    for (const SettingsWarning& warning : warnings)
        shown += std::to_string(warning.line) + ": " + warning.text + "\n";
    return shown;
}

// The rule of a warning is one of the list that `stem rules` prints and the documents name.
bool IsListedRule(const SettingsRule* rule)
{
    return std::find(std::begin(SettingsRules), std::end(SettingsRules), rule) !=
           std::end(SettingsRules);
}

struct Case {
    const char* name;
    const SettingsRule* rule;
    std::string text;
    int line;  // 1-based; 0: the file as a whole
    std::vector<const char*> says;
    DefaultsPlacement date = Keys;
    DefaultsPlacement time = Keys;
    size_t warnings = 1;  // of the whole file, this one included
};

TEST(SettingsCheck, EachRuleWarnsOnItsLine)
{
    const Case cases[] = {
        // Keys a load never reads.
        {"a gap in the numbering",
         &rule::NeverRead,
         "[DateFormat]\nItem01=a\nItem03=c\n",
         3,
         {"\"Item03=c\" is never read", "Item02 is missing, so reading stops at Item01"}},
        {"no Item01",
         &rule::NeverRead,
         "[DateFormat]\nItem02=b\n",
         2,
         {"Item01 is missing, so nothing is read"}},
        {"an unpadded number",
         &rule::NeverRead,
         "[DateFormat]\nItem1=a\n",
         2,
         {"\"Item1=a\" is never read", "the key for number 1 is Item01"}},
        {"a number 0",
         &rule::NeverRead,
         "[DateFormat]\nItem01=a\nItem00=x\n",
         3,
         {"starts at Item01"}},
        {"a repeated key",
         &rule::NeverRead,
         "[DateFormat]\nItem01=a\nITEM01=b\n",
         3,
         {"\"ITEM01=b\" is never read", "given already at line 2", "only the first is read"}},
        {"a key of another name",
         &rule::NeverRead,
         "[DateFormat]\nFormat=x\n",
         2,
         {"[DateFormat] reads only the keys Item01, Item02"}},
        {"a line without \"=\"",
         &rule::NeverRead,
         "[TimeFormat]\nItem01=hh\nyyyy\n",
         3,
         {"\"yyyy\" has no \"=\"", "never read"}},
        {"a line without a key",
         &rule::NeverRead,
         "[TimeFormat]\nItem01=hh\n=nokey\n",
         3,
         {"\"=nokey\" has no key before \"=\""}},
        // A line in both sections, after a comment that opens the other: warned about once.
        {"a line of two sections, read by neither",
         &rule::NeverRead,
         "[DateFormat]\nItem01=yyyy\n;[TimeFormat]\n// note\n",
         4,
         {"\"// note\" has no \"=\""},
         Keys,
         Keys,
         2},  // and the section opened at line 3
        // ... and not at all where one of them reads it.
        {"a line of two sections, read by one",
         &rule::SectionInComment,
         "[DateFormat]\nItem01=yyyy\n;[TimeFormat] is next\nItem02=mm\n",
         3,
         {"[TimeFormat] opens here"}},
        // Section names a press never reads.
        {"a section name a letter away",
         &rule::SectionMistyped,
         "[DateFromat]\nItem01=yyyy-mm-dd\n",
         1,
         {"\"[DateFromat]\" opens no section", "did you mean [DateFormat]?",
          "the 1 key line under this line is never read"}},
        {"a section name a blank and a case away",
         &rule::SectionMistyped,
         "[time format]\nItem01=hh\n",
         1,
         {"did you mean [TimeFormat]?"}},
        {"a section name in full-width brackets",
         &rule::SectionMistyped,
         "\x81\x6d"
         "DateFormat\x81\x6e\nItem01=yyyy\n",
         1,
         {"did you mean [DateFormat]?"}},
        {"a section name without brackets",
         &rule::SectionMistyped,
         "[TimeFormat]\nItem01=hh\nDateFormat\n",
         3,
         {"\"DateFormat\" opens no section", "did you mean [DateFormat]?"}},
        // Values a load changes.
        {"blanks at the start",
         &rule::BlanksOrQuotes,
         "[DateFormat]\nItem01= yyyy\n",
         2,
         {"the blanks at the start of the value of Item01 are dropped", "write Item01=\" yyyy\""}},
        {"blanks at the end after a spaced \"=\"",
         &rule::BlanksOrQuotes,
         "[DateFormat]\nItem01 = yyyy \n",
         2,
         {"the blanks at the end of the value of Item01", "write Item01=\"yyyy \""}},
        {"blanks at both ends",
         &rule::BlanksOrQuotes,
         "[DateFormat]\nItem01= yyyy\t\n",
         2,
         {"the blanks at both ends", "write Item01=\" yyyy\t\""}},
        {"quotes around a value holding quotes",
         &rule::BlanksOrQuotes,
         "[TimeFormat]\nItem01=\"hh\"\x8e\x9e\"nn\"\n",
         2,
         {"starts and ends with a double quote", "the pattern is hh\"時\"nn"}},
        {"an empty Item01",
         &rule::EmptyItem01,
         "[DateFormat]\nItem01=\"\"\nItem02=yyyy\n",
         2,
         {"Item01 is empty, so the first press inserts nothing"}},
        // Quotes the renderer reads otherwise than a person would.
        {"an odd number of quotes",
         &rule::UnpairedQuotes,
         "[DateFormat]\nItem01=mm\"/dd\n",
         2,
         {"odd number of double quotes", "not replaced: \"/dd\""}},
        {"a final quote alone",
         &rule::UnpairedQuotes,
         "[TimeFormat]\nItem01=hh:nn\"\n",
         2,
         {"Item01 ends with a double quote that has no partner"}},
        // Tokens written as a person may mean them, which the language reads otherwise.
        {"mm after an hour and a colon",
         &rule::MonthForMinutes,
         "[TimeFormat]\nItem01=hh:mm\n",
         2,
         {"mm (in hh:mm) is the month; minutes are nn", "write hh:nn"}},
        {"m before a colon and seconds, in full width",
         &rule::MonthForMinutes,
         "[TimeFormat]\nItem01=\x82\x8d\x81\x46\x82\x93\n",
         2,
         {"is the month; minutes are ｎ", "write ｎ：ｓ"}},
        {"letters of other programs",
         &rule::OtherProgramsLetters,
         "[DateFormat]\nItem01=YYYY/MM/DD\n",
         2,
         {"YYYY (write yyyy), MM (write mm for the month, nn for minutes), DD (write dd)"}},
        {"a designator of other programs, after mm for minutes",
         &rule::OtherProgramsLetters,
         "[TimeFormat]\nItem01=h:nn tt\n",
         2,
         {"tt (write AM/PM)"}},
        {"the C library's conversions",
         &rule::OtherProgramsLetters,
         "[DateFormat]\nItem01=%Y-%m-%d\n",
         2,
         {"%Y (write yyyy), %m (write mm), %d (write dd)"}},
        {"a designator in full-width letters",
         &rule::FullWidthLetters,
         "[TimeFormat]\nItem01=\x82\x81\x82\x8d\x81\x5e\x82\x90\x82\x8d\n",
         2,
         {"ａｍ／ｐｍ (write ａｍ/ｐｍ)", "the full-width tokens are"}},
        {"a weekday in full-width letters",
         &rule::FullWidthLetters,
         "[DateFormat]\nItem01=\x82\x81\x82\x81\x82\x81\x82\x81\n",
         2,
         {"(write aaaa)"}},
        {"an escaped NUL",
         &rule::NulInPattern,
         "[TimeFormat]\nItem01=hh\\0nn\n",
         2,
         {"holds \\0", "take the \\0 out"}},
        // Calendars where they are not.
        {"a calendar misspelled",
         &rule::SpelledOtherwise,
         "[DateFormat]\nItem01=CALENDAR1\n",
         2,
         {"Item01 is rendered as a pattern: only Calendar1"}},
        {"a calendar with a blank kept by quotes",
         &rule::SpelledOtherwise,
         "[DateFormat]\nItem01=\"Calendar1 \"\n",
         2,
         {"Item01 is rendered as a pattern: only Calendar1"}},
        {"a calendar with a blank inside",
         &rule::SpelledOtherwise,
         "[DateFormat]\nItem01=a\nItem02=calendar 2\n",
         3,
         {"Item02 is rendered as a pattern: only Calendar2"}},
        {"a calendar in the section of a plug-in without one",
         &rule::CalendarElsewhere,
         "[TimeFormat]\nItem01=Calendar1\n",
         2,
         {"Item01 is Calendar1, a calendar that only Stemra inserts",
          "Stemko renders it as a pattern; move it to [DateFormat]"}},
        // Sections a load reads otherwise.
        {"a value that ends the section",
         &rule::EndsTheSection,
         "[DateFormat]\nItem01=a\nItem02=[x]\nItem03=c\n",
         3,
         {"\"Item02=[x]\" holds \"[\" before \"]\"", "section line [x]",
          "[DateFormat] ends above it", "the 1 key line below it is not in it either"}},
        {"a section given twice",
         &rule::NeverRead,
         "[TimeFormat]\nItem01=hh\n[TimeFormat]\nItem02=nn\n",
         3,
         {"[TimeFormat] appears again: only the first, at line 1, is read",
          "the 1 key line under this one is never read"}},
        {"a section opened in a comment",
         &rule::SectionInComment,
         "; [DateFormat] here\n[DateFormat]\n",
         1,
         {"[DateFormat] opens here, in \"; [DateFormat] here\"",
          "Take \"[DateFormat]\" out of this line"},
         DefaultsPlacement::OutsideSection,
         Keys,
         2},  // and [DateFormat] given again at line 2
        {"the other section inside this one",
         &rule::SectionInComment,
         "[DateFormat]\n; [TimeFormat]\n=x\n",
         1,
         {"Stemra cannot add its default patterns",
          "they would land in [TimeFormat] too, which opens at line 2",
          "Take \"[TimeFormat]\" out of line 2"},
         DefaultsPlacement::SharedSection,
         Keys,
         3},  // and the section opened at line 2, and line 3, in both sections, once
        // The file as a whole.
        {"a NUL byte",
         &rule::FileNotReadWhole,
         "[DateFormat]\nItem01=a\n\0b\n"s,
         3,
         {"this line holds a NUL character", "nothing after it is read", "never write"}},
        {"bytes that are not text",
         &rule::FileNotReadWhole,
         "[DateFormat]\nItem01=a\n\x03\x04\0\0\x01\n"s,
         0,
         {"this file is not text", "up to its first NUL, on line 3"}},
        {"UTF-32",
         &rule::FileNotReadWhole,
         "\xff\xfe\0\0[\0\0\0"s,
         0,
         {"this file is UTF-32", "a press uses the defaults"}},
        // 年 and 月 in UTF-8, 時 and 分 in Shift-JIS: what a press of an earlier version left in
        // a file saved as UTF-8. Read as Shift-JIS, the UTF-8 bytes hold some that form no
        // character, so the file is also one the plug-ins never write.
        {"two encodings",
         &rule::TwoEncodings,
         "[DateFormat]\nItem01=yyyy\xe5\xb9\xb4mm\xe6\x9c\x88\n"
         "[TimeFormat]\nItem01=hh\x8e\x9enn\x95\xaa\n",
         0,
         {"mixes two encodings", "line 2 in UTF-8, line 4 in Shift-JIS",
          "save the file in one encoding: UTF-8 or Shift-JIS"},
         Keys,
         Keys,
         2},
    };
    for (const Case& c : cases) {
        const std::vector<SettingsWarning> warnings = WarningsOf(c.text, c.date, c.time);
        const std::string said = WarningsAt(warnings, c.line, c.rule);
        EXPECT_EQ(warnings.size(), c.warnings) << c.name << ": other warnings\n" << Shown(warnings);
        for (const SettingsWarning& warning : warnings)
            EXPECT_TRUE(IsListedRule(warning.rule))
                << c.name << ": a warning of no listed rule: " << warning.text;
        for (const char* part : c.says)
            EXPECT_NE(said.find(part), std::string::npos)
                << c.name << ": line " << c.line << " lacks \"" << part << "\" under the rule "
                << c.rule->english << " in\n"
                << Shown(warnings);
    }
}

// What a load reads as a person would read it draws no warning: padded and lower-case keys, a
// section name in another letter case, blanks around "=", quoted blanks, empty values after
// Item01, comments and blank lines, brackets inside quotes of a comment, a Shift-JIS character
// whose second byte is that of "[" or "]" (ゼ, ゾ), full-width tokens (ｈｈ：ｎｎ), other
// programs' letters and \0 between quotes, words holding such letters, and the other sections;
// in Shift-JIS, in UTF-8 and in UTF-8 with a byte-order mark.
TEST(SettingsCheck, WhatALoadReadsAsWrittenDrawsNothing)
{
    const std::string text = "; Patterns of Stemra and Stemko\n"
                             "[DateFormat]\n"
                             "Item01=gggee\x94\x4emm\x8c\x8e\n"
                             " Item02 = Calendar1\n"
                             "Item03=\"  yyyy \"\n"
                             "item04=\x83\x5b\x83\x5d yyyy\n"
                             "Item05=\n"
                             "Item06=yyyy\"YYYY\\0\" CLASS\n"
                             "\n"
                             "[timeformat]\n"
                             "Item01=hh:nn:ss.zzz\n"
                             "ITEM02=\" h:nn AM/PM\"\n"
                             "Item03=\x82\x88\x82\x88\x81\x46\x82\x8e\x82\x8e\n"
                             "[Other]\n"
                             "Item01=[x]\n"
                             "Item09=yyyy\n";
    const std::string utf8 = WideToUtf8(platform::DecodeText(platform::ShiftJisCodePage, text));
    for (const std::string& encoded : {text, utf8, "\xef\xbb\xbf" + utf8})
        EXPECT_EQ(Shown(WarningsOf(encoded)), "") << encoded;
}

// One encoding alone, with a byte-order mark or without, draws no warning of two encodings.
TEST(SettingsCheck, AFileInOneEncodingIsNoCaseOfTwo)
{
    const std::string utf8 = "[DateFormat]\nItem01=yyyy\xe5\xb9\xb4mm\xe6\x9c\x88\n";  // 年 月
    const std::string shiftJis = "[TimeFormat]\nItem01=hh\x8e\x9enn\x95\xaa\n";        // 時 分
    for (const std::string& text : {utf8, shiftJis, "\xef\xbb\xbf" + utf8 + "; \xe6\x97\xa5\n"})
        EXPECT_EQ(Shown(WarningsOf(text)), "") << text;
}

// Warnings of both sections and of the file come in line order, the file's first.
TEST(SettingsCheck, WarningsComeInLineOrder)
{
    const std::vector<SettingsWarning> warnings =
        WarningsOf("[TimeFormat]\nItem1=a\n[DateFormat]\nItem1=b\n[TimeFormat]\n\x01\0"s);
    std::vector<int> lines;
    for (const SettingsWarning& warning : warnings)
        lines.push_back(warning.line);
    EXPECT_EQ(lines, (std::vector<int>{0, 2, 4, 5})) << Shown(warnings);
}

}  // namespace

}  // namespace stem
