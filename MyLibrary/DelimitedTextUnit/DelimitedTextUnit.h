// Cuts a wide text into pieces at delimiter strings. The pattern renderer splits at double
// quotes this way, keeping each quote as a piece of its own.
#pragma once

#include <cstdint>

#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "base/Types.h"

namespace stem {

// Bits of the one-byte flag set.
enum SplitFlags : uint8_t {
    KeepDelimiters = 1,   // each delimiter occurrence becomes a piece of its own
    KeepEmptyPieces = 2,  // empty pieces (around adjacent, leading, trailing delimiters) are kept
};

// The four ways of splitting, one per flag value.
enum DelimitStyle {
    DropDelimitersDropEmpty,
    KeepDelimitersDropEmpty,
    DropDelimitersKeepEmpty,
    KeepDelimitersKeepEmpty,
};

// Raises AssertionFailure "Error SplitFlagsToDelimitStyle" for a value outside 0 .. 3.
DelimitStyle SplitFlagsToDelimitStyle(uint8_t flags);

// The list in which a split gathers its pieces.
class TWideStringRecordListAccess : public TCommonStringRecordList {};

// The pieces of text in order. At each position the first delimiter in array order that
// matches (exactly, case and width included) wins; empty delimiters never match, and the scan
// never looks inside a matched delimiter.
TWideStringDynArray SplitDelimitedText(const WideString& text,
                                       const TWideStringDynArray& delimiters, uint8_t flags);

}  // namespace stem
