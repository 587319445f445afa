#include "MyLibrary/DateTimeUnit/PatternFormatter.h"

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
    void operator+=(char16_t c)
    {
        if (size_ == Capacity)
            Spill();
        local_[size_++] = c;
    }

    void Append(const char16_t* text, size_t count)
    {
        char16_t* out = Extend(count);
        for (size_t i = 0; i < count; ++i)
            out[i] = text[i];
    }

    // Room for count more code units, to be written through the pointer.
    char16_t* Extend(size_t count)
    {
        if (Capacity - size_ < count) {
            Spill();
            if (count > Capacity) {  // too long for the array: straight into the string
                spilled_.resize(spilled_.size() + count);
                return &spilled_[spilled_.size() - count];
            }
        }
        char16_t* out = local_ + size_;
        size_ += count;
        return out;
    }

    void operator+=(std::u16string_view text) { Append(text.data(), text.size()); }

    WideString Take()
    {
        if (spilled_.empty())
            return WideString(local_, size_);
        Spill();
        return std::move(spilled_);
    }

private:
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

// Appends the decimal digits of a non-negative number, zero-padded to minDigits (at most 11).
void AppendNumber(OutputBuffer& out, int number, int minDigits)
{
    if (number < 100 && minDigits <= 2) {  // all fields but the year
        if (number < 10 && minDigits < 2) {
            *out.Extend(1) = static_cast<char16_t>(u'0' + number);
            return;
        }
        char16_t* digits = out.Extend(2);
        digits[0] = static_cast<char16_t>(u'0' + number / 10);
        digits[1] = static_cast<char16_t>(u'0' + number % 10);
        return;
    }
    if (number < 10000 && minDigits == 4) {  // the year
        char16_t* digits = out.Extend(4);
        digits[0] = static_cast<char16_t>(u'0' + number / 1000);
        digits[1] = static_cast<char16_t>(u'0' + number / 100 % 10);
        digits[2] = static_cast<char16_t>(u'0' + number / 10 % 10);
        digits[3] = static_cast<char16_t>(u'0' + number % 10);
        return;
    }
    char16_t digits[12];
    char16_t* first = digits + sizeof digits / sizeof digits[0];
    char16_t* const end = first;
    do {
        *--first = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number > 0);
    while (end - first < minDigits)
        *--first = u'0';
    out.Append(first, static_cast<size_t>(end - first));
}

// The fields of the moment being rendered. The time fields are a division or two each; the
// date is worked out once, when a token first needs it.
class MomentFields {
public:
    explicit MomentFields(TDateTime value) : moment_(SplitDateTime(value)) {}

    int Year() { return static_cast<int>(Date().year); }
    int Month() { return Date().month; }
    int Day() { return Date().day; }
    int Weekday() const { return moment_.Weekday(); }
    int Hour() const { return moment_.Hour(); }
    int Minute() const { return moment_.Minute(); }
    int Second() const { return moment_.Second(); }
    int Millisecond() const { return moment_.Millisecond(); }

private:
    const CivilDate& Date()
    {
        if (!dateKnown_) {
            date_ = moment_.Date();
            dateKnown_ = true;
        }
        return date_;
    }

    const SerialMoment moment_;
    bool dateKnown_ = false;
    CivilDate date_{};
};

bool IsTwelveHourSection(const WideString& section, MomentFields& fields);

// Writes the values of the tokens of one section. Values are computed when a token asks for
// them: the 12-hour mode when the first hour token comes, the era fields (two platform calls)
// at most once per section.
class SectionWriter {
public:
    SectionWriter(MomentFields& fields, const WideString& section, OutputBuffer& out)
        : fields_(fields), section_(section), out_(out)
    {
    }

    void OnText(const char16_t* text, size_t count) { out_.Append(text, count); }

    void OnToken(const PatternToken& token)
    {
        if (!token.fullWidth) {
            WriteValue(token.kind, out_);
            return;
        }
        OutputBuffer value;  // padded first, then widened: "ｍｍ" in June is ０６
        WriteValue(token.kind, value);
        out_ += ToFullWidth(value.Take());
    }

private:
    void WriteValue(TokenKind kind, OutputBuffer& out);
    void WriteMilliseconds(int digits, OutputBuffer& out) const;
    int Hour();
    const EraFields& Era();
    WideString EraInitial();
    AnsiString EraLetter();

    bool Morning() const { return fields_.Hour() < 12; }
    int MonthIndex() { return fields_.Month() - 1; }
    int WeekdayIndex() const { return fields_.Weekday() - 1; }

    MomentFields& fields_;
    const WideString& section_;
    OutputBuffer& out_;
    enum class Clock { Unknown, TwentyFourHour, TwelveHour } clock_ = Clock::Unknown;
    bool eraRead_ = false;
    EraFields era_;
};

