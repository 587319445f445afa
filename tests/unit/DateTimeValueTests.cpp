#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

void ExpectMoment(const DateTimeFields& actual, const DateTimeFields& expected)
{
    EXPECT_EQ(actual.year, expected.year);
    EXPECT_EQ(actual.month, expected.month);
    EXPECT_EQ(actual.day, expected.day);
    EXPECT_EQ(actual.hour, expected.hour);
    EXPECT_EQ(actual.minute, expected.minute);
    EXPECT_EQ(actual.second, expected.second);
    EXPECT_EQ(actual.millisecond, expected.millisecond);
}

bool IsNextDay(const DateTimeFields& before, const DateTimeFields& after)
{
    if (after.year == before.year && after.month == before.month)
        return after.day == before.day + 1;
    if (after.day != 1)
        return false;
    if (after.year == before.year)
        return after.month == before.month + 1;
    return after.year == before.year + 1 && before.month == 12 && after.month == 1;
}

}  // namespace

// Every day from 1800 to 2200: the value decodes to the day after the previous one, encodes
// back to the same whole number, and the weekday steps through the week.
TEST(DateTimeValue, EveryDayFrom1800To2200RoundTripsWithItsWeekday)
{
    const int first = -36522;  // 1800-01-01, a Wednesday
    const int last = 109939;   // 2200-12-31
    DateTimeFields previous = DecodeDateTime(first - 1);
    int monthLength = 0;
    for (int serial = first; serial <= last; ++serial) {
        const DateTimeFields fields = DecodeDateTime(serial);
        ASSERT_TRUE(IsNextDay(previous, fields)) << "serial " << serial;
        ASSERT_EQ(WeekdayIndex(fields.weekday), (WeekdayIndex(previous.weekday) + 1) % 7)
            << "serial " << serial;
        ASSERT_EQ(EncodeDateTime(fields), static_cast<double>(serial)) << "serial " << serial;
        ASSERT_EQ(fields.hour + fields.minute + fields.second + fields.millisecond, 0);
        if (fields.day == 1 && monthLength > 0) {
            ASSERT_EQ(monthLength, DaysInMonth(previous.year, previous.month));
        }
        monthLength = fields.day;
        previous = fields;
    }
    ExpectMoment(previous, FieldsAt(2200, 12, 31));
}

// The day arithmetic under the value: every day of the supported span and of the months on
// either side of it (a month calendar shows them) converts to its date and back, one day after
// the other, the weekday stepping through the week.
TEST(Calendar, EveryDayOfTheSpanAndItsNeighbouringMonthsRoundTrips)
{
    const int64_t first = DaysFromCivil(0, 12, 1);
    const int64_t last = DaysFromCivil(10000, 1, 31);
    DateTimeFields previous = CivilFromDays(first - 1);
    for (int64_t day = first; day <= last; ++day) {
        const DateTimeFields date = CivilFromDays(day);
        ASSERT_TRUE(IsNextDay(previous, date)) << "day " << day;
        ASSERT_EQ(DaysFromCivil(date.year, date.month, date.day), day) << "day " << day;
        ASSERT_EQ(WeekdayIndex(date.weekday), (WeekdayIndex(previous.weekday) + 1) % 7);
        previous = date;
    }
    EXPECT_EQ(previous.year, 10000);
}

TEST(DateTimeValue, KnownDaysHaveTheirSerialNumberAndWeekday)
{
    struct Case {
        int year, month, day;
        double serial;
        int weekday;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},    {1899, 12, 31, 1, 1},   {1900, 1, 1, 2, 2},
        {1900, 3, 1, 61, 5},     {2000, 1, 1, 36526, 7}, {2026, 12, 6, 46362, 1},
        {1800, 1, 1, -36522, 4}, {1, 1, 1, -693593, 2},  {9999, 12, 31, 2958465, 6},
        {2028, 2, 29, 46812, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(EncodeDateTime(FieldsAt(c.year, c.month, c.day)), c.serial);
        const DateTimeFields fields = DecodeDateTime(c.serial);
        ExpectMoment(fields, FieldsAt(c.year, c.month, c.day));
        EXPECT_EQ(static_cast<int>(fields.weekday), c.weekday);
    }
}

