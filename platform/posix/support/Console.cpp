#include <cstdio>

#include "platform/HostSupport.h"

namespace stem {

namespace {

bool WriteAll(std::FILE* stream, const std::string& bytes)
{
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && written;
}

}  // namespace

namespace platform {

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool WriteStandardOutput(const std::string& bytes)
{
    return WriteAll(stdout, bytes);
}

bool WriteStandardError(const std::string& bytes)
{
    return WriteAll(stderr, bytes);
}

}  // namespace platform

}  // namespace stem
