// A fresh, empty folder for a test, named the Windows way, removed with everything in it when
// the test ends. Natively the stand-in's file root is pointed at a new temporary folder and
// the folder is "C:\work"; under Windows it is a new folder below the temporary folder.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include "platform/posix/StandIn.h"
#endif

class TempFolder {
public:
    TempFolder()
    {
#ifdef _WIN32
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        static int counter = 0;
        for (;;) {
            path_ = std::string(temp) + "StemTest" + std::to_string(GetCurrentProcessId()) + "_" +
                    std::to_string(++counter);
            if (CreateDirectoryA(path_.c_str(), nullptr))
                break;
        }
#else
        std::string pattern = std::filesystem::temp_directory_path().string() + "/stemtest-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        root_ = pattern;
        standin::SetFileRoot(root_);
        std::filesystem::create_directories(root_ + "/C/work");
        path_ = "C:\\work";
#endif
    }

    ~TempFolder()
    {
        std::error_code ignored;
#ifdef _WIN32
        std::filesystem::remove_all(path_, ignored);
#else
        std::filesystem::remove_all(root_, ignored);
        standin::SetFileRoot("");
#endif
    }

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // A name inside the folder.
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string root_;  // natively: the stand-in's file root
};
