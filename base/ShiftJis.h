// Stepping through Shift-JIS text (code page 932) a character at a time: a lead byte and the
// byte after it are one character, so a trail byte that looks like "\", "=" or "[" is never
// taken for one.
#pragma once

#include <cstddef>
#include <string_view>

namespace stem {

constexpr bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The length in bytes of the character that starts at the index: 2 for a lead byte with a
// byte after it, else 1.
constexpr std::size_t ShiftJisCharLength(std::string_view text, std::size_t index)
{
    return IsShiftJisLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()
               ? 2
               : 1;
}

}  // namespace stem
