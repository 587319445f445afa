#include "MyLibrary/DateTimeUnit/PatternFormatter.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/LocaleNames.h"
#include "MyLibrary/DateTimeUnit/NameTables.h"
#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "MyLibrary/DateTimeUnit/SystemEras.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// "00" to "99", for writing numbers two digits at a time.
struct TwoDigits {
    char16_t digits[100][2] = {};
    constexpr TwoDigits()
    {
        for (int i = 0; i < 100; ++i) {
            digits[i][0] = static_cast<char16_t>(u'0' + i / 10);
            digits[i][1] = static_cast<char16_t>(u'0' + i % 10);
        }
    }
};
constexpr TwoDigits DigitPairs;

// Gathers rendered text in a local array and makes one string of it at the end: a rendered
// pattern is a few dozen code units built from many small pieces. When the array is full its
// text moves on to a string.
class RenderedText {
public:
    void Append(std::u16string_view text)
    {
        char16_t* out = Extend(text.size());
        for (const char16_t c : text)
            *out++ = c;
    }

    // A number with at least `digits` digits, zeros in front, as the tokens need them: four
    // digits below 10000 (the year), three below 1000 (milliseconds), or two or one below 100.
    // Digits are written two at a time, straight into the text: a render's hot path
    // (FormatterBench), where PadNumber's string would cost a copy.
    void AppendNumber(unsigned number, int digits)
    {
        if (digits > 2) {
            AppendNumber(number / 100, digits - 2);
            number %= 100;
            digits = 2;
        }
        if (number >= 10 || digits == 2) {
            char16_t* const out = Extend(2);
            out[0] = DigitPairs.digits[number][0];
            out[1] = DigitPairs.digits[number][1];
        } else {
            *Extend(1) = static_cast<char16_t>(u'0' + number);
        }
    }

    WideString Take()
    {
        if (spilled_.empty())
            return WideString(local_, size_);
        spilled_.append(local_, size_);
        return std::move(spilled_);
    }

private:
    // Room for count more code units, written through the pointer.
    char16_t* Extend(size_t count)
    {
        if (count > Capacity - size_)
            return Spill(count);
        char16_t* const out = local_ + size_;
        size_ += count;
        return out;
    }

    // The rare way of Extend, kept apart so that the common one is inlined: the array's text
    // moves on to the string, and the room is made in the array or, when more than it holds,
    // at the string's end.
    [[gnu::noinline]] char16_t* Spill(size_t count)
    {
        spilled_.append(local_, size_);
        size_ = 0;
        if (count > Capacity) {
            spilled_.resize(spilled_.size() + count);
            return &spilled_[spilled_.size() - count];
        }
        size_ = count;
        return local_;
    }

    static constexpr size_t Capacity = 64;
    char16_t local_[Capacity];
    size_t size_ = 0;
    WideString spilled_;
};

// The fields of the moment being rendered. The date is worked out when a token first needs
// it, and the era (two platform calls) when an era token does.
class MomentFields {
public:
    explicit MomentFields(TDateTime value) : moment_(SplitDateTime(value)) {}

    const DateTimeFields& Date()
    {
        if (!date_)
            date_ = moment_.Date();
        return *date_;
    }
    unsigned Hour() const { return static_cast<unsigned>(moment_.Hour()); }
    unsigned Minute() const { return static_cast<unsigned>(moment_.Minute()); }
    unsigned Second() const { return static_cast<unsigned>(moment_.Second()); }
    unsigned Millisecond() const { return static_cast<unsigned>(moment_.Millisecond()); }

    const EraFields& Era()
    {
        if (!era_)
            era_ = EraFieldsOf(Date().year, Date().month, Date().day);
        return *era_;
    }

private:
    const SerialMoment moment_;
    std::optional<DateTimeFields> date_;
    std::optional<EraFields> era_;
};

// Writes what a walk of a pattern finds: its text as it stands and the values of its tokens.
// A section's 12-hour mode is decided when its first hour token asks for it.
class PatternWriter {
public:
    PatternWriter(MomentFields& fields, std::u16string_view pattern, RenderedText& out)
        : fields_(fields), text_(pattern), out_(out)
    {
    }

    void OnSection(size_t start)
    {
        sectionStart_ = start;
        twelveHour_.reset();
    }
    void OnText(std::u16string_view text) { out_.Append(text); }
    void OnToken(const PatternToken& token) { AppendTokenValue(token, out_); }

private:
    void AppendTokenValue(const PatternToken& token, RenderedText& out);
    void AppendValue(TokenKind kind, RenderedText& out);
    unsigned Hour();
    bool AmPmReplacementChanges();
    WideString EraInitial();
    WideString EraLetter();
    bool Morning() const { return fields_.Hour() < 12; }
    int MonthIndex() { return fields_.Date().month - 1; }
    int DayIndex() { return WeekdayIndex(fields_.Date().weekday); }

    MomentFields& fields_;
    const std::u16string_view text_;
    RenderedText& out_;
    size_t sectionStart_ = 0;
    std::optional<bool> twelveHour_;
};

void PatternWriter::AppendTokenValue(const PatternToken& token, RenderedText& out)
{
    if (!token.fullWidth) {
        AppendValue(token.kind, out);
        return;
    }
    RenderedText value;
    AppendValue(token.kind, value);
    out.Append(ToFullWidth(value.Take()));
}

