#include "MyLibrary/AccessIniFile/IniFileText.h"

#include <algorithm>
#include <atomic>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace {

constexpr std::size_t npos = std::string::npos;

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

bool StartsWith(const std::string& bytes, std::string_view prefix)
{
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// Unicode text as lines of held text. The text stops at a NUL, as the lines always have; they
// are faithful when the bytes decoded cleanly and had no NUL.
TIniFileContent LinesOfWide(WideString text, bool decodedCleanly, TIniEncoding encoding)
{
    TIniFileContent content;
    content.encoding = encoding;
    const std::size_t nul = text.find(u'\0');
    if (nul != WideString::npos)
        text.resize(nul);
    content.faithful = decodedCleanly && nul == WideString::npos;
    content.lines = SplitIniText(WideToUtf8(text));
    return content;
}

TIniFileContent LinesOfUtf8(const std::string& bytes, TIniEncoding encoding)
{
    WideString text;
    const bool clean = Utf8ToWide(bytes, text);
    return LinesOfWide(clean ? std::move(text) : Utf8ToWideReplacing(bytes), clean, encoding);
}

// Shift-JIS bytes are clean when they come back unchanged from their characters: a byte that
// forms no character, or one of the pairs that share a character, would not.
TIniFileContent LinesOfShiftJis(const std::string& bytes)
{
    // ASCII is the same characters in Shift-JIS and in UTF-8: the bytes are the lines, and as
    // clean as the file is without a NUL.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        TIniFileContent content;
        content.lines = SplitIniText(bytes);
        content.faithful = bytes.find('\0') == std::string::npos;
        return content;
    }
    WideString text = platform::DecodeText(platform::ShiftJisCodePage, bytes);
    const bool clean = platform::EncodeText(platform::ShiftJisCodePage, text) == bytes;
    return LinesOfWide(std::move(text), clean, TIniEncoding::ShiftJis);
}

TIniFileContent LinesOfUtf16(const std::string& bytes, ByteOrder order, TIniEncoding encoding)
{
    WideString text;
    const bool clean = Utf16ToWide(bytes, order, text);
    return LinesOfWide(std::move(text), clean, encoding);
}

bool IsDecimal(const std::string& text)
{
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == npos;
}

// A save that crashed (or a program killed during one) leaves its temporary file behind; once
// its program has ended, no save will ever finish with it.
void RemoveStaleSavingFiles(const WideString& path)
{
    const std::size_t backslash = LastBackslashOf(path);
    const std::size_t nameStart = backslash == npos ? 0 : backslash + 1;
    const WideString prefix = path.substr(0, nameStart);
    const WideString fileName = path.substr(nameStart);
    for (const WideString& name : platform::FindFileNames(path + u".*.saving")) {
        uint32_t process = 0;
        if (IsSavingFileOf(fileName, name, process) && !platform::ProcessRunning(process))
            platform::RemoveFile(prefix + name);
    }
}

}  // namespace

TIniEncoding EncodingOfUnmarkedFile(const std::string& bytes)
{
    return IsUtf8BeyondAscii(bytes) ? TIniEncoding::Utf8 : TIniEncoding::ShiftJis;
}

TIniEncoding EncodingOfNewFile()
{
    return TIniEncoding::ShiftJis;
}

TStringLines SplitIniText(const std::string& text)
{
    const std::string_view beforeNul = std::string_view(text).substr(0, text.find('\0'));
    TStringLines lines = SplitLines(beforeNul, LineBreaks::CrOrLf);
    if (lines.back().empty())  // what follows the final line break
        lines.pop_back();
    return lines;
}

