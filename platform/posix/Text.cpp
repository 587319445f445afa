// The stand-in's code pages (932; 65001 and 1252 where a test switches to them) and its text
// services. The tables of 932 are built once from iconv's "CP932" and then used by lookup;
// where Windows' own code page differs from iconv (lone lead bytes, invalid trail bytes,
// best-fit characters) the tables follow Windows.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/UnicodeText.h"
#include "platform/Platform.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace {

constexpr char16_t DefaultWideChar = 0x30FB;  // what Windows decodes an invalid sequence to
constexpr uint16_t DefaultAnsiChar = '?';

// In Shift-JIS a lead byte and the byte after it are one character.
constexpr bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One iconv conversion of a short byte run; false unless it converted completely.
bool Convert(iconv_t cd, const char* in, size_t inLength, char* out, size_t& outLength)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    size_t inLeft = inLength;
    size_t outLeft = outLength;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    outLength = outLength - outLeft;
    return true;
}

// Windows maps these to Latin look-alikes (or kana) rather than "?" when encoding.
struct BestFit {
    char16_t wide;
    uint16_t ansi;
};
constexpr BestFit LowLatinBestFit[] = {
    {0x00A1, '!'},    {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, '\\'},   {0x00A6, '|'},
    {0x00A9, 'c'},    {0x00AA, 'a'},    {0x00AB, 0x81E1}, {0x00AC, 0x81CA}, {0x00AD, '-'},
    {0x00AE, 'R'},    {0x00AF, 0x8150}, {0x00B2, '2'},    {0x00B3, '3'},    {0x00B5, 0x83CA},
    {0x00B7, 0x8145}, {0x00B8, 0x8143}, {0x00B9, '1'},    {0x00BA, 'o'},    {0x00BB, 0x81E2},
    {0x3094, 0x8394},
};
// U+00C0 .. U+00FF; a space leaves the character to iconv (x and the division sign).
constexpr char LatinLettersBestFit[] =
    "AAAAAAACEEEEIIIIDNOOOOO OUUUUYTsaaaaaaaceeeeiiiidnooooo ouuuuyty";

struct CodePage932 {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair;    // indexed by lead << 8 | trail
    std::vector<uint16_t> encode;  // a byte, or lead << 8 | trail

    CodePage932() : pair(0x10000, DefaultWideChar), encode(0x10000, DefaultAnsiChar)
    {
        BuildDecode();
        BuildEncode();
    }

