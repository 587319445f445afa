// A fresh, empty folder for a test, named the Windows way, removed with everything in it when
// the test ends: natively "C:\work" on a file root of the stand-in's own, under Windows a new
// folder below the temporary folder. And guards that give back what a test did to a file in
// it, however the test ends.
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

// The read-only attribute, given to a file for as long as the guard lives and taken away again
// however the test ends: a read-only file would keep its folder from being removed.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const WideString& path, bool readOnly = true)
        : path_(path), set_(platform::SetReadOnly(path, readOnly))
    {
    }
    ~ReadOnlyFile() { platform::SetReadOnly(path_, false); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool Set() const { return set_; }

private:
    WideString path_;
    bool set_;
};

// Another program's hold on a file (platform::LockFile), kept until Release or the end of the
// guard's life, however the test ends: a held file keeps its folder from being removed.
class HeldFile {
public:
    explicit HeldFile(const WideString& path,
                      platform::HolderShares shares = platform::HolderShares::Nothing)
        : lock_(platform::LockFile(path, shares))
    {
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return lock_ != nullptr; }
    void Release()
    {
        platform::UnlockFile(lock_);
        lock_ = nullptr;
    }

private:
    platform::FileLock lock_;
};

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
