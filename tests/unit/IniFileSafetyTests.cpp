// What the INI class promises about the file on disk: each file is written back in the encoding
// it was read in, a file it cannot carry exactly or may not write is never written, and a save
// either lands whole or leaves the old file as it was. Runs natively and under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/Platform.h"
#include "tests/support/TempFolder.h"

namespace stem {

using namespace std::string_literals;

namespace {

// "[A]\r\nk=日付\r\n" in each encoding; 日付 is 93 FA 95 74 in Shift-JIS.
const std::string ShiftJisText = "[A]\r\nk=\x93\xFA\x95\x74\r\n";
const std::string Utf16Text = "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE5\x65\xD8\x4E\r\0\n\0"s;
const std::string Utf16BeText = "\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\x65\xE5\x4E\xD8\0\r\0\n"s;
const std::string Utf8Text = "\xEF\xBB\xBF[A]\r\nk=\xE6\x97\xA5\xE4\xBB\x98\r\n";
const std::string UnmarkedUtf8Text = "[A]\r\nk=\xE6\x97\xA5\xE4\xBB\x98\r\n";

// The same file after WriteValue("A", "j", "x").
const std::string ShiftJisAfter = "[A]\r\nk=\x93\xFA\x95\x74\r\nj=x\r\n";
const std::string Utf16After =
    "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE5\x65\xD8\x4E\r\0\n\0j\0=\0x\0\r\0\n\0"s;
const std::string Utf16BeAfter =
    "\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\x65\xE5\x4E\xD8\0\r\0\n\0j\0=\0x\0\r\0\n"s;
const std::string Utf8After = "\xEF\xBB\xBF[A]\r\nk=\xE6\x97\xA5\xE4\xBB\x98\r\nj=x\r\n";
const std::string UnmarkedUtf8After = "[A]\r\nk=\xE6\x97\xA5\xE4\xBB\x98\r\nj=x\r\n";

class IniFileSafety : public ::testing::Test {
protected:
    WideString Path() const { return folder_.File("StemraTime.ini"); }

    void Put(const std::string& bytes) const { ASSERT_TRUE(platform::WriteNewFile(Path(), bytes)); }

    std::string Bytes() const
    {
        std::string bytes;
        EXPECT_EQ(platform::ReadWholeFile(Path(), bytes), platform::FileStatus::Ok);
        return bytes;
    }

    bool SavingFileLeft() const
    {
        platform::FoundFileTimes found;
        return platform::FindFileTimes(folder_.File("*.saving"), found);
    }

