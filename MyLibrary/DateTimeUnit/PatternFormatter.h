// The pattern formatter: turns a user pattern into text for one date-time value.
//
// A pattern is split at double quotes; text between quotes is copied as written, every other
// section has its backslash escapes expanded and its tokens (PatternTokens.h) replaced by the
// value's fields in one left-to-right pass. A section that holds one of the am/pm tokens shows
// its hours on a 12-hour clock running 0 to 11.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace stem {

WideString RenderPattern(const WideString& pattern, TDateTime value);

// The letter ("m", "t", "s", "h", "r") of an era initial (明, 大, 昭, 平, 令); empty for any
// other text. A later era's letter comes from the system (SystemEras.h).
WideString EraLetterOf(const WideString& eraInitial);

// The decimal text of number ("-" first when negative), with pad characters put in front
// until it is width characters long. The one padding of numbers besides the renderer's own.
Utf8String PadNumber(int width, char pad, int64_t number);

}  // namespace stem
