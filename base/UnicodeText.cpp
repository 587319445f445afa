#include "base/UnicodeText.h"

namespace stem {

namespace {

void AppendUtf16(WideString& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The length in bytes of the well-formed character that starts at the index, with its value;
// 0 when the bytes there form none (overlong forms, surrogates, values past U+10FFFF, cut
// sequences).
size_t Utf8CharAt(const std::string& bytes, size_t i, char32_t& c)
{
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    char32_t least = 0;  // the smallest value this length may carry (no overlong forms)
    if (lead < 0x80) {
        c = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i - 1 < static_cast<size_t>(extra))
        return 0;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
        return 0;
    return 1 + static_cast<size_t>(extra);
}

}  // namespace

bool Utf8ToWide(const std::string& bytes, WideString& text)
{
    text.clear();
    char32_t c = 0;
    for (size_t i = 0, length = 0; i < bytes.size(); i += length) {
        length = Utf8CharAt(bytes, i, c);
        if (length == 0)
            return false;
        AppendUtf16(text, c);
    }
    return true;
}

// A byte never gives more than one code unit, so the text is made at most as long as the bytes
// and cut at the end; ASCII, the most of any settings file, goes straight across.
WideString Utf8ToWideReplacing(const std::string& bytes)
{
    WideString text(bytes.size(), u'\0');
    size_t units = 0;
    char32_t c = 0;
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text[units++] = byte;
            ++i;
            continue;
        }
        const size_t length = Utf8CharAt(bytes, i, c);
        if (length == 0)
            c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            text[units++] = static_cast<char16_t>(0xD800 | (c >> 10));
            c = 0xDC00 | (c & 0x3FF);
        }
        text[units++] = static_cast<char16_t>(c);
        i += length == 0 ? 1 : length;
    }
    text.resize(units);
    return text;
}

// Each code unit gives at most three bytes (a pair, two units, four): the bytes are written
// into room made once and cut at the end; ASCII goes straight across.
std::string WideToUtf8(const WideString& text)
{
    std::string out(text.size() * 3, '\0');
    size_t size = 0;
    const auto put = [&out, &size](unsigned value) { out[size++] = static_cast<char>(value); };
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            put(c);
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        if (c < 0x800) {
            put(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            put(0xE0 | (c >> 12));
            put(0x80 | ((c >> 6) & 0x3F));
        } else {
            put(0xF0 | (c >> 18));
            put(0x80 | ((c >> 12) & 0x3F));
            put(0x80 | ((c >> 6) & 0x3F));
        }
        put(0x80 | (c & 0x3F));
    }
    out.resize(size);
    return out;
}

bool IsUtf8BeyondAscii(const std::string& bytes)
{
    WideString text;
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return Utf8ToWide(bytes, text);
    return false;
}

namespace {

char16_t UnitAt(const std::string& bytes, size_t i, ByteOrder order)
{
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(order == ByteOrder::LittleEndian ? first | second << 8
                                                                  : first << 8 | second);
}

}  // namespace

bool Utf16ToWide(const std::string& bytes, ByteOrder order, WideString& text)
{
    text.clear();
    text.reserve(bytes.size() / 2);
    bool paired = true;
    bool awaitingLow = false;  // the last unit was a high surrogate
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = UnitAt(bytes, i, order);
        paired = paired && IsLowSurrogate(unit) == awaitingLow;
        awaitingLow = IsHighSurrogate(unit);
        text += unit;
    }
    return paired && !awaitingLow && bytes.size() % 2 == 0;
}

std::string WideToUtf16(const WideString& text, ByteOrder order)
{
    const bool little = order == ByteOrder::LittleEndian;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(little ? unit & 0xFF : unit >> 8);
        bytes += static_cast<char>(little ? unit >> 8 : unit & 0xFF);
    }
    return bytes;
}

}  // namespace stem
