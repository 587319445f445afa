// The settings file class on random files and random operation sequences. The first part of
// the input is the file's bytes; the rest drives the operations. Besides the sanitizers'
// checks, it holds the class to its promises: each key of a section's pairs reads as the value
// its pair carries (what the plug-ins' one-pass load relies on), the saved file reloads to the
// same sections, and the file layer's decoding and encoding agree.
// A quarter of the inputs instead drive plain writes and deletions on a new file, checked
// against the tests' model of the dialect (tests/support/IniModel.h).
#include <algorithm>
#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "fuzz/FuzzInput.h"
#include "platform/Platform.h"
#include "tests/support/IniModel.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

// Held text as the lines always are: random bytes decoded as UTF-8 and encoded again.
Utf8String HeldText(const std::string& bytes)
{
    return WideToUtf8(Utf8ToWideReplacing(bytes));
}

// The dialect's byte-level shortcuts on a line of held text agree with the search of whole
// characters and with trimming the characters, which they stand for.
void CheckDialect(const Utf8String& line)
{
    const int equals = AnsiFindText("=", line, false);
    FUZZ_REQUIRE(KeyPartOf(line).size() == (equals > 1 ? static_cast<size_t>(equals - 1) : 0));
    const int open = AnsiFindText("[", line, false);
    const int close = AnsiFindText("]", line, false);
    const bool named = open > 0 && open < close;
    FUZZ_REQUIRE(SectionNameOf(line).size() == (named ? static_cast<size_t>(close - open - 1) : 0));

    // Trimmed by characters, as the bytes stand for them: blanks up to U+0020, or the space.
    const WideString wide = Utf8ToWideReplacing(line);
    FUZZ_REQUIRE(BlankTrim(line) == model::TrimCharacters(line, false, true));
    FUZZ_REQUIRE(BlankTrimLeft(line) == model::TrimCharacters(line, false, false));
    FUZZ_REQUIRE(SpaceTrim(line) == model::TrimCharacters(line, true, true));
    const bool quoted = wide.size() >= 2 && wide.front() == u'"' && wide.back() == u'"';
    FUZZ_REQUIRE(Dequote(line) == (quoted ? WideToUtf8(wide.substr(1, wide.size() - 2)) : line));
}

// Names and values: a fresh short text, or one used before so that later operations meet the
// sections and keys that earlier ones made.
class TextPool {
public:
    explicit TextPool(FuzzedDataProvider& input) : input_(input) {}

    Utf8String Next()
    {
        if (!used_.empty() && input_.ConsumeBool())
            return used_[input_.ConsumeIntegralInRange<size_t>(0, used_.size() - 1)];
        used_.push_back(HeldText(input_.ConsumeRandomLengthString(12)));
        CheckDialect(used_.back());
        return used_.back();
    }

private:
    FuzzedDataProvider& input_;
    std::vector<Utf8String> used_;
};

bool HasLineBreakOrNul(const Utf8String& line)
{
    return line.find_first_of(std::string("\r\n\0", 3)) != Utf8String::npos;
}

// Split and join: no line holds a break, and joining then splitting gives the lines back.
void CheckSplitAndJoin(const std::string& bytes)
{
    const TStringLines lines = SplitIniText(bytes);
    for (const Utf8String& line : lines)
        FUZZ_REQUIRE(!HasLineBreakOrNul(line));
    FUZZ_REQUIRE(SplitIniText(JoinIniLines(lines)) == lines);
}

// Every section of the file with its pairs, as ReadSectionNames and ReadSectionPairs see it.
std::vector<TStringLines> Sections(TAccessIniFile& ini)
{
    TStringLines names;
    ini.ReadSectionNames(names);
    std::vector<TStringLines> sections;
    for (const Utf8String& name : names) {
        TStringLines pairs;
        ini.ReadSectionPairs(name, pairs);
        pairs.insert(pairs.begin(), name);
        sections.push_back(pairs);
    }
    return sections;
}

// A key the section's pairs list reads, key by key, as the value its pair carries: the first
// line of the section with that key part is its first key line.
void CheckPairsRead(TAccessIniFile& ini, const Utf8String& section)
{
    TStringLines pairs;
    ini.ReadSectionPairs(section, pairs);
    for (const Utf8String& pair : pairs)
        FUZZ_REQUIRE(ini.ReadValue(section, KeyPartOf(pair), "?default") == ValuePartOf(pair));
}

void RunOperation(TAccessIniFile& ini, TextPool& texts, FuzzedDataProvider& input)
{
    TStringLines lines;
    const Utf8String section = texts.Next();
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0: ini.ReadValue(section, texts.Next(), texts.Next()); break;
    case 1: {
        const Utf8String key = texts.Next();
        const Utf8String value = texts.Next();
        ini.WriteValue(section, key, value);
        break;
    }
    case 2: ini.DeleteKey(section, texts.Next()); break;
    case 3: ini.EraseSection(section); break;
    case 4: ini.ReadSectionKeys(section, lines); break;
    case 5: ini.ReadSectionNames(lines); break;
    case 6: ini.ReadSectionPairs(section, lines); break;
    default: CheckPairsRead(ini, section); break;
    }
}

