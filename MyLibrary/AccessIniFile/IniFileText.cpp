#include "MyLibrary/AccessIniFile/IniFileText.h"

#include <atomic>

#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace {

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

}  // namespace

TStringLines SplitIniText(const std::string& text)
{
    TStringLines lines;
    const std::size_t end = text.find('\0');  // npos when there is none
    const std::size_t size = end == std::string::npos ? text.size() : end;
    std::size_t start = 0;
    while (start < size) {
        std::size_t stop = start;
        while (stop < size && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        lines.push_back(text.substr(start, stop - start));
        // Step over one line break: CR LF, a lone CR or a lone LF.
        if (stop < size && text[stop] == '\r')
            ++stop;
        if (stop < size && text[stop] == '\n')
            ++stop;
        start = stop;
    }
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
    case TIniEncoding::Ansi: break;
    }
    return JoinIniLines(lines);
}

TIniFileContent LoadIniFile(const AnsiString& path)
{
    if (path.empty())
        return {};
    std::string bytes;
    switch (platform::ReadWholeFile(path, bytes)) {
    case platform::FileStatus::Ok: return DecodeIniText(bytes);
    case platform::FileStatus::NotFound: return {};
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
}

}  // namespace stem
