#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/AccessIniFile/IniKeyIndex.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"
#include "tests/support/IniModel.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

using namespace std::string_literals;

// Stands for "there is no file" in the golden tables.
const std::string NoFile = "<no file>";

// A file's bytes before, what is done to the object, the bytes after SaveIfChanged.
struct GoldenCase {
    const char* name;
    std::string before;
    std::function<void(TAccessIniFile&)> operation;
    std::string after;
};

class IniFileTest : public ::testing::Test {
protected:
    WideString Path() const { return folder_.File("StemraTime.ini"); }

    void Put(const std::string& bytes) const
    {
        if (bytes != NoFile) {
            ASSERT_TRUE(platform::WriteNewFile(Path(), bytes));
        }
    }

    std::string Bytes() const
    {
        std::string bytes;
        return platform::ReadWholeFile(Path(), bytes) == platform::FileStatus::Ok ? bytes : NoFile;
    }

    // The bytes after loading `before`, running the operation and saving.
    std::string Run(const std::string& before,
                    const std::function<void(TAccessIniFile&)>& operation)
    {
        Put(before);
        TAccessIniFile ini(Path());
        operation(ini);
        ini.SaveIfChanged();
        return Bytes();
    }

    TempFolder folder_;
};

std::function<void(TAccessIniFile&)> Write(const std::string& section, const std::string& key,
                                           const std::string& value)
{
    return [=](TAccessIniFile& ini) { ini.WriteValue(section, key, value); };
}

std::function<void(TAccessIniFile&)> Erase(const std::string& section)
{
    return [=](TAccessIniFile& ini) { ini.EraseSection(section); };
}

std::function<void(TAccessIniFile&)> Delete(const std::string& section, const std::string& key)
{
    return [=](TAccessIniFile& ini) { ini.DeleteKey(section, key); };
}

TStringLines Pairs(TAccessIniFile& ini, const std::string& section)
{
    TStringLines pairs{"stale"};
    ini.ReadSectionPairs(section, pairs);
    return pairs;
}

}  // namespace

// ---- Loading and joining lines ----