void SectionWriter::WriteValue(TokenKind kind, OutputBuffer& out)
{
    switch (kind) {
    case TokenKind::AmPm: out += Morning() ? u"am" : u"pm"; break;
    case TokenKind::AmPmUpper: out += Morning() ? u"AM" : u"PM"; break;
    case TokenKind::LocaleAmPm:
        out += Morning() ? ThreadLocaleNames().am : ThreadLocaleNames().pm;
        break;
    case TokenKind::Year4: AppendNumber(out, fields_.Year(), 4); break;
    case TokenKind::Year2: AppendNumber(out, fields_.Year() % 100, 2); break;
    case TokenKind::MonthLongName: out += WideEnglishNames().longMonths[MonthIndex()]; break;
    case TokenKind::MonthShortName: out += WideEnglishNames().shortMonths[MonthIndex()]; break;
    case TokenKind::Month2: AppendNumber(out, fields_.Month(), 2); break;
    case TokenKind::Month: AppendNumber(out, fields_.Month(), 1); break;
    case TokenKind::Day2: AppendNumber(out, fields_.Day(), 2); break;
    case TokenKind::Day: AppendNumber(out, fields_.Day(), 1); break;
    case TokenKind::LocaleLongDay: out += ThreadLocaleNames().longDays[WeekdayIndex()]; break;
    case TokenKind::LocaleShortDay: out += ThreadLocaleNames().shortDays[WeekdayIndex()]; break;
    case TokenKind::EnglishLongDay: out += WideEnglishNames().longDays[WeekdayIndex()]; break;
    case TokenKind::EnglishShortDay: out += WideEnglishNames().shortDays[WeekdayIndex()]; break;
    case TokenKind::Hour2: AppendNumber(out, Hour(), 2); break;
    case TokenKind::Hour: AppendNumber(out, Hour(), 1); break;
    case TokenKind::Minute2: AppendNumber(out, fields_.Minute(), 2); break;
    case TokenKind::Minute: AppendNumber(out, fields_.Minute(), 1); break;
    case TokenKind::Second2: AppendNumber(out, fields_.Second(), 2); break;
    case TokenKind::Second: AppendNumber(out, fields_.Second(), 1); break;
    case TokenKind::EraName: out += Era().name; break;
    case TokenKind::EraInitial: out += EraInitial(); break;
    case TokenKind::EraYear2: out += Era().year2; break;
    case TokenKind::EraYear: {
        const WideString& year = Era().year2;  // "01" in the first year of an era gives "1"
        out += !year.empty() && year[0] == u'0' ? year.substr(1) : year;
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
    case TokenKind::Millisecond3: WriteMilliseconds(3, out); break;
    case TokenKind::Millisecond2: WriteMilliseconds(2, out); break;
    case TokenKind::Millisecond1: WriteMilliseconds(1, out); break;
    }
}

// Hundredths and tenths are the three-digit text cut short, so they truncate, never round.
void SectionWriter::WriteMilliseconds(int digits, OutputBuffer& out) const
{
    const AnsiString text = DropLastChars(ZeroPadNumber(3, fields_.Millisecond()), 3 - digits);
    for (const char c : text)
        out += static_cast<char16_t>(c);
}

// The hour tokens run 0 to 11 in 12-hour mode: the value moved back by 12 hours.
int SectionWriter::Hour()
{
    if (clock_ == Clock::Unknown)
        clock_ = IsTwelveHourSection(section_, fields_) ? Clock::TwelveHour
                                                        : Clock::TwentyFourHour;
    return clock_ == Clock::TwelveHour ? fields_.Hour() - 12 : fields_.Hour();
}

const EraFields& SectionWriter::Era()
{
    if (!eraRead_) {
        era_ = EraFieldsOf(fields_.Year(), fields_.Month(), fields_.Day());
        eraRead_ = true;
    }
    return era_;
}

WideString SectionWriter::EraInitial()
{
    const LocaleNames& locale = ThreadLocaleNames();
    return EraInitialOf(Era().name, locale.primaryLanguage, locale.subLanguage);
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

bool HasAmPmToken(const WideString& section)
{
    for (size_t position = 0; position < section.size(); ++position) {
        const char16_t c = section[position];  // every am/pm token starts with a, A, ａ or Ａ
        if ((c == u'a' || c == u'A' || c == u'ａ' || c == u'Ａ') &&
            MatchTokenAt(section, position, AmPmFamilyCount) != nullptr)
            return true;
    }
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

// Neither a double quote nor a backslash: the pattern is one section without escapes, as the
// split and the expansion would leave it.
bool IsPlainSection(const WideString& pattern)
{
    for (const char16_t c : pattern)
        if (c == u'"' || c == u'\\')
            return false;
    return true;
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
    if (IsPlainSection(pattern)) {
        WriteSection(pattern, fields, TokenCount, result);
        return result.Take();
    }
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
