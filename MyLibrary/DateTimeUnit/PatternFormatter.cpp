#include "MyLibrary/DateTimeUnit/PatternFormatter.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/LocaleNames.h"
#include "MyLibrary/DateTimeUnit/NameTables.h"
#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "MyLibrary/DelimitedTextUnit/DelimitedTextUnit.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"

namespace {

// The English name tables in wide form, converted through the code page once.
struct EnglishNames {
    WideString shortMonths[12];
    WideString longMonths[12];
    WideString shortDays[7];
    WideString longDays[7];
};

const EnglishNames& WideEnglishNames()
{
    static const EnglishNames names = [] {
        EnglishNames wide;
        for (int i = 0; i < 12; ++i) {
            wide.shortMonths[i] = platform::AnsiToWide(EnglishShortMonthNames[i]);
            wide.longMonths[i] = platform::AnsiToWide(EnglishLongMonthNames[i]);
        }
        for (int i = 0; i < 7; ++i) {
            wide.shortDays[i] = platform::AnsiToWide(EnglishShortDayNames[i]);
            wide.longDays[i] = platform::AnsiToWide(EnglishLongDayNames[i]);
        }
        return wide;
    }();
    return names;
}

// Collects output in a local array and makes one string of the exact size at the end; a
// rendered pattern is usually a few dozen code units, built from many tiny pieces.
class OutputBuffer {
public:
    void operator+=(char16_t c) { *Extend(1) = c; }
    void operator+=(std::u16string_view text) { Append(text.data(), text.size()); }

    void Append(const char16_t* text, size_t count)
    {
        char16_t* out = Extend(count);
        for (size_t i = 0; i < count; ++i)
            out[i] = text[i];
    }

    // Room for count more code units, to be written through the pointer.
    char16_t* Extend(size_t count)
    {
        if (count > Capacity - size_)
            return ExtendSpilled(count);
        char16_t* out = local_ + size_;
        size_ += count;
        return out;
    }

    WideString Take()
    {
        if (spilled_.empty())
            return WideString(local_, size_);
        Spill();
        return std::move(spilled_);
    }

private:
    char16_t* ExtendSpilled(size_t count);

    void Spill()
    {
        spilled_.append(local_, size_);
        size_ = 0;
    }

    static constexpr size_t Capacity = 128;
    char16_t local_[Capacity];
    size_t size_ = 0;
    WideString spilled_;
};

// The array is full: its text moves to the string, and a piece too long for the array goes
// straight into the string.
char16_t* OutputBuffer::ExtendSpilled(size_t count)
{
    Spill();
    if (count > Capacity) {
        spilled_.resize(spilled_.size() + count);
        return &spilled_[spilled_.size() - count];
    }
    size_ = count;
    return local_;
}

// "00" to "99", two code units each: numbers are written two digits at a time.
struct DigitPairTable {
    char16_t digits[200] = {};
    constexpr DigitPairTable()
    {
        for (int i = 0; i < 100; ++i) {
            digits[2 * i] = static_cast<char16_t>(u'0' + i / 10);
            digits[2 * i + 1] = static_cast<char16_t>(u'0' + i % 10);
        }
    }
};
constexpr DigitPairTable DigitPairs;

// Two digits of a number below 100 at out.
void PutTwoDigits(char16_t* out, unsigned number)
{
    std::memcpy(out, &DigitPairs.digits[2 * number], 2 * sizeof(char16_t));
}

void AppendTwoDigits(OutputBuffer& out, unsigned number)
{
    PutTwoDigits(out.Extend(2), number);
}

// A number below 100 with the digits it has.
void AppendShortNumber(OutputBuffer& out, unsigned number)
{
    if (number < 10)
        *out.Extend(1) = static_cast<char16_t>(u'0' + number);
    else
        AppendTwoDigits(out, number);
}

// A number below 10000 as four digits.
void AppendFourDigits(OutputBuffer& out, unsigned number)
{
    char16_t* const digits = out.Extend(4);
    PutTwoDigits(digits, number / 100);
    PutTwoDigits(digits + 2, number % 100);
}

// The fields of the moment being rendered. The time fields are a division or two each; the
// date is worked out once, when a token first needs it, and so are the era fields (two
// platform calls), which depend on the date alone.
class MomentFields {
public:
    explicit MomentFields(TDateTime value) : moment_(SplitDateTime(value)) {}