    TempFolder folder_;
};

TEST_F(IniFileSafety, EachEncodingIsReadAndWrittenBackInItsOwnForm)
{
    struct Case {
        const char* name;
        std::string before;
        TIniEncoding encoding;
        std::string after;
    };
    const Case cases[] = {
        {"Shift-JIS", ShiftJisText, TIniEncoding::ShiftJis, ShiftJisAfter},
        {"UTF-16LE with mark", Utf16Text, TIniEncoding::Utf16Le, Utf16After},
        {"UTF-16BE with mark", Utf16BeText, TIniEncoding::Utf16Be, Utf16BeAfter},
        {"UTF-8 with mark", Utf8Text, TIniEncoding::Utf8WithMark, Utf8After},
        {"UTF-8 without mark", UnmarkedUtf8Text, TIniEncoding::Utf8, UnmarkedUtf8After},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.before);
        TAccessIniFile ini(Path());
        EXPECT_EQ(ini.Encoding(), c.encoding);
        EXPECT_TRUE(ini.Faithful());
        EXPECT_EQ(ini.ReadValue("A", "k", ""), "日付");
        ini.WriteValue("A", "j", "x");
        EXPECT_EQ(ini.SaveIfChanged(), TSaveOutcome::Saved);
        EXPECT_EQ(Bytes(), c.after);
        EXPECT_FALSE(SavingFileLeft());
    }
}

// Without a mark, a file is UTF-8 only when its bytes are valid UTF-8 holding a byte above
// 0x7F; anything else is Shift-JIS, as is a new file, on every system.
TEST(IniFileEncoding, AnUnmarkedFileIsUtf8OnlyWhenItsBytesSaySo)
{
    const struct {
        const char* what;
        std::string bytes;
        TIniEncoding encoding;
    } rows[] = {
        {"ASCII alone", "yyyy/mm/dd", TIniEncoding::ShiftJis},
        {"empty", "", TIniEncoding::ShiftJis},
        {"年 in Shift-JIS", "yyyy\x94\x4e", TIniEncoding::ShiftJis},
        {"あ in Shift-JIS: a lone continuation byte", "\x82\xa0", TIniEncoding::ShiftJis},
        {"年 in UTF-8", "yyyy\xe5\xb9\xb4", TIniEncoding::Utf8},
        {"UTF-8 cut short", "\xe5\xb9", TIniEncoding::ShiftJis},
        {"an overlong UTF-8 /", "\xc0\xaf", TIniEncoding::ShiftJis},
        {"a UTF-8 surrogate", "\xed\xa0\x80", TIniEncoding::ShiftJis},
        {"UTF-8 outside the BMP", "\xf0\x9f\x98\x80 d", TIniEncoding::Utf8},
        // The rare Shift-JIS that is also valid UTF-8: ﾂｱ (C2 B1) reads as ±.
        {"half-width katakana that pair as UTF-8", "k=\xc2\xb1", TIniEncoding::Utf8},
    };
    for (const auto& row : rows)
        EXPECT_EQ(EncodingOfUnmarkedFile(row.bytes), row.encoding) << row.what;
    EXPECT_EQ(EncodingOfNewFile(), TIniEncoding::ShiftJis);
}

TEST_F(IniFileSafety, UnicodeFilesThatDoNotChangeAreNotRewritten)
{
    for (const std::string& text : {Utf16Text, Utf16BeText, Utf8Text, UnmarkedUtf8Text}) {
        Put(text);
        TAccessIniFile ini(Path());
        ini.WriteValue("A", "k", "日付");  // the value it already has
        EXPECT_EQ(ini.SaveIfChanged(), TSaveOutcome::Unchanged);
        EXPECT_EQ(Bytes(), text);
    }
}

TEST_F(IniFileSafety, MarkOnlyFileGainsItsFirstSectionInTheSameEncoding)
{
    Put("\xFF\xFE");
    TAccessIniFile ini(Path());
    ini.WriteValue("B", "k", "1");
    EXPECT_EQ(ini.SaveIfChanged(), TSaveOutcome::Saved);
    EXPECT_EQ(Bytes(), "\xFF\xFE[\0B\0]\0\r\0\n\0k\0=\0001\0\r\0\n\0"s);
}

// Each file holds something the lines cannot carry exactly: it is read as far as it goes and a
// change never reaches the disk.
TEST_F(IniFileSafety, FilesThatCannotBeCarriedExactlyAreNeverWritten)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string valueRead;  // k in [A], as far as the file could be read
    };
    const Case cases[] = {
        {"NUL inside a Shift-JIS file", "[A]\r\nk=1\r\n\0[B]\r\n"s, "1"},
        {"bytes that form no Shift-JIS character", "[A]\r\nk=1\x85\x40\r\n", "1"},
        {"a second code of one Shift-JIS character", "[A]\r\nk=1\x87\x90\r\n", "1"},
        {"a lead byte at the end", "[A]\r\nk=1\x93", "1"},
        {"lone low surrogate in UTF-16BE", "\xFE\xFF\0[\0A\0]\0\n\0k\0=\0001\xDC\x00\0\n"s, "1"},
        {"odd byte count in UTF-16", "\xFF\xFE[\0A\0]\0\n\0k\0=\0001\0\n"s, "1"},
        {"lone high surrogate in UTF-16", "\xFF\xFE[\0A\0]\0\n\0k\0=\0001\0\x3D\xD8\n\0"s, "1"},
        {"lone low surrogate in UTF-16", "\xFF\xFE[\0A\0]\0\n\0k\0=\0001\0\x00\xDC\n\0"s, "1"},
        {"NUL inside a UTF-16 file", "\xFF\xFE[\0A\0]\0\n\0k\0=\0001\0\0\0x\0"s, "1"},
        {"malformed UTF-8", "\xEF\xBB\xBF[A]\nk=1\n\xC0\xAF\n", "1"},
        {"cut UTF-8 sequence", "\xEF\xBB\xBF[A]\nk=1\xE6\x97", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.bytes);
        TAccessIniFile ini(Path());
        EXPECT_FALSE(ini.Faithful());
        EXPECT_EQ(ini.ReadValue("A", "k", "<none>").substr(0, c.valueRead.size()), c.valueRead);
        ini.WriteValue("B", "j", "x");
        EXPECT_EQ(ini.SaveIfChanged(), TSaveOutcome::LeftAlone);
        EXPECT_EQ(Bytes(), c.bytes);
    }
}