    void BuildDecode()
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        for (int byte = 0; byte < 256; ++byte)
            single[byte] = DecodeWithIconv(cd, {static_cast<char>(byte)});
        // Bytes that iconv rejects but Windows maps: 0x80 and the private-use trio.
        single[0x80] = 0x0080;
        single[0xA0] = 0xF8F0;
        single[0xFD] = 0xF8F1;
        single[0xFE] = 0xF8F2;
        single[0xFF] = 0xF8F3;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsShiftJisLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 1; trail < 256; ++trail)
                pair[lead << 8 | trail] =
                    DecodeWithIconv(cd, {static_cast<char>(lead), static_cast<char>(trail)});
        }
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }

    static char16_t DecodeWithIconv(iconv_t cd, std::initializer_list<char> bytes)
    {
        if (cd == reinterpret_cast<iconv_t>(-1))
            return DefaultWideChar;
        char in[2];
        std::copy(bytes.begin(), bytes.end(), in);
        char out[8];
        size_t outLength = sizeof out;
        if (!Convert(cd, in, bytes.size(), out, outLength) || outLength != 2)
            return DefaultWideChar;
        return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                     static_cast<unsigned char>(out[1]) << 8);
    }

    // iconv's encoding, kept only where it decodes back to the same character (iconv also
    // accepts JIS variants such as U+2014 that Windows does not map).
    void BuildEncode()
    {
        iconv_t cd = iconv_open("CP932", "UTF-16LE");
        for (uint32_t unit = 0; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit <= 0xDFFF)
                continue;
            uint16_t bytes;
            if (EncodeWithIconv(cd, static_cast<char16_t>(unit), bytes) && Decode(bytes) == unit)
                encode[unit] = bytes;
        }
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
        for (int byte = 0; byte < 256; ++byte) {
            char16_t decoded = single[byte];
            if (!IsShiftJisLeadByte(static_cast<unsigned char>(byte)) &&
                encode[decoded] == DefaultAnsiChar)
                encode[decoded] = static_cast<uint16_t>(byte);
        }
        for (const BestFit& fit : LowLatinBestFit)
            SetIfUnmapped(fit.wide, fit.ansi);
        for (int i = 0; i < 64; ++i)
            if (LatinLettersBestFit[i] != ' ')
                SetIfUnmapped(static_cast<char16_t>(0xC0 + i),
                              static_cast<uint16_t>(LatinLettersBestFit[i]));
    }

    void SetIfUnmapped(char16_t wide, uint16_t ansi)
    {
        if (encode[wide] == DefaultAnsiChar)
            encode[wide] = ansi;
    }

    static bool EncodeWithIconv(iconv_t cd, char16_t unit, uint16_t& bytes)
    {
        if (cd == reinterpret_cast<iconv_t>(-1))
            return false;
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char out[8];
        size_t outLength = sizeof out;
        if (!Convert(cd, in, 2, out, outLength) || outLength == 0 || outLength > 2)
            return false;
        bytes = static_cast<unsigned char>(out[0]);
        if (outLength == 2)
            bytes = static_cast<uint16_t>(bytes << 8 | static_cast<unsigned char>(out[1]));
        return true;
    }

    char16_t Decode(uint16_t bytes) const { return bytes > 0xFF ? pair[bytes] : single[bytes]; }
};

const CodePage932& Tables()
{
    static const CodePage932 tables;
    return tables;
}

// Letter case folding of NORM_IGNORECASE: Latin, Greek, Cyrillic and full-width Latin.
char16_t FoldCase(char16_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? static_cast<char16_t>(c - 0x20) : c;
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7)
        return static_cast<char16_t>(c - 0x20);
    if (c == 0x00FF)
        return 0x0178;
    if (c >= 0x0100 && c <= 0x017E) {  // Latin Extended-A: capital and small side by side
        bool capitalEven = c <= 0x0137 || (c >= 0x014A && c <= 0x0177);
        bool capitalOdd = (c >= 0x0139 && c <= 0x0148) || c >= 0x0179;
        if ((capitalEven && (c & 1) && c != 0x0131) || (capitalOdd && !(c & 1)))
            return static_cast<char16_t>(c - 1);
        return c;
    }
    if (c >= 0x03B1 && c <= 0x03C9)
        return c == 0x03C2 ? char16_t{0x03A3} : static_cast<char16_t>(c - 0x20);
    if (c >= 0x0430 && c <= 0x044F)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F)
        return static_cast<char16_t>(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A)
        return static_cast<char16_t>(c - 0x20);
    return c;
}

bool EqualUnits(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase)
{
    if (lengthA != lengthB)
        return false;
    for (int i = 0; i < lengthA; ++i) {
        if (ignoreCase ? FoldCase(a[i]) != FoldCase(b[i]) : a[i] != b[i])
            return false;
    }
    return true;
}

unsigned ansiCodePage = platform::ShiftJisCodePage;

WideString DecodeShiftJis(std::string_view text)
{
    const CodePage932& cp = Tables();
    WideString wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        // A lead byte at the end, or before a NUL, is a character alone, as Windows decodes it:
        // the default.
        const bool pair = IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) &&
                          i + 1 < text.size() && text[i + 1] != '\0';
        const size_t length = pair ? 2 : 1;
        const auto byte = static_cast<unsigned char>(text[i]);
        wide.push_back(length == 2 ? cp.pair[byte << 8 | static_cast<unsigned char>(text[i + 1])]
                                   : cp.single[byte]);
        i += length;
    }
    return wide;
}

