// The Gregorian calendar, proleptic and for any year, and the one record of a local date and
// time that every layer uses. Days are counted from 1970-01-01.
#pragma once

#include <cstdint>

namespace stem {

enum class Weekday { Sunday = 1, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// The place of the weekday in a table that starts with Sunday: 0 to 6.
constexpr int WeekdayIndex(Weekday weekday)
{
    return static_cast<int>(weekday) - 1;
}

// A local date and time of day, field by field.
struct DateTimeFields {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    Weekday weekday = Weekday::Saturday;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

constexpr bool IsLeapYear(int64_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(int64_t year, int month)
{
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

constexpr bool IsValidDate(int64_t year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// Days from 1970-01-01 to year-month-day; month 1..12. Years are counted from 1 March, so that
// a leap day ends one.
constexpr int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<uint32_t>(year - era * 400);                            // [0, 399]
    const uint32_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
    const uint32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;  // [0, 146096]
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// 1970-01-01 was a Thursday.
constexpr Weekday WeekdayFromDays(int64_t days)
{
    return static_cast<Weekday>((days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6) + 1);
}

// The date of a day, with its weekday; the time fields are those of midnight. The inverse of
// DaysFromCivil for the days from 0000-03-01 on, which hold every date the system meets.
// Counted from there every value is non-negative and fits 32 bits: one 64-bit product gives the
// year of the century and the day of the year, another the month and the day.
constexpr DateTimeFields CivilFromDays(int64_t days)
{
    const auto shifted = static_cast<uint32_t>(days + 719468);  // days from 0000-03-01
    const uint32_t n1 = 4 * shifted + 3;                        // in quarter days
    const uint32_t century = n1 / 146097;
    const uint32_t n2 = n1 % 146097 / 4 * 4 + 3;  // in quarter days into the century
    const uint64_t p2 = uint64_t{2939745} * n2;   // high half: year; low half: its part
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);          // [0, 99]
    const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;  // [0, 365]
    const uint32_t n3 = 2141 * dayOfYear + 197913;  // high half: month from March; low: day
    const bool january = dayOfYear >= 306;          // January or February, of the next year
    DateTimeFields date;
    date.year = static_cast<int>(100 * century + yearOfCentury + january);
    date.month = static_cast<int>((n3 >> 16) - (january ? 12 : 0));  // [1, 12]
    date.day = static_cast<int>((n3 & 0xFFFF) / 2141 + 1);           // [1, 31]
    date.weekday = WeekdayFromDays(days);
    return date;
}

}  // namespace stem
