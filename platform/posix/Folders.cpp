// The stand-in's shell folders and environment variables: tables that tests can change.
#include <cstdlib>
#include <map>

#include "platform/posix/StandIn.h"

namespace stem {

namespace {

AnsiString UserProfile()
{
    const char* user = std::getenv("USER");
    const AnsiString userName = user != nullptr && *user != '\0' ? user : "user";
    return "C:\\Users\\" + userName;
}

std::map<int, AnsiString> DefaultFolders()
{
    return {
        {38, "C:\\Program Files"},
        {26, UserProfile() + "\\AppData\\Roaming"},
    };
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Variable names compare ignoring letter case, as Windows compares them.
AnsiString UpperCase(AnsiString name)
{
    for (char& c : name)
        c = UpperAscii(c);
    return name;
}

std::map<AnsiString, AnsiString> DefaultEnvironment()
{
    return {
        {"APPDATA", UserProfile() + "\\AppData\\Roaming"},
        {"USERPROFILE", UserProfile()},
    };
}

std::map<int, AnsiString> folders = DefaultFolders();
std::map<AnsiString, AnsiString> environment = DefaultEnvironment();

}  // namespace

namespace standin {

void SetSpecialFolder(int csidl, const AnsiString& path)
{
    folders[csidl] = path;
}

void ResetSpecialFolders()
{
    folders = DefaultFolders();
}

void SetEnvironmentVariable(const AnsiString& name, const AnsiString& value)
{
    if (value.empty())
        environment.erase(UpperCase(name));
    else
        environment[UpperCase(name)] = value;
}

void ResetEnvironment()
{
    environment = DefaultEnvironment();
}

}  // namespace standin

namespace platform {

bool GetSpecialFolder(int csidl, AnsiString& path)
{
    const auto found = folders.find(csidl);
    if (found == folders.end())
        return false;
    path = found->second.substr(0, found->second.find('\0'));
    return true;
}

// A "%" without a closing one, and "%NAME%" of an unknown name, stay as they are; after an
// unknown name the scan goes on at its closing "%".
AnsiString ExpandEnvironmentText(const AnsiString& text)
{
    AnsiString expanded;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('%', at);
        const size_t close = open == AnsiString::npos ? open : text.find('%', open + 1);
        if (close == AnsiString::npos)
            break;
        expanded += text.substr(at, open - at);
        const auto found = environment.find(UpperCase(text.substr(open + 1, close - open - 1)));
        if (found != environment.end()) {
            expanded += found->second;
            at = close + 1;
        } else {
            expanded += text.substr(open, close - open);
            at = close;
        }
    }
    return expanded + text.substr(at);
}

}  // namespace platform

}  // namespace stem
