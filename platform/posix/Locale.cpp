// The stand-in's locale: a Japanese system (ja-JP, LCID 0x411) with the Japanese era calendar
// as its alternate calendar; on the English system (code page 1252) en-US (LCID 0x409), whose
// only calendar is the Gregorian one.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace stem {

namespace {

struct LocaleTexts {
    unsigned primaryLanguage;
    unsigned subLanguage;
    const char16_t* am;
    const char16_t* pm;
    const char16_t* longDays[7];
    const char16_t* shortDays[7];
};

const LocaleTexts Japanese = {
    0x11,
    0x01,
    u"午前",
    u"午後",
    {u"日曜日", u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日"},
    {u"日", u"月", u"火", u"水", u"木", u"金", u"土"},
};

const LocaleTexts English = {
    0x09,
    0x01,
    u"AM",
    u"PM",
    {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
    {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
};

bool EnglishSystem()
{
    return platform::AnsiCodePage() == platform::WesternCodePage;
}

const LocaleTexts& Texts()
{
    return EnglishSystem() ? English : Japanese;
}

WideString TwoDigits(int number)
{
    const std::string digits = (number < 10 ? "0" : "") + std::to_string(number);
    return WideString(digits.begin(), digits.end());
}

struct Era {
    int64_t firstDay;  // counted from 1970-01-01
    int firstYear;
    const char16_t* name;
};

// Latest first. A year of an era starts on 1 January; its first year is the (partial) year in
// which the era begins.
const Era Eras[] = {
    {DaysFromCivil(2019, 5, 1), 2019, u"令和"},   {DaysFromCivil(1989, 1, 8), 1989, u"平成"},
    {DaysFromCivil(1926, 12, 25), 1926, u"昭和"}, {DaysFromCivil(1912, 7, 30), 1912, u"大正"},
    {DaysFromCivil(1868, 1, 1), 1868, u"明治"},
};

// The era of a valid date; null before the first one.
const Era* EraOf(int year, int month, int day)
{
    const int64_t date = DaysFromCivil(year, month, day);
    for (const Era& era : Eras)
        if (date >= era.firstDay)
            return &era;
    return nullptr;
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, Weekday weekday, WideString& text)
{
    const LocaleTexts& texts = Texts();
    const char16_t* wide = nullptr;
    switch (item) {
    case LocaleText::AmDesignator: wide = texts.am; break;
    case LocaleText::PmDesignator: wide = texts.pm; break;
    case LocaleText::LongDayName: wide = texts.longDays[WeekdayIndex(weekday)]; break;
    case LocaleText::ShortDayName: wide = texts.shortDays[WeekdayIndex(weekday)]; break;
    }
    if (wide == nullptr)
        return false;
    text = wide;
    return true;
}

unsigned ThreadPrimaryLanguage()
{
    return Texts().primaryLanguage;
}

unsigned ThreadSubLanguage()
{
    return Texts().subLanguage;
}

// The year within the era in two digits, as the picture "yy" gives it ("01" in the first year).
// Where the locale has no alternate calendar, Windows formats in the Gregorian one: its era
// "A.D." and the year's last two digits.
AltCalendarEra EraOfDate(int year, int month, int day)
{
    AltCalendarEra era;
    if (!IsValidDate(year, month, day))
        return era;
    if (EnglishSystem()) {
        era.name = u"A.D.";
        era.year2 = TwoDigits((year % 100 + 100) % 100);
        return era;
    }
    const Era* found = EraOf(year, month, day);
    if (found == nullptr)
        return era;
    era.name = found->name;
    era.year2 = TwoDigits(year - found->firstYear + 1);
    return era;
}

}  // namespace platform

}  // namespace stem
