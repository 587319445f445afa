#include "MyLibrary/DateTimeUnit/DateTimeValue.h"

#include <cmath>

namespace stem {

// Before 1899-12-30 the value follows the OLE convention: the integer part counts days
// backwards, and the time of day is the absolute value of the fraction. So -1.25 is
// 1899-12-29 06:00, not 1899-12-28 18:00, and a time of day always runs forward from the
// midnight that the integer part names.

namespace {

// Rounds half away from zero, as llround does, for x >= 0: the fraction x - trunc(x) is exact.
int64_t RoundNonNegative(double x)
{
    const auto whole = static_cast<int64_t>(x);
    return x - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

}  // namespace

SerialMoment SplitDateTime(TDateTime value)
{
    if (std::isnan(value))
        value = 0;
    if (value <= static_cast<double>(FirstSerialDay) - 1)
        return {FirstSerialDay, 0};
    if (value >= static_cast<double>(LastSerialDay) + 1)
        return {LastSerialDay, MillisecondsPerDay - 1};

    const auto serialDay = static_cast<int64_t>(value);  // toward zero
    const auto whole = static_cast<double>(serialDay);
    const double ms = std::fabs(value - whole) * MillisecondsPerDay;
    // 23:59:59.9995 and later round to the next midnight; the date is known without rounding.
    if (ms >= MillisecondsPerDay - 0.5) {
        if (serialDay == LastSerialDay)
            return {LastSerialDay, MillisecondsPerDay - 1};
        return {serialDay + 1, 0};
    }
    return {serialDay, static_cast<uint32_t>(RoundNonNegative(ms))};
}

DateTimeFields DecodeDateTime(TDateTime value)
{
    const SerialMoment moment = SplitDateTime(value);
    DateTimeFields fields = moment.Date();
    fields.hour = moment.Hour();
    fields.minute = moment.Minute();
    fields.second = moment.Second();
    fields.millisecond = moment.Millisecond();
    return fields;
}

TDateTime EncodeDateTime(const DateTimeFields& fields)
{
    const int64_t serialDay =
        DaysFromCivil(fields.year, fields.month, fields.day) - DateTimeEpochDays;
    const int64_t seconds = (int64_t{fields.hour} * 60 + fields.minute) * 60 + fields.second;
    const int64_t msOfDay = seconds * 1000 + fields.millisecond;
    const double fraction = static_cast<double>(msOfDay) / MillisecondsPerDay;
    const double days = static_cast<double>(serialDay);
    return serialDay >= 0 ? days + fraction : days - fraction;
}

}  // namespace stem