TEST(DateTimeValue, LeapYearsFollowTheGregorianRule)
{
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 2), 28);
    EXPECT_EQ(DaysInMonth(2028, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_FALSE(IsValidDate(2026, 2, 29));
    EXPECT_TRUE(IsValidDate(2028, 2, 29));
    EXPECT_FALSE(IsValidDate(2026, 4, 31));
    EXPECT_FALSE(IsValidDate(2026, 13, 1));
    EXPECT_FALSE(IsValidDate(2026, 1, 0));
}

// Before 1899-12-30 the integer part counts days back and the time of day is the absolute
// fraction: -1.25 is 06:00 on 1899-12-29, not 18:00 on 1899-12-28.
TEST(DateTimeValue, NegativeValuesCarryTheTimeOfDayAsAnAbsoluteFraction)
{
    ExpectMoment(DecodeDateTime(-1.25), FieldsAt(1899, 12, 29, 6));
    ExpectMoment(DecodeDateTime(-1.75), FieldsAt(1899, 12, 29, 18));
    ExpectMoment(DecodeDateTime(-0.5), FieldsAt(1899, 12, 30, 12));
    ExpectMoment(DecodeDateTime(-2.0), FieldsAt(1899, 12, 28));
    EXPECT_EQ(EncodeDateTime(FieldsAt(1899, 12, 29, 6)), -1.25);
    EXPECT_EQ(EncodeDateTime(FieldsAt(1899, 12, 29, 18)), -1.75);
    EXPECT_EQ(EncodeDateTime(FieldsAt(1899, 12, 30, 12)), 0.5);
    EXPECT_EQ(EncodeDateTime(FieldsAt(1800, 1, 1, 18)), -36522.75);
}

TEST(DateTimeValue, EveryMillisecondOfASecondAndEverySecondOfADayRoundTrip)
{
    for (const int year : {1, 1850, 1899, 2026, 9999}) {
        SCOPED_TRACE(year);
        for (int ms = 0; ms < 1000; ++ms) {
            const DateTimeFields moment = FieldsAt(year, 12, 30, 23, 59, 59, ms);
            ExpectMoment(DecodeDateTime(EncodeDateTime(moment)), moment);
            if (HasFailure())
                return;
        }
        for (int second = 0; second < 86400; ++second) {
            const DateTimeFields moment =
                FieldsAt(year, 12, 30, second / 3600, second / 60 % 60, second % 60, 999);
            const DateTimeFields decoded = DecodeDateTime(EncodeDateTime(moment));
            ASSERT_EQ(decoded.hour * 3600 + decoded.minute * 60 + decoded.second, second);
            ASSERT_EQ(decoded.millisecond, 999);
        }
    }
}

// Rounding to the millisecond carries into the next field instead of showing second 60,
// millisecond 1000 or hour 24.
TEST(DateTimeValue, RoundingToTheMillisecondCarriesIntoTheNextField)
{
    const double ms = 1.0 / MillisecondsPerDay;
    const double day = 46387;  // 2026-12-31
    ExpectMoment(DecodeDateTime(day + 1 - 0.4 * ms), FieldsAt(2027, 1, 1));
    ExpectMoment(DecodeDateTime(day + 1 - 0.6 * ms), FieldsAt(2026, 12, 31, 23, 59, 59, 999));
    ExpectMoment(DecodeDateTime(day + 0.5 + 999.6 * ms), FieldsAt(2026, 12, 31, 12, 0, 1, 0));
    ExpectMoment(DecodeDateTime(day + 0.5 + 59999.7 * ms), FieldsAt(2026, 12, 31, 12, 1, 0, 0));
    // A negative value's time runs forward from its own midnight, so it carries forward too.
    ExpectMoment(DecodeDateTime(-2 - (1 - 0.3 * ms)), FieldsAt(1899, 12, 29));
    EXPECT_EQ(DecodeDateTime(-2 - (1 - 0.3 * ms)).weekday, Weekday::Friday);
}

// The split decides the carry into the next day before rounding the time of day; it must
// agree with rounding the fraction half away from zero, on both sides of the boundary.
TEST(DateTimeValue, TheCarryAtMidnightAgreesWithRoundingTheTimeOfDay)
{
    for (const double day : {0.0, 46387.0, -2.0, -693593.0, 2958464.0}) {
        const double sign = day < 0 ? -1 : 1;
        double value = day + sign * (1 - 0.5 / MillisecondsPerDay);
        for (int step = 0; step < 8; ++step)  // start a few ulps before the boundary
            value = std::nextafter(value, day);
        for (int step = 0; step < 16; ++step, value = std::nextafter(value, day + sign)) {
            const int64_t rounded = std::llround(std::fabs(value - day) * MillisecondsPerDay);
            const bool carries = rounded == MillisecondsPerDay;
            const DateTimeFields fields = DecodeDateTime(value);
            // Carrying, a negative value moves forward too: to the day whose number is one more.
            const DateTimeFields midnight = DecodeDateTime(carries ? day + 1 : day);
            ASSERT_EQ(fields.day, midnight.day) << day << " step " << step;
            const int64_t msOfDay =
                ((fields.hour * 60 + fields.minute) * 60 + fields.second) * 1000 +
                fields.millisecond;
            ASSERT_EQ(msOfDay, carries ? 0 : rounded) << day << " step " << step;
        }
    }
}

TEST(DateTimeValue, ValuesOutsideYears1To9999AreClampedAndNaNReadsAsZero)
{
    ExpectMoment(DecodeDateTime(std::numeric_limits<double>::quiet_NaN()), FieldsAt(1899, 12, 30));
    ExpectMoment(DecodeDateTime(std::numeric_limits<double>::infinity()),
                 FieldsAt(9999, 12, 31, 23, 59, 59, 999));
    ExpectMoment(DecodeDateTime(1e300), FieldsAt(9999, 12, 31, 23, 59, 59, 999));
    ExpectMoment(DecodeDateTime(2958466 - 1e-10), FieldsAt(9999, 12, 31, 23, 59, 59, 999));
    ExpectMoment(DecodeDateTime(-1e300), FieldsAt(1, 1, 1));
    ExpectMoment(DecodeDateTime(-std::numeric_limits<double>::infinity()), FieldsAt(1, 1, 1));
    ExpectMoment(DecodeDateTime(-693593.5), FieldsAt(1, 1, 1, 12));
}

}  // namespace stem