    unsigned Year() { return static_cast<unsigned>(Date().year); }  // 1..9999: the span
    unsigned Month() { return static_cast<unsigned>(Date().month); }
    unsigned Day() { return static_cast<unsigned>(Date().day); }
    Weekday DayOfWeek() { return Date().weekday; }
    unsigned Hour() const { return static_cast<unsigned>(moment_.Hour()); }
    unsigned Minute() const { return static_cast<unsigned>(moment_.Minute()); }
    unsigned Second() const { return static_cast<unsigned>(moment_.Second()); }
    unsigned Millisecond() const { return static_cast<unsigned>(moment_.Millisecond()); }

    const EraFields& Era()
    {
        if (!era_)
            era_ = EraFieldsOf(static_cast<int>(Year()), static_cast<int>(Month()),
                               static_cast<int>(Day()));
        return *era_;
    }

private:
    const DateTimeFields& Date()
    {
        if (!dateKnown_) {
            date_ = moment_.Date();
            dateKnown_ = true;
        }
        return date_;
    }

    const SerialMoment moment_;
    bool dateKnown_ = false;
    DateTimeFields date_{};
    std::optional<EraFields> era_;
};

bool IsTwelveHourSection(const WideString& section, MomentFields& fields);

// Writes the values of the tokens of one section. Values are computed when a token asks for
// them; the 12-hour mode when the first hour token comes.
class SectionWriter {
public:
    SectionWriter(MomentFields& fields, const WideString& section, OutputBuffer& out)
        : fields_(fields), section_(section), out_(out)
    {
    }

    void OnText(const char16_t* text, size_t count) { out_.Append(text, count); }

    void OnToken(const PatternToken& token)
    {
        if (token.fullWidth)
            WriteFullWidth(token.kind);
        else
            WriteValue(token.kind, out_);
    }

private:
    void WriteValue(TokenKind kind, OutputBuffer& out)
    {
        if (!WriteNumber(kind, out))
            WriteText(kind, out);
    }

    void WriteFullWidth(TokenKind kind);
    bool WriteNumber(TokenKind kind, OutputBuffer& out);
    void WriteText(TokenKind kind, OutputBuffer& out);
    unsigned Hour();
    WideString EraInitial();
    AnsiString EraLetter();

    bool Morning() const { return fields_.Hour() < 12; }
    unsigned MonthIndex() { return fields_.Month() - 1; }
    int DayIndex() { return WeekdayIndex(fields_.DayOfWeek()); }