std::string JoinIniLines(const TStringLines& lines)
{
    std::size_t size = 0;
    for (const Utf8String& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const Utf8String& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TIniFileContent DecodeIniText(const std::string& bytes)
{
    if (StartsWith(bytes, Utf8Mark))
        return LinesOfUtf8(bytes.substr(Utf8Mark.size()), TIniEncoding::Utf8WithMark);
    if (StartsWith(bytes, Utf16LeMark))
        return LinesOfUtf16(bytes.substr(Utf16LeMark.size()), ByteOrder::LittleEndian,
                            TIniEncoding::Utf16Le);
    if (StartsWith(bytes, Utf16BeMark))
        return LinesOfUtf16(bytes.substr(Utf16BeMark.size()), ByteOrder::BigEndian,
                            TIniEncoding::Utf16Be);
    if (EncodingOfUnmarkedFile(bytes) == TIniEncoding::Utf8)
        return LinesOfUtf8(bytes, TIniEncoding::Utf8);
    return LinesOfShiftJis(bytes);
}

std::string EncodeIniText(const TStringLines& lines, TIniEncoding encoding)
{
    std::string text = JoinIniLines(lines);
    switch (encoding) {
    case TIniEncoding::ShiftJis:
        return platform::EncodeText(platform::ShiftJisCodePage, Utf8ToWideReplacing(text));
    case TIniEncoding::Utf8: return text;
    case TIniEncoding::Utf8WithMark: text.insert(0, Utf8Mark); return text;
    case TIniEncoding::Utf16Le:
    case TIniEncoding::Utf16Be: break;
    }
    const bool little = encoding == TIniEncoding::Utf16Le;
    std::string bytes = WideToUtf16(Utf8ToWideReplacing(text),
                                    little ? ByteOrder::LittleEndian : ByteOrder::BigEndian);
    bytes.insert(0, little ? Utf16LeMark : Utf16BeMark);
    return bytes;
}

TIniFileContent LoadIniFile(const WideString& path)
{
    TIniFileContent none;
    none.encoding = EncodingOfNewFile();
    if (path.empty())
        return none;
    std::string bytes;
    switch (platform::ReadWholeFile(path, bytes)) {
    case platform::FileStatus::Ok: return DecodeIniText(bytes);
    case platform::FileStatus::NotFound: return none;
    case platform::FileStatus::Failed: break;
    }
    throw FileError("cannot read " + WideToUtf8(path));
}

WideString SavingFileOf(const WideString& path)
{
    static std::atomic<unsigned> saves{0};
    const std::string tail = "." + std::to_string(platform::CurrentProcessId()) + "-" +
                             std::to_string(++saves) + ".saving";
    WideString saving = path;
    saving += Utf8ToWideReplacing(tail);
    return saving;
}

// The file name in any letter case, then ".<process>-<n>.saving", ASCII.
bool IsSavingFileOf(const WideString& fileName, const WideString& name, uint32_t& process)
{
    const int length = static_cast<int>(fileName.size());
    if (name.size() <= fileName.size() ||
        !platform::WideEqual(name.data(), length, fileName.data(), length, true))
        return false;
    const std::string tail = WideToUtf8(name.substr(fileName.size()));
    const std::string suffix = ".saving";
    if (tail.size() < 1 + suffix.size() || tail[0] != '.' ||
        tail.compare(tail.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string numbers = tail.substr(1, tail.size() - 1 - suffix.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string::npos || !IsDecimal(numbers.substr(0, dash)) ||
        !IsDecimal(numbers.substr(dash + 1)))
        return false;
    uint64_t number = 0;  // 10 digits at most: no overflow, and no strtoull in the DLLs
    for (const char digit : numbers.substr(0, dash))
        number = number * 10 + static_cast<uint64_t>(digit - '0');
    if (number > UINT32_MAX)
        return false;
    process = static_cast<uint32_t>(number);
    return true;
}

void SaveIniFile(const WideString& path, const std::string& bytes)
{
    if (path.empty())
        throw FileError("no settings file to write");
    const WideString saving = SavingFileOf(path);
    bool placed = platform::WriteNewFile(saving, bytes);
    if (placed) {
        placed = platform::PathExists(path) ? platform::ReplaceExistingFile(path, saving)
                                            : platform::MoveFileReplacing(saving, path);
    }
    if (!placed) {
        platform::RemoveFile(saving);
        throw FileError("cannot write " + WideToUtf8(path));
    }
    RemoveStaleSavingFiles(path);
}

}  // namespace stem