TEST(IniFileText, SplitsAtEveryKindOfLineBreakAndStopsAtNul)
{
    struct Case {
        std::string text;
        TStringLines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\rb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},    // LF then CR: two breaks
        {"a\r\r\nb", {"a", "", "b"}},  // CR then CR LF: two breaks
        {"a\r\nb\0c\r\nd"s, {"a", "b"}},
        {"\0a"s, {}},
        {"\xEF\xBB\xBF[A]\r\n", {"\xEF\xBB\xBF[A]"}},  // a byte-order mark stays in the line
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitIniText(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(IniFileText, JoinEndsEveryLineWithCrLf)
{
    EXPECT_EQ(JoinIniLines({}), "");
    EXPECT_EQ(JoinIniLines({""}), "\r\n");
    EXPECT_EQ(JoinIniLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

// ---- Line classifiers ----

TEST(IniDialect, SplitsKeyAndValueAtTheFirstEquals)
{
    EXPECT_EQ(KeyPartOf(" k = v=w"), " k ");
    EXPECT_EQ(ValuePartOf(" k = v=w"), " v=w");
    EXPECT_EQ(KeyPartOf("=v"), "");
    EXPECT_EQ(ValuePartOf("=v"), "");  // no key, no value
    EXPECT_EQ(KeyPartOf("novalue"), "");
    EXPECT_EQ(ValuePartOf("k="), "");
}

TEST(IniDialect, FindsBracketsInOrderAnywhereInTheLine)
{
    EXPECT_EQ(SectionNameOf("[ A ]"), " A ");
    EXPECT_EQ(SectionNameOf("Item03=[yyyy]"), "yyyy");
    EXPECT_EQ(SectionNameOf("]A["), "");
    EXPECT_EQ(SectionNameOf("[A"), "");
    EXPECT_EQ(SectionNameOf("[]"), "");
    EXPECT_TRUE(IsSectionLine("[]"));
    EXPECT_TRUE(IsSectionLine("Item03=[yyyy]"));
    EXPECT_FALSE(IsSectionLine("  ; [A]"));
    EXPECT_FALSE(IsSectionLine("]A["));
}

// Characters of the lines: every ASCII one, and others of two, three and four bytes in UTF-8,
// among them ゼ and ゾ, whose second bytes in Shift-JIS are those of "[" and "]".
std::vector<Utf8String> SampleCharacters()
{
    std::vector<Utf8String> characters;
    for (int value = 0; value < 0x80; ++value)
        characters.emplace_back(1, static_cast<char>(value));
    for (const char* other : {"é", "ア", "ゼ", "ゾ", "表", "＝", "［", "𠀋"})
        characters.emplace_back(other);
    return characters;
}

TEST(IniDialect, MarksInsideOtherCharactersAreNone)
{
    const Utf8String kana = "ゼxゾ";
    EXPECT_EQ(SectionNameOf(kana), "");
    EXPECT_FALSE(IsSectionLine(kana + "=1"));
    EXPECT_TRUE(IsKeyLine(kana + "=1"));
    EXPECT_EQ(KeyPartOf(kana + "=1"), kana);
    EXPECT_EQ(SectionNameOf("[" + kana + "]"), kana);
    EXPECT_FALSE(IsKeyLine("k＝v"));  // a full-width equals sign is no mark
}

TEST(IniDialect, MarksAreFoundWhereTheCharacterSearchFindsThem)
{
    // Every sample character, alone, after another character and after two.
    for (const Utf8String& b : SampleCharacters()) {
        for (const Utf8String& line : {"k" + b + "=v", b + "=", "ア" + b + "=[x]",
                                       "アア" + b + "=]", "[" + b + "]", "ア" + b + "[=]"}) {
            const int equals = AnsiFindText("=", line, false);
            EXPECT_EQ(KeyPartOf(line), equals > 1 ? line.substr(0, equals - 1) : "") << line;
            EXPECT_EQ(IsKeyLine(line), !IsCommentLine(line) && AnsiHasText("=", line, false));
            const int open = AnsiFindText("[", line, false);
            const int close = AnsiFindText("]", line, false);
            EXPECT_EQ(SectionNameOf(line),
                      open > 0 && open < close ? line.substr(open, close - open - 1) : "")
                << line;
        }
    }
}

TEST(IniDialect, OnlyASemicolonAfterBlanksStartsAComment)
{
    EXPECT_TRUE(IsCommentLine("; c"));
    EXPECT_TRUE(IsCommentLine(" \t;k=v"));
    EXPECT_FALSE(IsCommentLine("# c"));
    EXPECT_FALSE(IsCommentLine("k=;v"));
    EXPECT_FALSE(IsKeyLine(";k=v"));
    EXPECT_TRUE(IsKeyLine("#k=v"));
    EXPECT_FALSE(IsSectionOrKeyLine("text without marks"));
    EXPECT_TRUE(IsSectionOrKeyLine("=v"));
}

// The trims of the dialect, on held text: blanks are every code up to U+0020 (controls and NUL
// included, the ideographic space not), the space trim takes the space alone, and one pair of
// double quotes goes.
TEST(IniDialect, TrimsBlanksSpacesAndQuotes)
{
    const std::string nul(1, '\0');
    const struct {
        Utf8String text, blankTrim, blankTrimLeft, spaceTrim;
    } trims[] = {
        {"  a b  ", "a b", "a b  ", "a b"},
        {"\t\r\nkey\x01\x1f", "key", "key\x01\x1f", "\t\r\nkey\x01\x1f"},
        {" \t\r\n ", "", "", "\t\r\n"},
        {"", "", "", ""},
        {nul + "x" + nul, "x", "x" + nul, nul + "x" + nul},
        {"\u3000x\u3000", "\u3000x\u3000", "\u3000x\u3000", "\u3000x\u3000"},
        {" \t;comment ", ";comment", ";comment ", "\t;comment"},
    };
    for (const auto& t : trims) {
        EXPECT_EQ(BlankTrim(t.text), t.blankTrim) << t.text;
        EXPECT_EQ(BlankTrimLeft(t.text), t.blankTrimLeft) << t.text;
        EXPECT_EQ(SpaceTrim(t.text), t.spaceTrim) << t.text;
    }
    const std::pair<Utf8String, Utf8String> quotes[] = {
        {"\"abc\"", "abc"},     {"\"\"", ""},   {"\"abc", "\"abc"}, {"\"", "\""},
        {"\"\"a\"\"", "\"a\""}, {"abc", "abc"}, {"", ""},           {"'abc'", "'abc'"},
    };
    for (const auto& [text, dequoted] : quotes)
        EXPECT_EQ(Dequote(text), dequoted) << text;
}

// The lines are trimmed byte by byte: the same as trimming their characters, as the model does.
TEST(IniDialect, TrimsMatchTrimmingTheCharacters)
{
    for (const Utf8String& b : SampleCharacters()) {
        const Utf8String quoted = "\"" + b + "\"";
        for (const Utf8String& text : {b, b + "x" + b, b + b + " " + quoted, quoted}) {
            EXPECT_EQ(BlankTrim(text), model::TrimCharacters(text, false, true)) << text;
            EXPECT_EQ(BlankTrimLeft(text), model::TrimCharacters(text, false, false)) << text;
            EXPECT_EQ(SpaceTrim(text), model::TrimCharacters(text, true, true)) << text;
        }
    }
}

// ---- Finding the first equal name ----

// Every ASCII letter folds, the first and last of each case included; the characters next to
// the letters ("@", "[", "`", "{") are not letters and fold to nothing else. Letters beyond
// ASCII fold as the dialect compares them: Greek alpha in either case.
TEST(IniKeyIndex, FindsTheFirstNameEqualIgnoringLetterCase)
{
    TIniKeyIndex index;
    for (const char* name : {"Item02", "a b", "item01", "ITEM01", "A B", "", "Item1", "aZ", "Az",
                             "@", "[", "`", "{", "a0z9", "Α"})
        index.Add(name);
    const struct {
        const char* name;
        int found;
    } cases[] = {
        {"Item01", 2}, {"ITEM02", 0},   {"a B", 1},      {"", 5},   {"Item1", 6}, {"AZ", 7},
        {"az", 7},     {"A0Z9", 13},    {"`", 11},       {"{", 12}, {"@", 9},     {"[", 10},
        {"Az@", -1},   {"Item001", -1}, {"Item100", -1}, {"α", 14}, {"Α", 14},
    };
    for (const auto& c : cases)
        EXPECT_EQ(index.FirstEqual(c.name), c.found) << c.name;
    EXPECT_EQ(TIniKeyIndex().FirstEqual("x"), -1);
}

// ---- Writing: golden files ----

TEST_F(IniFileTest, WritesLandWhereTheDialectPutsThem)
{
    const GoldenCase cases[] = {
        {"new file", NoFile, Write("DateFormat", "Item01", "x"), "[DateFormat]\r\nItem01=x\r\n"},
        {"after the last key, ahead of the blank line", "[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n",
         Write("A", "n", "3"), "[A]\r\nk=1\r\nn=3\r\n\r\n[B]\r\nm=2\r\n"},
        {"after a final blank line of the last section", "[A]\r\nk=1\r\n\r\n", Write("A", "n", "3"),
         "[A]\r\nk=1\r\n\r\nn=3\r\n"},
        {"ahead of a trailing comment", "[A]\r\nk=1\r\n; note\r\n", Write("A", "n", "3"),
         "[A]\r\nk=1\r\nn=3\r\n; note\r\n"},
        {"after the header of a keyless section", "[A]\r\n\r\n[B]\r\n", Write("A", "k", "1"),
         "[A]\r\nk=1\r\n\r\n[B]\r\n"},
        {"new section right after the last line", "[A]\r\nk=1\r\n\r\n", Write("B", "m", "2"),
         "[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n"},
        {"new section names trimmed of spaces", "[A]\r\n", Write(" B ", " m ", " 2 "),
         "[A]\r\n[B]\r\nm= 2 \r\n"},
        {"stored key text kept", "[A]\r\nitem01 = old\r\n", Write("a", "Item01", "new"),
         "[A]\r\nitem01 =new\r\n"},
        {"value stored verbatim", "[A]\r\nk=1\r\n", Write("A", "k", "  \"x\" "),
         "[A]\r\nk=  \"x\" \r\n"},
        {"CR LF in a value makes two lines", "[A]\r\nk=1\r\n[B]\r\n", Write("A", "k", "x\r\ny"),
         "[A]\r\nk=x\r\ny\r\n[B]\r\n"},
        {"key line with brackets ends the section", "[A]\r\nItem03=[yyyy]\r\nk=1\r\n",
         Write("A", "k", "2"), "[A]\r\nk=2\r\nItem03=[yyyy]\r\nk=1\r\n"},
        {"commented header opens the section early", "; [A]\r\n[A]\r\nk=1\r\n",
         Write("A", "k", "2"), "k=2\r\n; [A]\r\n[A]\r\nk=1\r\n"},
        {"only the first of two equal sections", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n",
         Write("A", "k", "3"), "[A]\r\nk=3\r\n[a]\r\nk=2\r\n"},
        {"line break added when changed", "[A]\r\nk=1", Write("A", "k", "2"), "[A]\r\nk=2\r\n"},
        {"lone CR and LF become CR LF when changed", "[A]\rk=1\nm=2", Write("A", "m", "3"),
         "[A]\r\nk=1\r\nm=3\r\n"},
        {"a file with a NUL inside is never written back", "[A]\r\nk=1\0[B]\r\n"s,
         Write("A", "j", "2"), "[A]\r\nk=1\0[B]\r\n"s},
        {"a NUL in a written value ends it", "[A]\r\nk=1\r\n[B]\r\nm=2\r\n",
         Write("A", "k", "x\0y"s), "[A]\r\nk=x\r\n[B]\r\nm=2\r\n"},
        {"double-byte brackets do not end the section", "[A]\r\n\x83\x5Bx\x83\x5D=1\r\nk=1\r\n",
         Write("A", "k", "2"), "[A]\r\n\x83\x5Bx\x83\x5D=1\r\nk=2\r\n"},
        {"blank section name changes nothing", "[A]\r\n", Write("  ", "k", "1"), "[A]\r\n"},
        {"blank key changes nothing", "[A]\r\n", Write("A", " ", "1"), "[A]\r\n"},
    };
    for (const GoldenCase& c : cases) {
        EXPECT_EQ(Run(c.before, c.operation), c.after) << c.name;
        platform::RemoveFile(Path());
    }
}

TEST_F(IniFileTest, DeleteAndEraseRemoveWhatTheDialectSays)
{
    const GoldenCase cases[] = {
        {"every line of the key in the section", "[A]\r\nk=1\r\nK = 2\r\nm=3\r\n[B]\r\nk=4\r\n",
         Delete("A", "k"), "[A]\r\nm=3\r\n[B]\r\nk=4\r\n"},
        {"missing key", "[A]\r\nk=1\r\n", Delete("A", "x"), "[A]\r\nk=1\r\n"},
        {"trailing blank lines and comments stay", "[A]\r\nk=1\r\n\r\n; about B\r\n[B]\r\n",
         Erase("A"), "\r\n; about B\r\n[B]\r\n"},
        {"inner blank lines and comments go", "[A]\r\n; c\r\nk=1\r\n\r\nm=2\r\n\r\n[B]\r\n",
         Erase("A"), "\r\n[B]\r\n"},
        {"last section", "[A]\r\nk=1\r\n[B]\r\nm=2\r\n", Erase("b"), "[A]\r\nk=1\r\n"},
        {"section of comments only loses its header", "[A]\r\n; c\r\n\r\n[B]\r\n", Erase("A"),
         "; c\r\n\r\n[B]\r\n"},
        {"only the first of two equal sections", "[A]\r\nk=1\r\n[A]\r\nk=2\r\n", Erase("A"),
         "[A]\r\nk=2\r\n"},
        {"missing section", "[A]\r\nk=1\r\n", Erase("B"), "[A]\r\nk=1\r\n"},
    };
    for (const GoldenCase& c : cases) {
        EXPECT_EQ(Run(c.before, c.operation), c.after) << c.name;
        platform::RemoveFile(Path());
    }
}

TEST_F(IniFileTest, WrittenValueWithLineBreakReadsAsSeparateLines)
{
    Put("[A]\r\n");
    TAccessIniFile ini(Path());
    ini.WriteValue("A", "k", "x\r\ny=2");
    EXPECT_EQ(ini.ReadValue("A", "k", "-"), "x");
    EXPECT_EQ(ini.ReadValue("A", "y", "-"), "2");
}

// ---- Reading ----

TEST_F(IniFileTest, ReadsTrimBlanksThenRemoveOneQuotePair)
{
    Put("[ DateFormat ]\r\n"
        "t1=  \" hh:nn\"  \r\n"
        "t2=\"\"\r\n"
        "t3=\"open\r\n"
        "t4 = a=b \r\n"
        "t5=\t\r\n"
        "ITEM01=upper\r\n");
    TAccessIniFile ini(Path());
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"t1", " hh:nn"}, {"t2", ""},         {"t3", "\"open"},    {"t4", "a=b"},
        {"t5", ""},       {" t1 ", " hh:nn"}, {"item01", "upper"}, {"t6", "default"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadValue(" dateformat ", c.key, "default"), c.value) << c.key;
}

TEST_F(IniFileTest, SectionEndsAtAnyLineWithBrackets)
{
    Put("[DateFormat]\r\nItem01=a\r\nItem03=[yyyy]\r\nItem04=b\r\n");
    TAccessIniFile ini(Path());
    EXPECT_EQ(ini.ReadValue("DateFormat", "Item01", "-"), "a");
    EXPECT_EQ(ini.ReadValue("DateFormat", "Item03", "-"), "-");
    EXPECT_EQ(ini.ReadValue("DateFormat", "Item04", "-"), "-");
    EXPECT_EQ(Pairs(ini, "DateFormat"), TStringLines{"Item01=a"});
    EXPECT_EQ(ini.ReadValue("yyyy", "Item04", "-"), "b");  // the key line opened a section
}

TEST_F(IniFileTest, CommentedHeaderHidesTheRealSection)
{
    Put("; [DateFormat]\r\n[DateFormat]\r\nItem01=a\r\n");
    TAccessIniFile ini(Path());
    EXPECT_EQ(ini.ReadValue("DateFormat", "Item01", "-"), "-");
    EXPECT_FALSE(ini.HasSection("DateFormat"));
    EXPECT_EQ(Pairs(ini, "DateFormat"), TStringLines{});
}

TEST_F(IniFileTest, OnlyTheFirstOfEqualSectionsAndKeysCounts)
{
    Put("[A]\r\nk=1\r\nk=2\r\n[B]\r\n[a]\r\nk=3\r\nm=4\r\n");
    TAccessIniFile ini(Path());
    EXPECT_EQ(ini.ReadValue("A", "k", "-"), "1");
    EXPECT_EQ(ini.ReadValue("A", "m", "-"), "-");
    EXPECT_EQ(Pairs(ini, "a"), (TStringLines{"k=1", "k=1"}));
}

TEST_F(IniFileTest, ReadsWithBlankNamesGiveTheDefault)
{
    Put("[A]\r\n=1\r\n");
    TAccessIniFile ini(Path());
    EXPECT_EQ(ini.ReadValue("", "k", "d"), "d");
    EXPECT_EQ(ini.ReadValue("A", "  ", "d"), "d");
    EXPECT_EQ(ini.ReadValue("A", "", "d"), "d");
}

TEST_F(IniFileTest, PairsCarryTheFirstValueOfEachKey)
{
    Put("[A]\r\nk=1\r\nK=2\r\n; c=3\r\nnokey\r\n=5\r\n  m = \"x\" \r\n[B]\r\nz=9\r\n");
    TAccessIniFile ini(Path());
    EXPECT_EQ(Pairs(ini, "A"), (TStringLines{"k=1", "K=1", "m=x"}));
    EXPECT_EQ(Pairs(ini, "missing"), TStringLines{});
    EXPECT_EQ(Pairs(ini, " "), TStringLines{});
    TStringLines keys{"stale"};
    ini.ReadSectionKeys("a", keys);
    EXPECT_EQ(keys, (TStringLines{"k", "K", "m"}));
}

TEST_F(IniFileTest, SectionNamesStopAtAnEmptyPairOfBrackets)
{
    Put("[A]\r\nk=1\r\n; [C]\r\nx=[y]\r\n[ B ]\r\n[ ]\r\n[D]\r\n");
    TAccessIniFile ini(Path());
    TStringLines names{"stale"};
    ini.ReadSectionNames(names);
    EXPECT_EQ(names, (TStringLines{"A", "C", "y", "B"}));
}

TEST_F(IniFileTest, SectionCountsOnlyWithAUsableKeyLine)
{
    Put("[Keys]\r\nk=1\r\n[Comments]\r\n; k=1\r\n\r\n[NoKeys]\r\ntext\r\n=1\r\n");
    TAccessIniFile ini(Path());
    EXPECT_TRUE(ini.HasSection("keys"));
    EXPECT_FALSE(ini.HasSection("Comments"));
    EXPECT_FALSE(ini.HasSection("NoKeys"));
    EXPECT_FALSE(ini.HasSection("Missing"));
}

// ---- Loading and saving ----

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndIsNotCreatedByReads)
{
    EXPECT_EQ(Run(NoFile,
                  [](TAccessIniFile& ini) {
                      EXPECT_FALSE(ini.HasSection("A"));
                      EXPECT_EQ(ini.ReadValue("A", "k", "d"), "d");
                      ini.EraseSection("A");
                      ini.DeleteKey("A", "k");
                  }),
              NoFile);
}

TEST_F(IniFileTest, UnchangedFileIsNeverRewritten)
{
    // Lone LFs and a missing final break would become CR LF on any rewrite.
    const std::string text = "[A]\nk=1\n; c\n[B]\nm=2";
    EXPECT_EQ(Run(text,
                  [](TAccessIniFile& ini) {
                      TStringLines list;
                      ini.ReadValue("A", "k", "");
                      ini.ReadValue("B", "m", "");  // found in the last section
                      ini.HasSection("A");
                      ini.ReadSectionNames(list);
                      ini.ReadSectionPairs("B", list);
                      ini.DeleteKey("A", "x");
                      ini.EraseSection("C");
                      ini.WriteValue("A", "k", "1");  // the same value again
                  }),
              text);
}

TEST_F(IniFileTest, SaveHappensOnlyWhenAsked)
{
    {
        TAccessIniFile ini(Path());
        ini.WriteValue("A", "k", "1");
    }
    EXPECT_EQ(Bytes(), NoFile);

    TAccessIniFile ini(Path());
    ini.WriteValue("A", "k", "1");
    ini.SaveIfChanged();
    EXPECT_EQ(Bytes(), "[A]\r\nk=1\r\n");
    ASSERT_TRUE(platform::RemoveFile(Path()));
    ini.SaveIfChanged();  // nothing new since the last save
    EXPECT_EQ(Bytes(), NoFile);
}

TEST_F(IniFileTest, FileErrorsReachTheCaller)
{
    TAccessIniFile unwritable(folder_.File("missing\\StemraTime.ini"));
    unwritable.WriteValue("A", "k", "1");
    EXPECT_THROW(unwritable.SaveIfChanged(), FileError);

    ASSERT_TRUE(platform::CreateFolder(folder_.File("folder.ini")));
    EXPECT_THROW(TAccessIniFile(folder_.File("folder.ini")), FileError);
}

}  // namespace stem
