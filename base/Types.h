// Types shared by every layer: the two kinds of text and the date-time value.
#pragma once

#include <cstdint>
#include <string>

namespace stem {

// UTF-16 text; lengths and positions count code units. The same type on Windows and Linux.
using WideChar = char16_t;
using WideString = std::u16string;

// Bytes in the system's ANSI code page (932 on a Japanese system).
using AnsiString = std::string;

// Days since 1899-12-30 00:00 local time; the fraction is the time of day.
using TDateTime = double;

}  // namespace stem
