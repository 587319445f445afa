// Code-page conversion, locale comparison and locale mapping through the system's own
// functions: a named code page, and the user default locale.
#include <windows.h>

#include <climits>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace stem {

namespace {

DWORD CompareFlags(bool ignoreCase)
{
    return ignoreCase ? NORM_IGNORECASE : 0;
}

}  // namespace

namespace platform {

unsigned AnsiCodePage()
{
    return GetACP();
}

// A byte gives at most one UTF-16 unit, and a unit at most three bytes (UTF-8), so one call
// into a buffer of that size converts all.
WideString DecodeText(unsigned codePage, const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    WideString wide(bytes.size(), u'\0');
    const int written =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                            reinterpret_cast<wchar_t*>(&wide[0]), static_cast<int>(wide.size()));
    wide.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return wide;
}

std::string EncodeText(unsigned codePage, const WideString& text)
{
    if (text.empty() || text.size() > INT_MAX / 3)
        return {};
    std::string bytes(text.size() * 3, '\0');
    const int written =
        WideCharToMultiByte(codePage, 0, AsWin(text.data()), static_cast<int>(text.size()),
                            &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return bytes;
}

bool WideEqual(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase)
{
    return CompareStringW(LOCALE_USER_DEFAULT, CompareFlags(ignoreCase), AsWin(a), lengthA,
                          AsWin(b), lengthB) == CSTR_EQUAL;
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
