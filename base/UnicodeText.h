// UTF-8 and UTF-16LE bytes <-> UTF-16 text, with strict checks: the settings file is only
// written back when its bytes decoded cleanly, and the stem tool reads and prints UTF-8 on
// every system. The code page plays no part here.
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

// False when the byte count is odd or a surrogate is unpaired; text then holds what decoded
// before the fault.
bool Utf16LeToWide(const std::string& bytes, WideString& text);

// The code units as little-endian byte pairs, exactly.
std::string WideToUtf16Le(const WideString& text);

}  // namespace stem
