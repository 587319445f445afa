// The stand-in's locale: a Japanese system (ja-JP, LCID 0x411) with the Japanese era calendar
// as its alternate calendar. Texts are Shift-JIS, as GetLocaleInfoA and GetDateFormatA give
// them under code page 932.
#include <cstdint>

#include "platform/Platform.h"

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
    int year, month, day;  // the first day of the era
    const char* name;
};

// Latest first. A year of an era starts on 1 January; its first year is the (partial) year in
// which the era begins.
const Era Eras[] = {
    {2019, 5, 1, "\x97\xdf\x98\x61"},    // 令和
    {1989, 1, 8, "\x95\xbd\x90\xac"},    // 平成
    {1926, 12, 25, "\x8f\xba\x98\x61"},  // 昭和
    {1912, 7, 30, "\x91\xe5\x90\xb3"},   // 大正
    {1868, 1, 1, "\x96\xbe\x8e\xa1"},    // 明治
};

bool IsValidDate(int year, int month, int day)
{
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return day <= (month == 2 && leap ? 29 : lengths[month - 1]);
}

const Era* EraOf(int year, int month, int day)
{
    const int64_t date = (int64_t{year} * 100 + month) * 100 + day;
    for (const Era& era : Eras)
        if (date >= (int64_t{era.year} * 100 + era.month) * 100 + era.day)
            return &era;
    return nullptr;
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, int weekday, AnsiString& text)
{
    switch (item) {
    case LocaleText::AmDesignator: text = "\x8c\xdf\x91\x4f"; return true;  // 午前
    case LocaleText::PmDesignator: text = "\x8c\xdf\x8c\xe3"; return true;  // 午後
    case LocaleText::LongDayName:
    case LocaleText::ShortDayName:
        if (weekday < 1 || weekday > 7)
            return false;
        text = (item == LocaleText::LongDayName ? LongDayNames : ShortDayNames)[weekday - 1];
        return true;
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

// Pictures as GetDateFormatA reads them, as far as the era calendar needs: a run of "g" is the
// era name, "y" the year in the era, "yy" (or longer) that year in two digits; every other
// character is copied.
bool FormatAltCalendarDate(int year, int month, int day, const char* picture, AnsiString& text)
{
    if (picture == nullptr || !IsValidDate(year, month, day))
        return false;
    const Era* era = EraOf(year, month, day);
    if (era == nullptr)
        return false;
    const int eraYear = year - era->year + 1;

    text.clear();
    for (const char* p = picture; *p != '\0';) {
        const char c = *p;
        int run = 0;
        while (p[run] == c)
            ++run;
        if (c == 'g')
            text += era->name;
        else if (c == 'y')
            text += (run >= 2 && eraYear < 10 ? "0" : "") + std::to_string(eraYear);
        else
            text.append(static_cast<size_t>(run), c);
        p += run;
    }
    return true;
}

}  // namespace platform
