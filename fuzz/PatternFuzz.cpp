// The pattern formatter on random UTF-16 patterns and random date-time values, far outside the
// years a user meets included. Besides the sanitizers' checks: NaN renders as the value 0 and
// values beyond the supported span as its ends; a pattern without tokens, quotes or escapes
// comes out as it went in, quoted text comes out as written, and the numeric fields and the
// weekday of any moment of the span agree with the C library's calendar.
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "fuzz/FuzzInput.h"

namespace stem {

namespace {

// No character that could start a token, a quote or an escape: every token starts with a
// Latin letter, half-width or full-width.
bool IsInertText(const WideString& pattern)
{
    for (const WideChar c : pattern) {
        const bool latin = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        const bool fullWidthLatin = (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
        if (latin || fullWidthLatin || c == u'"' || c == u'\\')
            return false;
    }
    return true;
}

bool HasQuoteOrBackslash(const WideString& pattern)
{
    return pattern.find_first_of(u"\"\\") != WideString::npos;
}

// Days since 1899-12-30 of 0001-01-01 and of 9999-12-31.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958465.0;

// The fields "yyyy-mm-dd a hh:nn:ss.zzz" renders for a value of the span, by the C library's
// proleptic Gregorian calendar; false for values outside the span or so close to the next
// midnight that they round into it.
bool ExpectedFields(TDateTime value, std::string& expected)
{
    if (!(value >= FirstDay && value < LastDay + 1))
        return false;
    const double whole = std::trunc(value);  // the day; the time runs forward from its midnight
    const double ms = std::fabs(value - whole) * 86400000.0;
    if (ms >= 86400000.0 - 0.5)
        return false;
    const long long msOfDay = std::llround(ms);
    const time_t seconds = (static_cast<time_t>(whole) - 25569) * 86400;  // 1899-12-30 is day 0
    struct tm date {};
    if (gmtime_r(&seconds, &date) == nullptr)
        return false;
    static const char* const days[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %s %02lld:%02lld:%02lld.%03lld",
                  date.tm_year + 1900, date.tm_mon + 1, date.tm_mday, days[date.tm_wday],
                  msOfDay / 3600000, msOfDay / 60000 % 60, msOfDay / 1000 % 60, msOfDay % 1000);
    expected = text;
    return true;
}

std::string Narrow(const WideString& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace

}  // namespace stem

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stem;
    FuzzedDataProvider input(data, size);
    const TDateTime value = ConsumeMoment(input);
    const WideString pattern = ConsumeWide(input, 256);

    const WideString rendered = RenderPattern(pattern, value);
    if (std::isnan(value))
        FUZZ_REQUIRE(rendered == RenderPattern(pattern, 0.0));
    if (value >= LastDay + 1)
        FUZZ_REQUIRE(rendered == RenderPattern(pattern, HUGE_VAL));
    if (value <= FirstDay - 1)
        FUZZ_REQUIRE(rendered == RenderPattern(pattern, -HUGE_VAL));
    if (IsInertText(pattern))
        FUZZ_REQUIRE(rendered == pattern);

    std::string expected;
    if (ExpectedFields(value, expected))
        FUZZ_REQUIRE(Narrow(RenderPattern(u"yyyy-mm-dd a hh:nn:ss.zzz", value)) == expected);

    if (!HasQuoteOrBackslash(pattern))
        FUZZ_REQUIRE(RenderPattern(u"\"" + pattern + u"\"", value) == pattern);
    EraLetterOf(ConsumeWide(input, 2));
    const int width = input.ConsumeIntegralInRange(-4, 40);
    const Utf8String padded = PadNumber(width, '*', input.ConsumeIntegral<int64_t>());
    FUZZ_REQUIRE(static_cast<int64_t>(padded.size()) >= width);
    return 0;
}
