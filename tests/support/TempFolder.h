// A fresh, empty folder for a test, named the Windows way, removed with everything in it when
// the test ends: natively "C:\work" on a file root of the stand-in's own, under Windows a new
// folder below the temporary folder.
#pragma once

#include <string>

#include "base/UnicodeText.h"
#include "platform/HostSupport.h"

namespace stem {

// Writes a whole file and makes its last-write time differ from the one it had, by a second
// where the clock did not move it on: a press sees the edit whatever the clock's resolution.
inline bool WriteEditedFile(const WideString& path, const std::string& bytes)
{
    platform::FoundFileTimes before;
    platform::FoundFileTimes after;
    const bool existed = platform::FindFileTimes(path, before);
    if (!platform::WriteNewFile(path, bytes) || !platform::FindFileTimes(path, after))
        return false;
    constexpr platform::FileTime OneSecond = 10'000'000;  // in 100-nanosecond units
    return !existed || after.lastWritten > before.lastWritten ||
           platform::SetLastWriteTime(path, before.lastWritten + OneSecond);
}

class TempFolder {
public:
    TempFolder() : path_(platform::CreateTestFolder()) {}
    ~TempFolder() { platform::RemoveTestFolder(path_); }

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const WideString& Path() const { return path_; }
    // A name inside the folder (held text, UTF-8).
    WideString File(const Utf8String& name) const
    {
        return path_ + u"\\" + Utf8ToWideReplacing(name);
    }

private:
    WideString path_;
};

}  // namespace stem
