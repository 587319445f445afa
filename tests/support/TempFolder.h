// A fresh, empty folder for a test, named the Windows way, removed with everything in it when
// the test ends: natively "C:\work" on a file root of the stand-in's own, under Windows a new
// folder below the temporary folder.
#pragma once

#include <string>

#include "platform/HostSupport.h"

namespace stem {

class TempFolder {
public:
    TempFolder() : path_(platform::CreateTestFolder()) {}
    ~TempFolder() { platform::RemoveTestFolder(path_); }

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // A name inside the folder.
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

}  // namespace stem
