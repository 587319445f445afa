// The date-time value: days since 1899-12-30 00:00 (local time), the fraction being the time of
// day. Conversions to and from the calendar fields.
#pragma once

#include <cstdint>

#include "base/Calendar.h"
#include "base/Types.h"

namespace stem {

constexpr int64_t MillisecondsPerDay = 86400000;

// Day 0 of the date-time value, 1899-12-30, counted from 1970-01-01.
constexpr int64_t DateTimeEpochDays = DaysFromCivil(1899, 12, 30);

// The span the value supports: 0001-01-01 to 9999-12-31. Values beyond it are clamped to it.
constexpr int64_t FirstSerialDay = DaysFromCivil(1, 1, 1) - DateTimeEpochDays;
constexpr int64_t LastSerialDay = DaysFromCivil(9999, 12, 31) - DateTimeEpochDays;

// A value as its day (0 = 1899-12-30) and its time of day rounded to the millisecond, clamped
// to the supported span. A time that rounds up to 24:00 becomes 00:00 of the next day.
struct SerialMoment {
    int64_t serialDay;
    uint32_t msOfDay;  // 0 .. 86399999

    int Hour() const { return static_cast<int>(msOfDay / 3600000); }
    int Minute() const { return static_cast<int>(msOfDay / 60000 % 60); }
    int Second() const { return static_cast<int>(msOfDay / 1000 % 60); }
    int Millisecond() const { return static_cast<int>(msOfDay % 1000); }
    // The date with its weekday; the time fields are left at midnight.
    DateTimeFields Date() const { return CivilFromDays(serialDay + DateTimeEpochDays); }
};
SerialMoment SplitDateTime(TDateTime value);

// The calendar fields of a value, its time of day rounded to the millisecond. A time that
// rounds up to 24:00 becomes 00:00 of the next day, so no field ever overflows. NaN reads
// as 0 (1899-12-30 00:00); infinities are clamped like any value outside the span.
DateTimeFields DecodeDateTime(TDateTime value);

// The value of valid calendar fields (the weekday field is not read).
TDateTime EncodeDateTime(const DateTimeFields& fields);

}  // namespace stem
