// Types shared by every layer: the two kinds of text and the date-time value.
#pragma once

#include <cstdint>
#include <string>

namespace stem {

// UTF-16 text; lengths and positions count code units. The same type on Windows and Linux.
// Paths are held in it from the call that gives them to the call that opens the file.
using WideChar = char16_t;
using WideString = std::u16string;

// The narrow text the plug-ins hold (the settings file's lines, names, messages): UTF-8 on
// every system, whatever the ANSI code page, so that it carries every character. Text in a
// code page (a file in Shift-JIS, what an "A" function of Windows gives) is decoded at the
// place it is read and never held in this type.
using Utf8String = std::string;

// Days since 1899-12-30 00:00 local time; the fraction is the time of day.
using TDateTime = double;

}  // namespace stem