    MomentFields& fields_;
    const WideString& section_;
    OutputBuffer& out_;
    enum class Clock { Unknown, TwentyFourHour, TwelveHour } clock_ = Clock::Unknown;
};

// The value is padded first, then widened: "ｍｍ" in June is ０６.
void SectionWriter::WriteFullWidth(TokenKind kind)
{
    OutputBuffer value;
    WriteValue(kind, value);
    out_ += ToFullWidth(value.Take());
}

// Writes the value of a number token; false for any other token.
bool SectionWriter::WriteNumber(TokenKind kind, OutputBuffer& out)
{
    switch (kind) {
    case TokenKind::Year4: AppendFourDigits(out, fields_.Year()); break;
    case TokenKind::Year2: AppendTwoDigits(out, fields_.Year() % 100); break;
    case TokenKind::Month2: AppendTwoDigits(out, fields_.Month()); break;
    case TokenKind::Month: AppendShortNumber(out, fields_.Month()); break;
    case TokenKind::Day2: AppendTwoDigits(out, fields_.Day()); break;
    case TokenKind::Day: AppendShortNumber(out, fields_.Day()); break;
    case TokenKind::Hour2: AppendTwoDigits(out, Hour()); break;
    case TokenKind::Hour: AppendShortNumber(out, Hour()); break;
    case TokenKind::Minute2: AppendTwoDigits(out, fields_.Minute()); break;
    case TokenKind::Minute: AppendShortNumber(out, fields_.Minute()); break;
    case TokenKind::Second2: AppendTwoDigits(out, fields_.Second()); break;
    case TokenKind::Second: AppendShortNumber(out, fields_.Second()); break;
    // Hundredths and tenths are the three digits cut short, so they truncate, never round.
    case TokenKind::Millisecond3: {
        char16_t* const digits = out.Extend(3);
        digits[0] = static_cast<char16_t>(u'0' + fields_.Millisecond() / 100);
        PutTwoDigits(digits + 1, fields_.Millisecond() % 100);
        break;
    }
    case TokenKind::Millisecond2: AppendTwoDigits(out, fields_.Millisecond() / 10); break;
    case TokenKind::Millisecond1:
        *out.Extend(1) = static_cast<char16_t>(u'0' + fields_.Millisecond() / 100);
        break;
    default: return false;
    }
    return true;
}

void SectionWriter::WriteText(TokenKind kind, OutputBuffer& out)
{
    switch (kind) {
    case TokenKind::AmPm: out += Morning() ? u"am" : u"pm"; break;
    case TokenKind::AmPmUpper: out += Morning() ? u"AM" : u"PM"; break;
    case TokenKind::LocaleAmPm:
        out += Morning() ? ThreadLocaleNames().am : ThreadLocaleNames().pm;
        break;
    case TokenKind::MonthLongName: out += WideEnglishNames().longMonths[MonthIndex()]; break;
    case TokenKind::MonthShortName: out += WideEnglishNames().shortMonths[MonthIndex()]; break;
    case TokenKind::LocaleLongDay: out += ThreadLocaleNames().longDays[DayIndex()]; break;
    case TokenKind::LocaleShortDay: out += ThreadLocaleNames().shortDays[DayIndex()]; break;
    case TokenKind::EnglishLongDay: out += WideEnglishNames().longDays[DayIndex()]; break;
    case TokenKind::EnglishShortDay: out += WideEnglishNames().shortDays[DayIndex()]; break;
    case TokenKind::EraName: out += fields_.Era().name; break;
    case TokenKind::EraInitial: out += EraInitial(); break;
    case TokenKind::EraYear2: out += fields_.Era().year2; break;
    case TokenKind::EraYear: {
        std::u16string_view year = fields_.Era().year2;  // "01" in the first year gives "1"
        if (!year.empty() && year[0] == u'0')
            year.remove_prefix(1);
        out += year;
        break;
    }
    case TokenKind::EraLetter: out += platform::AnsiToWide(EraLetter()); break;
    case TokenKind::EraLetterUpper: {
        AnsiString letter = EraLetter();
        for (char& c : letter)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        out += platform::AnsiToWide(letter);
        break;
    }
    default: break;  // the numbers: WriteNumber
    }
}

// The hour tokens run 0 to 11 in 12-hour mode: the value moved back by 12 hours.
unsigned SectionWriter::Hour()
{
    if (clock_ == Clock::Unknown)
        clock_ = IsTwelveHourSection(section_, fields_) ? Clock::TwelveHour
                                                        : Clock::TwentyFourHour;
    return clock_ == Clock::TwelveHour ? fields_.Hour() - 12 : fields_.Hour();
}

WideString SectionWriter::EraInitial()
{
    const LocaleNames& locale = ThreadLocaleNames();
    return EraInitialOf(fields_.Era().name, locale.primaryLanguage, locale.subLanguage);
}

AnsiString SectionWriter::EraLetter()
{
    return EraLetterOf(platform::WideToAnsi(EraInitial()));
}

// Replaces the tokens among the first tableSize entries of the table in one pass.
void WriteSection(const WideString& section, MomentFields& fields, int tableSize,
                  OutputBuffer& out)
{
    SectionWriter writer(fields, section, out);
    ScanPatternSection(section, tableSize, writer);
}

// Whether four code units, read as one word, may hold the first letter of an am/pm token
// (a, A, ａ or Ａ): a lane equal to a once 0x20 is set, or any lane from U+8000 up. It rules
// out most of a pattern four code units at a time.
bool MayHoldAmPmInitial(uint64_t word)
{
    constexpr uint64_t Ones = 0x0001000100010001;
    constexpr uint64_t HighBits = 0x8000800080008000;
    const uint64_t x = (word | 0x20 * Ones) ^ (u'a' * Ones);  // a lane of 0 was a or A
    return ((((x - Ones) & ~x) | word) & HighBits) != 0;
}

bool IsAmPmTokenAt(const WideString& section, size_t position)
{
    const char16_t c = section[position];
    return (c == u'a' || c == u'A' || c == u'ａ' || c == u'Ａ') &&
           MatchTokenAt(section, position, AmPmFamilyCount) != nullptr;
}

bool HasAmPmToken(const WideString& section)
{
    size_t position = 0;
    for (; position + 4 <= section.size(); position += 4) {
        uint64_t word;
        std::memcpy(&word, section.data() + position, sizeof word);
        if (MayHoldAmPmInitial(word))
            for (size_t i = position; i < position + 4; ++i)
                if (IsAmPmTokenAt(section, i))
                    return true;
    }
    for (; position < section.size(); ++position)
        if (IsAmPmTokenAt(section, position))
            return true;
    return false;
}

// 12-hour mode: the am/pm family alone, replaced in the section, changes it, and the hour is
// past noon. Before noon the mode changes nothing, and a section without an am/pm token is
// left unchanged by the pass, so the pass runs only when it can matter.
bool IsTwelveHourSection(const WideString& section, MomentFields& fields)
{
    if (fields.Hour() < 12 || !HasAmPmToken(section))
        return false;
    OutputBuffer replaced;
    WriteSection(section, fields, AmPmFamilyCount, replaced);
    return replaced.Take() != section;
}

void AppendFormattedSection(const WideString& section, MomentFields& fields,
                            OutputBuffer& out)
{
    WriteSection(ExpandEscapes(section), fields, TokenCount, out);
}

// Renders a whole pattern as one section, which it is when no double quote or backslash is
// in it. Tokens hold neither, so only the literal runs between them are looked at; after the
// first such character the rest is skipped and the pattern must be split instead.
class PlainPatternWriter {
public:
    PlainPatternWriter(MomentFields& fields, const WideString& pattern, OutputBuffer& out)
        : writer_(fields, pattern, out), out_(out)
    {
    }

