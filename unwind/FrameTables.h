// The search of a module's call-frame tables (its .eh_frame section) for the description of the
// function that holds a code address: the one question the 32-bit unwinder asks about a module
// while an exception passes through it.
#pragma once

#include <cstdint>

namespace stem::unwind {

struct FoundFrame {
    const unsigned char* description = nullptr;  // at its length field; null when none is found
    uintptr_t functionStart = 0;
};

// Walks the entries in [first, last), which end at a zero length or at last, for the frame
// description whose code range holds pc. Descriptions of functions the linker dropped (start 0)
// and entries that cannot be read are passed over.
FoundFrame FindFrameDescription(const unsigned char* first, const unsigned char* last,
                                uintptr_t pc);

}  // namespace stem::unwind
