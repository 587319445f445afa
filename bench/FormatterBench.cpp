// RenderPattern against glibc's strftime for the same texts: a date with the Japanese short
// weekday name (strftime under ja_JP.UTF-8) and a time of day.
//   build/<dir>/FormatterBench
#include <benchmark/benchmark.h>

#include <clocale>
#include <ctime>
#include <string>

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

// Sunday, 6 December 2026, 13:05:09.
TDateTime Moment()
{
    return MomentAt(2026, 12, 6, 13, 5, 9);
}

std::tm BrokenDown()
{
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 6;
    tm.tm_wday = 0;
    tm.tm_hour = 13;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    return tm;
}

void RenderPatternBench(benchmark::State& state, const char16_t* pattern)
{
    const WideString text = pattern;
    TDateTime moment = Moment();
    RenderPattern(text, moment);  // reads the locale names once, outside the timing
    for (auto _ : state) {
        benchmark::DoNotOptimize(moment);
        WideString result = RenderPattern(text, moment);
        benchmark::DoNotOptimize(result);
    }
}

// strftime into a buffer, and the text kept as a string, as RenderPattern returns one.
void StrftimeBench(benchmark::State& state, const char* format)
{
    if (std::setlocale(LC_ALL, "ja_JP.UTF-8") == nullptr) {
        state.SkipWithError("the ja_JP.UTF-8 locale is not installed");
        return;
    }
    std::tm tm = BrokenDown();
    char buffer[64];
    for (auto _ : state) {
        benchmark::DoNotOptimize(tm);
        const size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
        std::string result(buffer, length);
        benchmark::DoNotOptimize(result);
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace

BENCHMARK_CAPTURE(RenderPatternBench, Date, u"yyyy/mm/dd(aaa)");
BENCHMARK_CAPTURE(StrftimeBench, Date, "%Y/%m/%d(%a)");
BENCHMARK_CAPTURE(RenderPatternBench, Time, u" hh:nn:ss");
BENCHMARK_CAPTURE(StrftimeBench, Time, " %H:%M:%S");

}  // namespace stem
