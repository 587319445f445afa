// The stand-in's locale: a Japanese system (ja-JP, LCID 0x411) with the Japanese era calendar
// as its alternate calendar. Texts are Shift-JIS, as GetLocaleInfoA and GetDateFormatA give
// them under code page 932.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace stem {

namespace {

const char* const LongDayNames[7] = {
    "\x93\xfa\x97\x6a\x93\xfa",  // 日曜日
    "\x8c\x8e\x97\x6a\x93\xfa",  // 月曜日
    "\x89\xce\x97\x6a\x93\xfa",  // 火曜日
    "\x90\x85\x97\x6a\x93\xfa",  // 水曜日
    "\x96\xd8\x97\x6a\x93\xfa",  // 木曜日
    "\x8b\xe0\x97\x6a\x93\xfa",  // 金曜日
    "\x93\x79\x97\x6a\x93\xfa",  // 土曜日
};

const char* const ShortDayNames[7] = {
    "\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85", "\x96\xd8", "\x8b\xe0", "\x93\x79",
};

struct Era {
    int64_t firstDay;  // counted from 1970-01-01
    int firstYear;
    const char* name;
};

// Latest first. A year of an era starts on 1 January; its first year is the (partial) year in
// which the era begins.
const Era Eras[] = {
    {DaysFromCivil(2019, 5, 1), 2019, "\x97\xdf\x98\x61"},    // 令和
    {DaysFromCivil(1989, 1, 8), 1989, "\x95\xbd\x90\xac"},    // 平成
    {DaysFromCivil(1926, 12, 25), 1926, "\x8f\xba\x98\x61"},  // 昭和
    {DaysFromCivil(1912, 7, 30), 1912, "\x91\xe5\x90\xb3"},   // 大正
    {DaysFromCivil(1868, 1, 1), 1868, "\x96\xbe\x8e\xa1"},    // 明治
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

bool GetLocaleText(LocaleText item, Weekday weekday, AnsiString& text)
{
    switch (item) {
    case LocaleText::AmDesignator: text = "\x8c\xdf\x91\x4f"; return true;  // 午前
    case LocaleText::PmDesignator: text = "\x8c\xdf\x8c\xe3"; return true;  // 午後
    case LocaleText::LongDayName: text = LongDayNames[WeekdayIndex(weekday)]; return true;
    case LocaleText::ShortDayName: text = ShortDayNames[WeekdayIndex(weekday)]; return true;
    }
    return false;
}

unsigned ThreadPrimaryLanguage()
{
    return 0x11;
}

unsigned ThreadSubLanguage()
{
    return 0x01;
}

// The year within the era in two digits, as the picture "yy" gives it ("01" in the first year).
AltCalendarEra EraOfDate(int year, int month, int day)
{
    AltCalendarEra era;
    const Era* found = IsValidDate(year, month, day) ? EraOf(year, month, day) : nullptr;
    if (found == nullptr)
        return era;
    const int eraYear = year - found->firstYear + 1;
    era.name = found->name;
    era.year2 = (eraYear < 10 ? "0" : "") + std::to_string(eraYear);
    return era;
}

}  // namespace platform

}  // namespace stem