// Page 1252: Latin-1 but for 0x80..0x9F, where five bytes that name no character stand for
// the control of the same number, as Windows decodes them.
constexpr char16_t Western80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t DecodeWestern(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? Western80To9F[byte - 0x80] : byte;
}

WideString DecodeWestern(std::string_view bytes)
{
    WideString wide;
    wide.reserve(bytes.size());
    for (const char byte : bytes)
        wide.push_back(DecodeWestern(static_cast<unsigned char>(byte)));
    return wide;
}

// A character of no byte becomes "?" (Windows would first try a look-alike).
std::string EncodeWestern(const WideString& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        char byte = '?';
        for (int candidate = 0; candidate < 256; ++candidate)
            if (DecodeWestern(static_cast<unsigned char>(candidate)) == unit)
                byte = static_cast<char>(candidate);
        bytes.push_back(byte);
    }
    return bytes;
}

std::string EncodeShiftJis(const WideString& text)
{
    const CodePage932& cp = Tables();
    std::string ansi;
    ansi.reserve(text.size() * 2);
    for (char16_t unit : text) {
        uint16_t bytes = cp.encode[unit];
        if (bytes > 0xFF)
            ansi.push_back(static_cast<char>(bytes >> 8));
        ansi.push_back(static_cast<char>(bytes & 0xFF));
    }
    return ansi;
}

// ---- Full-width mapping of LCMAP_FULLWIDTH ----

constexpr char16_t VoicedMark = 0xFF9E;
constexpr char16_t SemiVoicedMark = 0xFF9F;

// U+FF61 .. U+FF9F, the half-width katakana block.
constexpr char16_t FullWidthKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x3099, 0x309A,
};

// A kana followed by a half-width (semi-)voiced mark that Windows turns into one character.
struct KanaWithMark {
    char16_t kana;
    char16_t mark;
    char16_t combined;
};
constexpr KanaWithMark CombinedKana[] = {
    {0x30F0, VoicedMark, 0x30F8}, {0x30F1, VoicedMark, 0x30F9},
    {0x30FD, VoicedMark, 0x30FE}, {0xFF66, VoicedMark, 0x30FA},
    {0xFF73, VoicedMark, 0x30F4}, {0xFF76, VoicedMark, 0x30AC},
    {0xFF77, VoicedMark, 0x30AE}, {0xFF78, VoicedMark, 0x30B0},
    {0xFF79, VoicedMark, 0x30B2}, {0xFF7A, VoicedMark, 0x30B4},
    {0xFF7B, VoicedMark, 0x30B6}, {0xFF7C, VoicedMark, 0x30B8},
    {0xFF7D, VoicedMark, 0x30BA}, {0xFF7E, VoicedMark, 0x30BC},
    {0xFF7F, VoicedMark, 0x30BE}, {0xFF80, VoicedMark, 0x30C0},
    {0xFF81, VoicedMark, 0x30C2}, {0xFF82, VoicedMark, 0x30C5},
    {0xFF83, VoicedMark, 0x30C7}, {0xFF84, VoicedMark, 0x30C9},
    {0xFF8A, VoicedMark, 0x30D0}, {0xFF8A, SemiVoicedMark, 0x30D1},
    {0xFF8B, VoicedMark, 0x30D3}, {0xFF8B, SemiVoicedMark, 0x30D4},
    {0xFF8C, VoicedMark, 0x30D6}, {0xFF8C, SemiVoicedMark, 0x30D7},
    {0xFF8D, VoicedMark, 0x30D9}, {0xFF8D, SemiVoicedMark, 0x30DA},
    {0xFF8E, VoicedMark, 0x30DC}, {0xFF8E, SemiVoicedMark, 0x30DD},
    {0xFF9C, VoicedMark, 0x30F7},
};