// The decoders behind those encodings, byte sequence by byte sequence: what each decodes to,
// or that it is refused, with the text decoded before the fault where that is whole.
TEST(UnicodeText, ByteSequencesDecodeOrAreRefused)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool clean;
        const char16_t* text;
    };
    const Case utf8[] = {
        {"ASCII", "Ab", true, u"Ab"},
        {"first and last of two bytes", "\xC2\x80\xDF\xBF", true, u"\u0080\u07FF"},
        {"first and last of three bytes", "\xE0\xA0\x80\xEF\xBF\xBF", true, u"\u0800\uFFFF"},
        {"last before the surrogates", "\xED\x9F\xBF", true, u"\uD7FF"},
        {"first of four bytes, a pair", "\xF0\x90\x80\x80", true, u"\xD800\xDC00"},
        {"a variation selector, U+E0100", "\xF3\xA0\x84\x80", true, u"\xDB40\xDD00"},
        {"the last code point U+10FFFF", "\xF4\x8F\xBF\xBF", true, u"\xDBFF\xDFFF"},
        {"past U+10FFFF", "a\xF4\x90\x80\x80", false, u"a"},
        {"lead byte F5", "\xF5\x80\x80\x80", false, u""},
        {"overlong two bytes", "a\xC0\xAF", false, u"a"},
        {"overlong two bytes, C1", "\xC1\xBF", false, u""},
        {"overlong three bytes", "\xE0\x9F\xBF", false, u""},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", false, u""},
        {"encoded U+D800", "\xED\xA0\x80", false, u""},
        {"encoded U+DFFF", "b\xED\xBF\xBF", false, u"b"},
        {"a lone byte 0x80", "\x80", false, u""},
        {"a continuation byte first", "\x81\x80\x80\x80", false, u""},
        {"a lead byte without its continuation", "\xE6\x41\x41", false, u""},
        {"cut after two of three", "a\xE6\x97", false, u"a"},
        {"cut after three of four", "\xF0\x9F\x98", false, u""},
    };
    for (const Case& c : utf8) {
        WideString text;
        EXPECT_EQ(Utf8ToWide(c.bytes, text), c.clean) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
    // Decoded as Windows decodes: each byte that starts no character is one U+FFFD, and what
    // follows it is read on.
    const Case replaced[] = {
        {"a lone byte 0x80", "\x80", false, u"\uFFFD"},
        {"a byte that is not UTF-8, then a character", "\xFF\xE6\x97\xA5", false, u"\uFFFD日"},
        {"a lead byte before ASCII",
         "\xE6"
         "A",
         false, u"\uFFFDA"},
        {"U+E0100", "\xF3\xA0\x84\x80", true, u"\xDB40\xDD00"},
    };
    for (const Case& c : replaced)
        EXPECT_EQ(Utf8ToWideReplacing(c.bytes), c.text) << c.name;
    // Back to UTF-8: a pair as one character, U+E000 (the first user-defined character of
    // Shift-JIS, 外字) as itself and never as half of a pair, a lone surrogate as U+FFFD.
    EXPECT_EQ(WideToUtf8(u"\xDB40\xDD00"), "\xF3\xA0\x84\x80");
    EXPECT_EQ(WideToUtf8(u"\uE000\xDC00"), "\xEE\x80\x80\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(u"\xD800\uE000"), "\xEF\xBF\xBD\xEE\x80\x80");

    // UTF-16: every whole unit is kept; the fault only marks the text unclean.
    const Case utf16[] = {
        {"two units", "A\0\x42\x30"s, true, u"A\u3042"},
        {"a pair", "\x3D\xD8\x00\xDE"s, true, u"\xD83D\xDE00"},
        {"the last code point U+10FFFF", "\xFF\xDB\xFF\xDF"s, true, u"\xDBFF\xDFFF"},
        {"U+E000 after a high surrogate", "\x3D\xD8\x00\xE0"s, false, u"\xD83D\uE000"},
        {"U+E000 alone", "\x00\xE0"s, true, u"\uE000"},
        {"a lone low surrogate", "A\0\x00\xDC"s, false, u"A\xDC00"},
        {"a low surrogate before its high", "\x00\xDC\x3D\xD8"s, false, u"\xDC00\xD83D"},
        {"a high surrogate at the end", "\x3D\xD8"s, false, u"\xD83D"},
        {"an odd byte count", "A\0B"s, false, u"A"},
    };
    for (const Case& c : utf16) {
        WideString little;
        EXPECT_EQ(Utf16ToWide(c.bytes, ByteOrder::LittleEndian, little), c.clean) << c.name;
        EXPECT_EQ(little, c.text) << c.name;
        std::string swapped = c.bytes;
        for (size_t i = 0; i + 1 < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        WideString big;
        EXPECT_EQ(Utf16ToWide(swapped, ByteOrder::BigEndian, big), c.clean) << c.name;
        EXPECT_EQ(big, c.text) << c.name << " (big-endian)";
        if (c.clean) {
            EXPECT_EQ(WideToUtf16(little, ByteOrder::LittleEndian), c.bytes) << c.name;
            EXPECT_EQ(WideToUtf16(big, ByteOrder::BigEndian), swapped) << c.name;
        }
    }
}

TEST_F(IniFileSafety, ReadOnlyFileIsLeftAloneWithoutAnError)
{
    Put(ShiftJisText);
    const ReadOnlyFile readOnly(Path());
    ASSERT_TRUE(readOnly.Set());
    ASSERT_TRUE(platform::IsReadOnlyFile(Path()));
    TAccessIniFile ini(Path());
    ini.WriteValue("A", "j", "x");
    EXPECT_EQ(ini.SaveIfChanged(), TSaveOutcome::LeftAlone);
    EXPECT_EQ(Bytes(), ShiftJisText);
}

TEST_F(IniFileSafety, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    Put("[A]\r\nk=1\r\n");
    SaveIniFile(Path(), "[A]\r\nk=2\r\n");
    EXPECT_EQ(Bytes(), "[A]\r\nk=2\r\n");
    EXPECT_FALSE(SavingFileLeft());

    ASSERT_TRUE(platform::RemoveFile(Path()));
    SaveIniFile(Path(), "new");
    EXPECT_EQ(Bytes(), "new");
    EXPECT_FALSE(SavingFileLeft());
}

// A save that crashed leaves its temporary file; the next save removes those of programs that
// have ended, and nothing else: no name of another shape (an 11-digit count, a suffix in
// capitals) is taken for one, whose process would be read as 0, a number Windows says no
// process has.
TEST_F(IniFileSafety, SaveRemovesTheTemporaryFilesOfEndedProgramsOnly)
{
    const std::string ended = "2147483632";  // no process has this number
    const std::string own = std::to_string(platform::CurrentProcessId());
    const std::vector<std::string> removed = {"StemraTime.ini." + ended + "-1.saving",
                                              "stemratime.INI." + ended + "-17.saving"};
    const std::vector<std::string> kept = {"StemraTime.ini." + own + "-999.saving",
                                           "StemraTime.ini." + ended + ".saving",
                                           "StemraTime.ini.x-1.saving",
                                           "StemraTime.ini." + ended + "-.saving",
                                           "Other.ini." + ended + "-1.saving",
                                           "StemraTime.ini.99999999999-1.saving",
                                           "StemraTime.ini.4294967297-1.saving",
                                           "StemraTime.ini." + ended + "-12345678901.saving",
                                           "StemraTime.ini." + ended + "-2.SAVING",
                                           "StemraTime.ini.-1.saving"};
    for (const std::vector<std::string>* names : {&removed, &kept})
        for (const std::string& name : *names)
            ASSERT_TRUE(platform::WriteNewFile(folder_.File(name), "left over"));

    SaveIniFile(Path(), "[A]\r\n");
    for (const std::string& name : removed)
        EXPECT_FALSE(platform::PathExists(folder_.File(name))) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(platform::PathExists(folder_.File(name))) << name;
    EXPECT_EQ(Bytes(), "[A]\r\n");
}

// Another program holds the file open without sharing it: the temporary file is written, then
// cannot take the file's place. The save raises, the file keeps its bytes, and the temporary
// file is gone.
TEST_F(IniFileSafety, SaveThatCannotLandRaisesAndLeavesNothingBehind)
{
    Put(ShiftJisText);
    HeldFile holder(Path());
    ASSERT_TRUE(holder.Held());
    EXPECT_THROW(SaveIniFile(Path(), ShiftJisAfter), FileError);
    holder.Release();
    EXPECT_EQ(Bytes(), ShiftJisText);
    EXPECT_FALSE(SavingFileLeft());

    EXPECT_THROW(SaveIniFile(folder_.File("missing\\StemraTime.ini"), "x"), FileError);
    EXPECT_THROW(SaveIniFile(u"", "x"), FileError);
}

}  // namespace

}  // namespace stem
