// The date-time value: days since 1899-12-30 00:00 (local time), the fraction being the time of
// day. Conversions to and from calendar fields, and the Gregorian day arithmetic beneath them.
#pragma once

#include <cstdint>

#include "MyLibrary/Common/Types.h"

// ---- Gregorian day arithmetic (proleptic, any year) ----

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

// Days from 1970-01-01 to year-month-day; month 1..12.
constexpr int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<uint32_t>(year - era * 400);                     // [0, 399]
    const uint32_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
    const uint32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                   // [0, 146096]
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct CivilDate {
    int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

// The inverse of DaysFromCivil.
constexpr CivilDate CivilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<uint32_t>(days - era * 146097);                  // [0, 146096]
    const uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                 // [0, 365]
    const uint32_t mp = (5 * doy + 2) / 153;                                      // [0, 11]
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);               // [1, 31]
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);                // [1, 12]
    return {static_cast<int64_t>(yoe) + era * 400 + (month <= 2), month, day};
}

// 1 = Sunday .. 7 = Saturday for a day counted from 1970-01-01 (a Thursday).
constexpr int WeekdayFromDays(int64_t days)
{
    return static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6) + 1;
}

// ---- The date-time value ----

constexpr int64_t MillisecondsPerDay = 86400000;

// Day 0 of the date-time value, 1899-12-30, counted from 1970-01-01.
constexpr int64_t DateTimeEpochDays = DaysFromCivil(1899, 12, 30);

// The span the value supports: 0001-01-01 to 9999-12-31. Values beyond it are clamped to it.
constexpr int64_t FirstSerialDay = DaysFromCivil(1, 1, 1) - DateTimeEpochDays;
constexpr int64_t LastSerialDay = DaysFromCivil(9999, 12, 31) - DateTimeEpochDays;

// The fields of one local moment, with the weekday counted 1 = Sunday .. 7 = Saturday.
struct DateTimeFields {
    int year = 1899;
    int month = 12;
    int day = 30;
    int weekday = 7;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// A value as its day (0 = 1899-12-30) and its time of day rounded to the millisecond, clamped
// to the supported span. A time that rounds up to 24:00 becomes 00:00 of the next day.
struct SerialMoment {
    int64_t serialDay;
    uint32_t msOfDay;  // 0 .. 86399999

    int Hour() const { return static_cast<int>(msOfDay / 3600000); }
    int Minute() const { return static_cast<int>(msOfDay / 60000 % 60); }
    int Second() const { return static_cast<int>(msOfDay / 1000 % 60); }
    int Millisecond() const { return static_cast<int>(msOfDay % 1000); }
    CivilDate Date() const;
    // 0001-01-01, the first day of the span, is a Monday.
    int Weekday() const { return static_cast<int>((serialDay - FirstSerialDay + 1) % 7) + 1; }
};
SerialMoment SplitDateTime(TDateTime value);

// CivilFromDays for a day of the supported span, in fewer and cheaper steps: every value is
// non-negative and fits 32 bits, one 64-bit product gives the year of the century and the day
// of the year, another the month and the day. Years run from 1 March, so a leap day ends one.
constexpr CivilDate CivilFromSerialDay(int64_t serialDay)
{
    const auto days = static_cast<uint32_t>(serialDay + DateTimeEpochDays + 719468);
    const uint32_t n1 = 4 * days + 3;              // in quarter days from 0000-03-01
    const uint32_t century = n1 / 146097;                                        // [0, 99]
    const uint32_t n2 = n1 % 146097 / 4 * 4 + 3;   // in quarter days into the century
    const uint64_t p2 = uint64_t{2939745} * n2;    // high half: year; low half: its part
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);                  // [0, 99]
    const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;           // [0, 365]
    const uint32_t n3 = 2141 * dayOfYear + 197913;  // high half: month from March; low: day
    const bool january = dayOfYear >= 306;          // January or February, of the next year
    const uint32_t month = (n3 >> 16) - (january ? 12 : 0);                       // [1, 12]
    const uint32_t day = (n3 & 0xFFFF) / 2141 + 1;                                // [1, 31]
    return {static_cast<int64_t>(100 * century + yearOfCentury + january),
            static_cast<int>(month), static_cast<int>(day)};
}
static_assert(DaysFromCivil(1, 1, 1) + 719468 > 0, "the span starts after 0000-03-01");
static_assert(4 * static_cast<uint64_t>(DaysFromCivil(9999, 12, 31) + 719468) + 3 < (1ull << 32),
              "the span's quarter days fit 32 bits");

inline CivilDate SerialMoment::Date() const
{
    return CivilFromSerialDay(serialDay);
}

// The calendar fields of a value, its time of day rounded to the millisecond. A time that
// rounds up to 24:00 becomes 00:00 of the next day, so no field ever overflows. NaN reads
// as 0 (1899-12-30 00:00); infinities are clamped like any value outside the span.
DateTimeFields DecodeDateTime(TDateTime value);

// The value of valid calendar fields (the weekday field is not read).
TDateTime EncodeDateTime(const DateTimeFields& fields);

// The same conversions in the Win32 record's terms (dayOfWeek 0 = Sunday .. 6 = Saturday).
SystemTime DateTimeToSystemTime(TDateTime value);
TDateTime SystemTimeToDateTime(const SystemTime& time);
