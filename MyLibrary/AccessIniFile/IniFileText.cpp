#include "MyLibrary/AccessIniFile/IniFileText.h"

#include "MyLibrary/Common/Errors.h"
#include "platform/Platform.h"

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

TStringLines LoadIniFile(const AnsiString& path)
{
    if (path.empty())
        return {};
    std::string bytes;
    switch (platform::ReadWholeFile(path, bytes)) {
    case platform::FileStatus::Ok:
        return SplitIniText(bytes);
    case platform::FileStatus::NotFound:
        return {};
    case platform::FileStatus::Failed:
        break;
    }
    throw FileError("cannot read " + path);
}

void SaveIniFile(const AnsiString& path, const std::string& text)
{
    if (!platform::WriteNewFile(path, text))
        throw FileError("cannot write " + path);
}
