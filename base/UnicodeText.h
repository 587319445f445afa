// UTF-8 and UTF-16 bytes <-> UTF-16 text, with strict checks: the settings file is only
// written back when its bytes decoded cleanly. Also the conversions of the held text
// (Utf8String) to and from wide text. The code page plays no part here.
#pragma once

#include <string>

#include "base/Types.h"

namespace stem {

// False when the bytes are not well-formed UTF-8 (overlong forms, surrogates, values past
// U+10FFFF, cut sequences); text then holds what decoded before the fault.
bool Utf8ToWide(const std::string& bytes, WideString& text);

// Every byte that starts no well-formed character becomes U+FFFD, as Windows decodes UTF-8.
WideString Utf8ToWideReplacing(const std::string& bytes);

// A lone surrogate becomes U+FFFD.
std::string WideToUtf8(const WideString& text);

// Valid UTF-8 holding at least one byte above 0x7F: text an editor saved as UTF-8, since
// ASCII alone and Shift-JIS are rarely valid UTF-8 with such a byte.
bool IsUtf8BeyondAscii(const std::string& bytes);

enum class ByteOrder { LittleEndian, BigEndian };

// Every whole byte pair as a code unit. False when the byte count is odd or a surrogate is
// unpaired.
bool Utf16ToWide(const std::string& bytes, ByteOrder order, WideString& text);

// The code units as byte pairs in the order given, exactly.
std::string WideToUtf16(const WideString& text, ByteOrder order);

}  // namespace stem