void PatternWriter::AppendValue(TokenKind kind, RenderedText& out)
{
    switch (kind) {
    case TokenKind::AmPm: out.Append(Morning() ? u"am" : u"pm"); return;
    case TokenKind::AmPmUpper: out.Append(Morning() ? u"AM" : u"PM"); return;
    case TokenKind::LocaleAmPm:
        out.Append(Morning() ? ThreadLocaleNames().am : ThreadLocaleNames().pm);
        return;
    case TokenKind::Year4: out.AppendNumber(fields_.Date().year, 4); return;
    case TokenKind::Year2: out.AppendNumber(fields_.Date().year % 100, 2); return;
    case TokenKind::MonthLongName: out.Append(EnglishLongMonthNames[MonthIndex()]); return;
    case TokenKind::MonthShortName: out.Append(EnglishShortMonthNames[MonthIndex()]); return;
    case TokenKind::Month2: out.AppendNumber(fields_.Date().month, 2); return;
    case TokenKind::Month: out.AppendNumber(fields_.Date().month, 1); return;
    case TokenKind::Day2: out.AppendNumber(fields_.Date().day, 2); return;
    case TokenKind::Day: out.AppendNumber(fields_.Date().day, 1); return;
    case TokenKind::LocaleLongDay: out.Append(ThreadLocaleNames().longDays[DayIndex()]); return;
    case TokenKind::LocaleShortDay: out.Append(ThreadLocaleNames().shortDays[DayIndex()]); return;
    case TokenKind::EnglishLongDay: out.Append(EnglishLongDayNames[DayIndex()]); return;
    case TokenKind::EnglishShortDay: out.Append(EnglishShortDayNames[DayIndex()]); return;
    case TokenKind::Hour2: out.AppendNumber(Hour(), 2); return;
    case TokenKind::Hour: out.AppendNumber(Hour(), 1); return;
    case TokenKind::Minute2: out.AppendNumber(fields_.Minute(), 2); return;
    case TokenKind::Minute: out.AppendNumber(fields_.Minute(), 1); return;
    case TokenKind::Second2: out.AppendNumber(fields_.Second(), 2); return;
    case TokenKind::Second: out.AppendNumber(fields_.Second(), 1); return;
    case TokenKind::EraName: out.Append(fields_.Era().name); return;
    case TokenKind::EraInitial: out.Append(EraInitial()); return;
    case TokenKind::EraYear2: out.Append(fields_.Era().year2); return;
    case TokenKind::EraYear: {
        std::u16string_view year = fields_.Era().year2;  // "01" in the first year gives "1"
        if (!year.empty() && year[0] == u'0')
            year.remove_prefix(1);
        out.Append(year);
        return;
    }
    case TokenKind::EraLetter: out.Append(EraLetter()); return;
    case TokenKind::EraLetterUpper: {
        WideString letter = EraLetter();
        for (char16_t& c : letter)
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - u'a' + u'A');
        out.Append(letter);
        return;
    }
    // Hundredths and tenths are the three digits cut short, so they truncate, never round.
    case TokenKind::Millisecond3: out.AppendNumber(fields_.Millisecond(), 3); return;
    case TokenKind::Millisecond2: out.AppendNumber(fields_.Millisecond() / 10, 2); return;
    case TokenKind::Millisecond1: out.AppendNumber(fields_.Millisecond() / 100, 1); return;
    }
}

// 12-hour mode: the am/pm family alone, replaced in the section, changes it, and the hour is
// past noon. The hour tokens then run 0 to 11: the value moved back by 12 hours.
unsigned PatternWriter::Hour()
{
    if (!twelveHour_)
        twelveHour_ = fields_.Hour() >= 12 && AmPmReplacementChanges();
    return *twelveHour_ ? fields_.Hour() - 12 : fields_.Hour();
}

// The replacement changes the section when it replaces some am/pm token by a text other than
// the token itself. Without a character that starts one there is nothing to walk.
bool PatternWriter::AmPmReplacementChanges()
{
    const std::u16string_view rest = text_.substr(sectionStart_);
    if (std::none_of(rest.begin(), rest.end(), StartsAnAmPmToken))
        return false;
    struct Detector {
        PatternWriter& writer;
        bool changes = false;
        void OnText(std::u16string_view) {}
        void OnToken(const PatternToken& token)
        {
            RenderedText value;
            writer.AppendTokenValue(token, value);
            changes = changes || value.Take() != token.text;
        }
    } detector{*this};
    WalkUnquoted(rest, detector, AmPmFamilyCount);
    return detector.changes;
}

WideString PatternWriter::EraInitial()
{
    const LocaleNames& locale = ThreadLocaleNames();
    return EraInitialOf(fields_.Era().name, locale.primaryLanguage, locale.subLanguage);
}

WideString PatternWriter::EraLetter()
{
    return EraLetterFor(EraInitial(), SystemEras());
}

}  // namespace

WideString RenderPattern(const WideString& pattern, TDateTime value)
{
    MomentFields fields(value);
    RenderedText result;
    PatternWriter writer(fields, pattern, result);
    WalkPattern(pattern, writer);
    return result.Take();
}

WideString EraLetterOf(const WideString& eraInitial)
{
    for (int i = 0; i < EraCount; ++i)
        if (eraInitial == EraInitials[i])
            return EraLetters[i];
    return WideString();
}

Utf8String PadNumber(int width, char pad, int64_t number)
{
    Utf8String digits = std::to_string(number);
    if (static_cast<int64_t>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), pad);
    return digits;
}

}  // namespace stem