    bool Plain() const { return plain_; }

    // Copies the text while looking at it; what was written is dropped when it is not plain.
    void OnText(const char16_t* text, size_t count)
    {
        if (!plain_)
            return;
        char16_t* const copy = out_.Extend(count);
        for (size_t i = 0; i < count; ++i) {
            if (text[i] == u'"' || text[i] == u'\\') {
                plain_ = false;
                return;
            }
            copy[i] = text[i];
        }
    }

    void OnToken(const PatternToken& token)
    {
        if (plain_)
            writer_.OnToken(token);
    }

private:
    SectionWriter writer_;
    OutputBuffer& out_;
    bool plain_ = true;
};

// Quoted text is copied, every other piece formatted as a section.
WideString RenderSections(const WideString& pattern, MomentFields& fields)
{
    OutputBuffer result;
    const TWideStringDynArray pieces = SplitDelimitedText(pattern, {u"\""}, KeepDelimiters);
    bool insideQuotes = false;
    for (const WideString& piece : pieces) {
        if (piece == u"\"")
            insideQuotes = !insideQuotes;
        else if (insideQuotes)
            result += piece;
        else
            AppendFormattedSection(piece, fields, result);
    }
    return result.Take();
}

}  // namespace

WideString FormatPatternPiece(const WideString& section, TDateTime value)
{
    MomentFields fields(value);
    OutputBuffer result;
    AppendFormattedSection(section, fields, result);
    return result.Take();
}

WideString RenderPattern(const WideString& pattern, TDateTime value)
{
    MomentFields fields(value);
    OutputBuffer result;
    PlainPatternWriter writer(fields, pattern, result);
    ScanPatternSection(pattern, TokenCount, writer);
    return writer.Plain() ? result.Take() : RenderSections(pattern, fields);
}

AnsiString EraLetterOf(const AnsiString& eraInitial)
{
    for (int i = 0; i < EraCount; ++i)
        if (eraInitial == EraInitials[i])
            return EraLetters[i];
    return AnsiString();
}

AnsiString PadNumber(int width, char pad, int64_t number)
{
    AnsiString digits = std::to_string(number);
    if (static_cast<int64_t>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), pad);
    return digits;
}

AnsiString ZeroPadNumber(int width, int64_t number)
{
    return PadNumber(width, '0', number);
}