// Decoding: faithful lines written back in their encoding decode to the same lines.
void CheckDecodeAndEncode(const std::string& bytes)
{
    const TIniFileContent content = DecodeIniText(bytes);
    for (const Utf8String& line : content.lines) {
        FUZZ_REQUIRE(!HasLineBreakOrNul(line));
        CheckDialect(line);
    }
    if (!content.faithful)
        return;
    const TIniFileContent again = DecodeIniText(EncodeIniText(content.lines, content.encoding));
    FUZZ_REQUIRE(again.lines == content.lines);
    FUZZ_REQUIRE(again.encoding == content.encoding);
    FUZZ_REQUIRE(again.faithful);
}

// The file layer on disk: the bytes saved load as they decode.
void CheckSaveAndLoad(const WideString& path, const std::string& bytes)
{
    SaveIniFile(path, bytes);
    const TIniFileContent loaded = LoadIniFile(path);
    const TIniFileContent decoded = DecodeIniText(bytes);
    FUZZ_REQUIRE(loaded.lines == decoded.lines);
    FUZZ_REQUIRE(loaded.encoding == decoded.encoding);
    FUZZ_REQUIRE(loaded.faithful == decoded.faithful);
}

// A text of minLength to maxLength letters of the alphabet: names that collide and differ in
// case only, values with blanks, quotes and "=".
std::string ConsumeFrom(FuzzedDataProvider& input, const std::string& alphabet, size_t minLength,
                        size_t maxLength)
{
    const size_t length = input.ConsumeIntegralInRange(minLength, maxLength);
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += alphabet[input.ConsumeIntegralInRange<size_t>(0, alphabet.size() - 1)];
    return text;
}

// The class reads the lines as the model does: the same sections in order, each with the same
// pairs, and each key as its pair's value.
void CheckMatchesModel(TAccessIniFile& ini, const model::Lines& lines)
{
    TStringLines names;
    ini.ReadSectionNames(names);
    FUZZ_REQUIRE(names == model::SectionNames(lines));
    for (const Utf8String& name : names) {
        TStringLines pairs;
        ini.ReadSectionPairs(name, pairs);
        const std::vector<model::Pair> expected = model::Pairs(lines, name);
        FUZZ_REQUIRE(pairs.size() == expected.size());
        for (size_t k = 0; k < pairs.size(); ++k) {
            const auto& [key, value] = expected[k];
            FUZZ_REQUIRE(pairs[k] == key + "=" + value);
            FUZZ_REQUIRE(ini.ReadValue(name, key, "?none") == value);
        }
    }
}

// The line engine against the model: plain writes, deletions and erasures on a file made from
// nothing, read back before and after a save, which writes exactly the model's lines.
void CheckAgainstModel(const WideString& path, FuzzedDataProvider& input)
{
    platform::RemoveFile(path);
    TAccessIniFile ini(path);
    model::Lines lines;
    const std::string nameLetters = "aAbB1_.";
    const std::string valueLetters = "x Y\"=;.";
    const int operations = input.ConsumeIntegralInRange(0, 32);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i) {
        const std::string section = ConsumeFrom(input, nameLetters, 1, 2);
        const std::string key = ConsumeFrom(input, nameLetters, 1, 2);
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
            model::DeleteKey(lines, section, key);
            ini.DeleteKey(section, key);
            break;
        case 1:
            model::EraseSection(lines, section);
            ini.EraseSection(section);
            break;
        default: {
            const std::string value = ConsumeFrom(input, valueLetters, 0, 5);
            model::Write(lines, section, key, value);
            ini.WriteValue(section, key, value);
            break;
        }
        }
    }
    CheckMatchesModel(ini, lines);
    ini.SaveIfChanged();
    FUZZ_REQUIRE(LoadIniFile(path).lines == lines);
    TAccessIniFile reloaded(path);
    CheckMatchesModel(reloaded, lines);
}

}  // namespace

}  // namespace stem

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stem;
    static TempFolder folder;  // one folder for the whole run; emptied at exit
    const WideString path = folder.File("StemraTime.ini");

    FuzzedDataProvider input(data, size);
    if (input.ConsumeIntegralInRange(0, 3) == 3) {  // a quarter of the inputs
        CheckAgainstModel(folder.File("Model.ini"), input);
        return 0;
    }
    const std::string fileBytes = input.ConsumeRandomLengthString(size);
    CheckSplitAndJoin(fileBytes);
    CheckDecodeAndEncode(fileBytes);
    CheckSaveAndLoad(path, fileBytes);

    TAccessIniFile ini(path);
    TextPool texts(input);
    const int operations = input.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i)
        RunOperation(ini, texts, input);
    const TSaveOutcome outcome = ini.SaveIfChanged();

    // What was saved loads again in its encoding, which its bytes tell: UTF-8 without a mark
    // whose text is all ASCII reads as Shift-JIS, the same bytes. A Unicode file reloads exactly
    // (a written character that Shift-JIS lacks may change in a Shift-JIS one).
    TAccessIniFile reloaded(path);
    if (outcome == TSaveOutcome::LeftAlone)
        return 0;
    std::string saved;
    platform::ReadWholeFile(path, saved);
    const bool ascii =
        std::all_of(saved.begin(), saved.end(), [](char c) { return (c & 0x80) == 0; });
    const TIniEncoding expected =
        ini.Encoding() == TIniEncoding::Utf8 && ascii ? TIniEncoding::ShiftJis : ini.Encoding();
    FUZZ_REQUIRE(reloaded.Encoding() == expected);
    if (ini.Encoding() != TIniEncoding::ShiftJis)
        FUZZ_REQUIRE(Sections(reloaded) == Sections(ini));
    return 0;
}