// Half-width compatibility forms U+FFA0 .. U+FFDC: Hangul letters; 0 keeps the character.
char16_t FullWidthHangul(char16_t c)
{
    if (c == 0xFFA0)
        return 0x3164;
    if (c >= 0xFFA1 && c <= 0xFFBE)
        return static_cast<char16_t>(c - 0xFFA1 + 0x3131);
    // Vowels come in runs of six with gaps: FFC2.., FFCA.., FFD2.., FFDA..FFDC.
    static constexpr char16_t runStart[] = {0xFFC2, 0xFFCA, 0xFFD2, 0xFFDA};
    static constexpr char16_t runTarget[] = {0x314F, 0x3155, 0x315B, 0x3161};
    for (int run = 0; run < 4; ++run) {
        int offset = c - runStart[run];
        if (offset >= 0 && offset < (run == 3 ? 3 : 6))
            return static_cast<char16_t>(runTarget[run] + offset);
    }
    return 0;
}

char16_t FullWidthOf(char16_t c)
{
    if (c == 0x0020)
        return 0x3000;
    if (c >= 0x0021 && c <= 0x007E)
        return c == 0x005C ? c : static_cast<char16_t>(c + 0xFEE0);  // Windows keeps "\"
    switch (c) {
    case 0x00A2: return 0xFFE0;
    case 0x00A3: return 0xFFE1;
    case 0x00A5: return 0xFFE5;
    case 0x00A6: return 0xFFE4;
    case 0x00AC: return 0xFFE2;
    case 0x00AF: return 0xFFE3;
    case 0x20A9: return 0xFFE6;
    case 0x2985: return 0xFF5F;
    case 0x2986: return 0xFF60;
    case 0x309B: return 0x3099;
    case 0x309C: return 0x309A;
    case 0xFFE8: return 0x2502;
    case 0xFFED: return 0x25A0;
    case 0xFFEE: return 0x25CB;
    default: break;
    }
    if (c >= 0xFF61 && c <= 0xFF9F)
        return FullWidthKana[c - 0xFF61];
    if (c >= 0xFFE9 && c <= 0xFFEC)
        return static_cast<char16_t>(c - 0xFFE9 + 0x2190);
    if (char16_t hangul = FullWidthHangul(c))
        return hangul;
    return c;
}

char16_t CombineWithMark(char16_t kana, char16_t mark)
{
    for (const KanaWithMark& entry : CombinedKana)
        if (entry.kana == kana && entry.mark == mark)
            return entry.combined;
    return 0;
}

}  // namespace

namespace platform {

WideString FullWidth(const WideString& text)
{
    WideString mapped;
    mapped.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 1 < text.size()) {
            if (char16_t combined = CombineWithMark(text[i], text[i + 1])) {
                mapped.push_back(combined);
                ++i;
                continue;
            }
        }
        mapped.push_back(FullWidthOf(text[i]));
    }
    return mapped;
}

unsigned AnsiCodePage()
{
    return ansiCodePage;
}

// An unknown page gives nothing, as MultiByteToWideChar fails for it.
WideString DecodeText(unsigned codePage, const std::string& bytes)
{
    switch (codePage) {
    case ShiftJisCodePage: return DecodeShiftJis(bytes);
    case WesternCodePage: return DecodeWestern(bytes);
    case Utf8CodePage: return Utf8ToWideReplacing(bytes);
    default: return {};
    }
}

std::string EncodeText(unsigned codePage, const WideString& text)
{
    switch (codePage) {
    case ShiftJisCodePage: return EncodeShiftJis(text);
    case WesternCodePage: return EncodeWestern(text);
    case Utf8CodePage: return WideToUtf8(text);
    default: return {};
    }
}

bool WideEqual(const WideChar* a, int lengthA, const WideChar* b, int lengthB, bool ignoreCase)
{
    if ((a == nullptr && lengthA > 0) || (b == nullptr && lengthB > 0) || lengthA < 0 ||
        lengthB < 0)
        return false;
    return EqualUnits(a, lengthA, b, lengthB, ignoreCase);
}

}  // namespace platform

namespace standin {

bool SetAnsiCodePage(unsigned codePage)
{
    const bool modelled = codePage == platform::ShiftJisCodePage ||
                          codePage == platform::WesternCodePage ||
                          codePage == platform::Utf8CodePage;
    if (modelled)
        ansiCodePage = codePage;
    return modelled;
}

}  // namespace standin

}  // namespace stem
