// Code-page conversion, locale comparison and locale mapping through the system's own
// functions: the ANSI code page (CP_ACP) and the user default locale.
#include <windows.h>

#include <climits>

#include "platform/Platform.h"

namespace stem {

namespace {

const wchar_t* AsWin(const WideChar* text)
{
    return reinterpret_cast<const wchar_t*>(text);
}

DWORD CompareFlags(bool ignoreCase)
{
    return ignoreCase ? NORM_IGNORECASE : 0;
}

}  // namespace

namespace platform {

WideString AnsiToWide(const AnsiString& text)
{
    if (text.empty())
        return {};
    int length = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    WideString wide(static_cast<size_t>(needed), u'\0');
    int written = MultiByteToWideChar(CP_ACP, 0, text.data(), length,
                                      reinterpret_cast<wchar_t*>(&wide[0]), needed);
    wide.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return wide;
}

AnsiString WideToAnsi(const WideString& text)
{
    if (text.empty())
        return {};
    int length = static_cast<int>(text.size());
    int needed =
        WideCharToMultiByte(CP_ACP, 0, AsWin(text.data()), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    AnsiString ansi(static_cast<size_t>(needed), '\0');
    int written = WideCharToMultiByte(CP_ACP, 0, AsWin(text.data()), length, &ansi[0], needed,
                                      nullptr, nullptr);
    ansi.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return ansi;
}

bool WideEqual(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase)
{
    return CompareStringW(LOCALE_USER_DEFAULT, CompareFlags(ignoreCase), AsWin(a), lengthA,
                          AsWin(b), lengthB) == CSTR_EQUAL;
}

bool AnsiEqual(const char* a, int lengthA, const char* b, int lengthB, bool ignoreCase)
{
    return CompareStringA(LOCALE_USER_DEFAULT, CompareFlags(ignoreCase), a, lengthA, b, lengthB) ==
           CSTR_EQUAL;
}

// The size first, then the text; explicit lengths, so a U+0000 inside does not end the text.
WideString FullWidth(const WideString& text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_FULLWIDTH, AsWin(text.data()), length, nullptr, 0);
    if (size <= 0)
        return {};
    WideString mapped(static_cast<size_t>(size), u'\0');
    const int written = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_FULLWIDTH, AsWin(text.data()),
                                     length, reinterpret_cast<wchar_t*>(&mapped[0]), size);
    mapped.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return mapped;
}

}  // namespace platform

}  // namespace stem
