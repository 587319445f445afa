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

const std::string Utf16LeMark = "\xFF\xFE";
const std::string Utf8Mark = "\xEF\xBB\xBF";

bool StartsWith(const std::string& bytes, const std::string& prefix)
{
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// Unicode text as ANSI lines. The text stops at a NUL as ANSI text does; the lines are faithful
// when the text decoded cleanly, had no NUL, and comes back unchanged from the code page.
TIniFileContent LinesOfWide(WideString text, bool decodedCleanly, TIniEncoding encoding)
{
    TIniFileContent content;
    content.encoding = encoding;
    const std::size_t nul = text.find(u'\0');
    if (nul != WideString::npos)
        text.resize(nul);
    const AnsiString ansi = platform::WideToAnsi(text);
    content.faithful =
        decodedCleanly && nul == WideString::npos && platform::AnsiToWide(ansi) == text;
    content.lines = SplitIniText(ansi);
    return content;
}

// What a file without a byte-order mark is, where the ANSI code page is UTF-8: UTF-8 text only
// when its bytes say so, since ASCII and Shift-JIS files are just as often valid.
bool HoldsUtf8Text(const std::string& bytes)
{
    WideString text;
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return nonAscii && Utf8ToWide(bytes, text);
}

// The encoding of a file without a byte-order mark that is not read as ANSI text, and of a new
// file: Shift-JIS where the ANSI code page is UTF-8.
bool UnmarkedFilesAreShiftJis()
{
    return platform::AnsiCodePage() == platform::Utf8CodePage;
}

// Shift-JIS bytes are clean when they come back unchanged from their characters: a byte that
// forms no character, or one of the pairs that share a character, would not.
TIniFileContent LinesOfShiftJis(const std::string& bytes)
{
    WideString text = platform::DecodeText(platform::ShiftJisCodePage, bytes);
    const bool clean = platform::EncodeText(platform::ShiftJisCodePage, text) == bytes;
    return LinesOfWide(std::move(text), clean, TIniEncoding::ShiftJis);
}

bool IsDecimal(const AnsiString& text)
{
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == npos;
}

// A save that crashed (or a program killed during one) leaves its temporary file behind; once
// its program has ended, no save will ever finish with it.
void RemoveStaleSavingFiles(const AnsiString& path)
{
    const std::size_t backslash = LastBackslashOf(path);
    const std::size_t nameStart = backslash == npos ? 0 : backslash + 1;
    const AnsiString prefix = path.substr(0, nameStart);
    const AnsiString fileName = path.substr(nameStart);
    for (const AnsiString& name : platform::FindFileNames(path + ".*.saving")) {
        uint32_t process = 0;
        if (IsSavingFileOf(fileName, name, process) && !platform::ProcessRunning(process))
            platform::RemoveFile(prefix + name);
    }
}

}  // namespace

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
    for (const AnsiString& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const AnsiString& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TIniFileContent DecodeIniText(const std::string& bytes)
{
    WideString text;
    if (StartsWith(bytes, Utf16LeMark)) {
        const bool clean = Utf16LeToWide(bytes.substr(Utf16LeMark.size()), text);
        return LinesOfWide(std::move(text), clean, TIniEncoding::Utf16Le);
    }
    if (StartsWith(bytes, Utf8Mark)) {
        const bool clean = Utf8ToWide(bytes.substr(Utf8Mark.size()), text);
        return LinesOfWide(std::move(text), clean, TIniEncoding::Utf8);
    }
    if (UnmarkedFilesAreShiftJis() && !HoldsUtf8Text(bytes))
        return LinesOfShiftJis(bytes);
    TIniFileContent content;
    content.lines = SplitIniText(bytes);
    content.faithful = bytes.find('\0') == std::string::npos;
    return content;
}

std::string EncodeIniText(const TStringLines& lines, TIniEncoding encoding)
{
    switch (encoding) {
    case TIniEncoding::Utf16Le:
        return Utf16LeMark + WideToUtf16Le(platform::AnsiToWide(JoinIniLines(lines)));
    case TIniEncoding::Utf8:
        return Utf8Mark + WideToUtf8(platform::AnsiToWide(JoinIniLines(lines)));
    case TIniEncoding::ShiftJis:
        return platform::EncodeText(platform::ShiftJisCodePage,
                                    platform::AnsiToWide(JoinIniLines(lines)));
    case TIniEncoding::Ansi: break;
    }
    return JoinIniLines(lines);
}

TIniFileContent LoadIniFile(const AnsiString& path)
{
    TIniFileContent none;
    if (UnmarkedFilesAreShiftJis())
        none.encoding = TIniEncoding::ShiftJis;
    if (path.empty())
        return none;
    std::string bytes;
    switch (platform::ReadWholeFile(path, bytes)) {
    case platform::FileStatus::Ok: return DecodeIniText(bytes);
    case platform::FileStatus::NotFound: return none;
    case platform::FileStatus::Failed: break;
    }
    throw FileError("cannot read " + path);
}

AnsiString SavingFileOf(const AnsiString& path)
{
    static std::atomic<unsigned> saves{0};
    return path + "." + std::to_string(platform::CurrentProcessId()) + "-" +
           std::to_string(++saves) + ".saving";
}

bool IsSavingFileOf(const AnsiString& fileName, const AnsiString& name, uint32_t& process)
{
    const AnsiString suffix = ".saving";
    const std::size_t tail = fileName.size() + 1;  // the dot after the file name
    if (name.size() < tail + suffix.size() || name[fileName.size()] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
        !platform::AnsiEqual(name.data(), static_cast<int>(fileName.size()), fileName.data(),
                             static_cast<int>(fileName.size()), true))
        return false;
    const AnsiString numbers = name.substr(tail, name.size() - tail - suffix.size());
    const std::size_t dash = numbers.find('-');
    if (dash == AnsiString::npos || !IsDecimal(numbers.substr(0, dash)) ||
        !IsDecimal(numbers.substr(dash + 1)))
        return false;
    const unsigned long long number = std::stoull(numbers.substr(0, dash));
    if (number > UINT32_MAX)
        return false;
    process = static_cast<uint32_t>(number);
    return true;
}

void SaveIniFile(const AnsiString& path, const std::string& bytes)
{
    if (path.empty())
        throw FileError("no settings file to write");
    const AnsiString saving = SavingFileOf(path);
    bool placed = platform::WriteNewFile(saving, bytes);
    if (placed) {
        placed = platform::PathExists(path) ? platform::ReplaceExistingFile(path, saving)
                                            : platform::MoveFileReplacing(saving, path);
    }
    if (!placed) {
        platform::RemoveFile(saving);
        throw FileError("cannot write " + path);
    }
    RemoveStaleSavingFiles(path);
}

}  // namespace stem
