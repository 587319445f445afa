// The settings linter of stem check, rule by rule: each row is a file and the one warning it
// must draw, found by its line and parts of its text; other rules warn about the file only as
// often as the row says.
// The files are Shift-JIS bytes, as the plug-ins read them.
#include <gtest/gtest.h>

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

// Every warning of the line, one a line.
std::string WarningsAt(const std::vector<SettingsWarning>& warnings, int line)
{
    std::string texts;
    for (const SettingsWarning& warning : warnings)
        if (warning.line == line)
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

struct Case {
    const char* rule;
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
         "[DateFormat]\nItem01=a\nItem03=c\n",
         3,
         {"\"Item03=c\" is never read", "Item02 is missing, so reading stops at Item01"}},
        {"no Item01", "[DateFormat]\nItem02=b\n", 2, {"Item01 is missing, so nothing is read"}},
        {"an unpadded number",
         "[DateFormat]\nItem1=a\n",
         2,
         {"\"Item1=a\" is never read", "the key for number 1 is Item01"}},
        {"a number 0", "[DateFormat]\nItem01=a\nItem00=x\n", 3, {"starts at Item01"}},
        {"a repeated key",
         "[DateFormat]\nItem01=a\nITEM01=b\n",
         3,
         {"\"ITEM01=b\" is never read", "given already at line 2", "only the first is read"}},
        {"a key of another name",
         "[DateFormat]\nFormat=x\n",
         2,
         {"[DateFormat] reads only the keys Item01, Item02"}},
        {"a line without \"=\"",
         "[TimeFormat]\nItem01=hh\nyyyy\n",
         3,
         {"\"yyyy\" has no \"=\"", "never read"}},
        {"a line without a key",
         "[TimeFormat]\nItem01=hh\n=nokey\n",
         3,
         {"\"=nokey\" has no key before \"=\""}},
        // Values a load changes.
        {"blanks at the start",
         "[DateFormat]\nItem01= yyyy\n",
         2,
         {"the blanks at the start of the value of Item01 are dropped", "write Item01=\" yyyy\""}},
        {"blanks at the end after a spaced \"=\"",
         "[DateFormat]\nItem01 = yyyy \n",
         2,
         {"the blanks at the end of the value of Item01", "write Item01=\"yyyy \""}},
        {"blanks at both ends",
         "[DateFormat]\nItem01= yyyy\t\n",
         2,
         {"the blanks at both ends", "write Item01=\" yyyy\t\""}},
        {"quotes around a value holding quotes",
         "[TimeFormat]\nItem01=\"hh\"\x8e\x9e\"nn\"\n",
         2,
         {"starts and ends with a double quote", "the pattern is hh\"時\"nn"}},
        // Quotes the renderer reads otherwise than a person would.
        {"an odd number of quotes",
         "[DateFormat]\nItem01=mm\"/dd\n",
         2,
         {"odd number of double quotes", "not replaced: \"/dd\""}},
        {"a final quote alone",
         "[TimeFormat]\nItem01=hh:nn\"\n",
         2,
         {"Item01 ends with a double quote that has no partner"}},
        {"a calendar misspelled",
         "[DateFormat]\nItem01=CALENDAR1\n",
         2,
         {"Item01 is rendered as a pattern: only Calendar1"}},
        {"a calendar with a blank kept by quotes",
         "[DateFormat]\nItem01=\"Calendar1 \"\n",
         2,
         {"Item01 is rendered as a pattern: only Calendar1"}},
        {"a calendar with a blank inside",
         "[DateFormat]\nItem01=a\nItem02=calendar 2\n",
         3,
         {"Item02 is rendered as a pattern: only Calendar2"}},
        // Sections a load reads otherwise.
        {"a value that ends the section",
         "[DateFormat]\nItem01=a\nItem02=[x]\nItem03=c\n",
         3,
         {"\"Item02=[x]\" holds \"[\" before \"]\"", "section line [x]",
          "[DateFormat] ends above it", "the 1 key line below it is not in it either"}},
        {"a section given twice",
         "[TimeFormat]\nItem01=hh\n[TimeFormat]\nItem02=nn\n",
         3,
         {"[TimeFormat] appears again: only the first, at line 1, is read",
          "the 1 key line under this one is never read"}},
        {"a section opened in a comment",
         "; [DateFormat] here\n[DateFormat]\n",
         1,
         {"[DateFormat] opens here, in \"; [DateFormat] here\"",
          "Take \"[DateFormat]\" out of this line"},
         DefaultsPlacement::OutsideSection,
         Keys,
         2},  // and [DateFormat] given again at line 2
        {"the other section inside this one",
         "[DateFormat]\n; [TimeFormat]\n=x\n",
         1,
         {"Stemra cannot add its default patterns",
          "they would land in [TimeFormat] too, which opens at line 2",
          "Take \"[TimeFormat]\" out of line 2"},
         DefaultsPlacement::SharedSection,
         Keys,
         4},  // and the section opened at line 2, and line 3 read by both sections
        // The file as a whole.
        {"a NUL byte",
         "[DateFormat]\nItem01=a\n\0b\n"s,
         0,
         {"the lines cannot carry all of this file", "never write to it"}},
        // 年 and 月 in UTF-8, 時 and 分 in Shift-JIS: what a press of an earlier version left in
        // a file saved as UTF-8. Read as Shift-JIS, the UTF-8 bytes hold some that form no
        // character, so the file is one the plug-ins never write.
        {"two encodings",
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
        const std::string said = WarningsAt(warnings, c.line);
        EXPECT_EQ(warnings.size(), c.warnings) << c.rule << ": other warnings\n" << Shown(warnings);
        for (const char* part : c.says)
            EXPECT_NE(said.find(part), std::string::npos)
                << c.rule << ": line " << c.line << " lacks \"" << part << "\" in\n"
                << Shown(warnings);
    }
}

