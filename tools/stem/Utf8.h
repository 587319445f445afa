// UTF-8 <-> UTF-16 for the tool's input and output. The code page plays no part: the tool
// reads and prints UTF-8 on every system.
#pragma once

#include <string>

#include "MyLibrary/Common/Types.h"

// False when the bytes are not well-formed UTF-8 (overlong forms, surrogates, values past
// U+10FFFF, cut sequences); text is then unspecified.
bool Utf8ToWide(const std::string& bytes, WideString& text);

// A lone surrogate becomes U+FFFD.
std::string WideToUtf8(const WideString& text);
