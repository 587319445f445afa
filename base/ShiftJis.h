// Stepping through ANSI text a character at a time. In Shift-JIS (code page 932) a lead byte
// and the byte after it are one character, so a trail byte that looks like "\", "=" or "[" is
// never taken for one. Other pages step a byte at a time: every byte of a UTF-8 character is
// 0x80 or above, so none of them is taken for an ASCII mark either.
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

// ShiftJisCharLength in Shift-JIS text, 1 in the text of any other page.
constexpr std::size_t AnsiCharLength(std::string_view text, std::size_t index, bool shiftJis)
{
    return shiftJis ? ShiftJisCharLength(text, index) : 1;
}

}  // namespace stem