// What a load reads as a person would read it draws no warning: padded and lower-case keys,
// blanks around "=", quoted blanks, empty values, comments and blank lines, brackets inside
// quotes of a comment, a Shift-JIS character whose second byte is that of "[" or "]" (ゼ, ゾ),
// and the other sections; in Shift-JIS, in UTF-8 and in UTF-8 with a byte-order mark.
TEST(SettingsCheck, WhatALoadReadsAsWrittenDrawsNothing)
{
    const std::string text = "; Patterns of Stemra and Stemko\n"
                             "[DateFormat]\n"
                             "Item01=gggee\x94\x4emm\x8c\x8e\n"
                             " Item02 = Calendar1\n"
                             "Item03=\"  yyyy \"\n"
                             "item04=\x83\x5b\x83\x5d yyyy\n"
                             "Item05=\n"
                             "\n"
                             "[TimeFormat]\n"
                             "Item01=hh:nn:ss.zzz\n"
                             "ITEM02=\" h:nn AM/PM\"\n"
                             "[Other]\n"
                             "Item01=[x]\n"
                             "Item09=yyyy\n";
    const std::string utf8 = WideToUtf8(platform::DecodeText(platform::ShiftJisCodePage, text));
    for (const std::string& encoded : {text, utf8, "\xef\xbb\xbf" + utf8})
        EXPECT_EQ(Shown(WarningsOf(encoded)), "") << encoded;
}

// Warnings of both sections and of the file come in line order, the file's first.
TEST(SettingsCheck, WarningsComeInLineOrder)
{
    const std::vector<SettingsWarning> warnings =
        WarningsOf("[TimeFormat]\nItem1=a\n[DateFormat]\nItem1=b\n[TimeFormat]\n\0"s);
    std::vector<int> lines;
    for (const SettingsWarning& warning : warnings)
        lines.push_back(warning.line);
    EXPECT_EQ(lines, (std::vector<int>{0, 2, 4, 5})) << Shown(warnings);
}

}  // namespace

}  // namespace stem
