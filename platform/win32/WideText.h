// Wide text as the "W" functions take and give it: UTF-16 code units, wchar_t on Windows.
#pragma once

#include <windows.h>

#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

inline const wchar_t* AsWin(const WideChar* text)
{
    return reinterpret_cast<const wchar_t*>(text);
}

inline const wchar_t* AsWin(const WideString& text)
{
    return AsWin(text.c_str());
}

inline WideString FromWin(const wchar_t* text, size_t length)
{
    return WideString(reinterpret_cast<const WideChar*>(text), length);
}

}  // namespace stem
