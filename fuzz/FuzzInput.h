// What the fuzz targets draw from their input: texts, positions and moments biased towards the
// values that break code (edges, out-of-range numbers, NaN), and a check that stops the run.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/Types.h"

// Stops the run with a message when a property of the code under test does not hold; libFuzzer
// then keeps the input as a crash.
#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace stem {

// Up to maxUnits UTF-16 code units, two input bytes each (lone surrogates included).
inline WideString ConsumeWide(FuzzedDataProvider& input, size_t maxUnits)
{
    const std::string bytes = input.ConsumeRandomLengthString(maxUnits * 2);
    WideString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<WideChar>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

// A 1-based position or count for a text of the given length: mostly near the text, sometimes
// far outside it or at the ends of int.
inline int ConsumePosition(FuzzedDataProvider& input, size_t length)
{
    const int near = static_cast<int>(length < 1000 ? length : 1000);
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0: return INT_MIN;
    case 1: return INT_MAX;
    case 2: return input.ConsumeIntegral<int>();
    default: return input.ConsumeIntegralInRange(-2, near + 2);
    }
}

// A date-time value: ordinary moments, moments just around midnight, the edges of the
// supported span, and any double at all (huge, negative, NaN, infinities).
inline TDateTime ConsumeMoment(FuzzedDataProvider& input)
{
    constexpr double special[] = {
        0.0,
        -0.0,
        -1.0,
        -1.25,
        -693593.0,  // 0001-01-01
        -693594.0,
        2958465.0,  // 9999-12-31
        2958465.99999999,
        2958466.0,
        -0.999999999,
        1e300,
        -1e300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
    };
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.PickValueInArray(special);
    case 1: {  // any bit pattern
        const uint64_t bits = input.ConsumeIntegral<uint64_t>();
        double value;
        static_assert(sizeof value == sizeof bits);
        __builtin_memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 2: {  // a whole day plus a fraction within a few units of a millisecond of midnight
        const double day = input.ConsumeIntegralInRange(-700000, 3000000);
        const double offset = input.ConsumeFloatingPointInRange(-1e-7, 1e-7);
        return day + offset;
    }
    default: return input.ConsumeFloatingPointInRange(-800000.0, 3100000.0);
    }
}

}  // namespace stem
