#include <windows.h>
#include <shellapi.h>

#include "platform/HostSupport.h"

namespace stem {

namespace {

std::string ToUtf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size - 1));
    return bytes;
}

// A console shows text in its own code page, so UTF-8 goes to it as UTF-16; a file or a pipe
// gets the bytes unchanged.
bool WriteAll(DWORD which, const std::string& bytes)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                               static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                            length);
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                             nullptr) != 0;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                       &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

}  // namespace

namespace platform {

std::vector<std::string> ProgramArguments(int, char**)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; arguments != nullptr && i < count; ++i)
        result.push_back(ToUtf8(arguments[i]));
    LocalFree(arguments);
    return result;
}

bool WriteStandardOutput(const std::string& bytes)
{
    return WriteAll(STD_OUTPUT_HANDLE, bytes);
}

bool WriteStandardError(const std::string& bytes)
{
    return WriteAll(STD_ERROR_HANDLE, bytes);
}

}  // namespace platform

}  // namespace stem
