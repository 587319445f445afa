// The stand-in's shell folders and environment variables: tables that tests can change.
#include <cstdlib>
#include <map>

#include "base/UnicodeText.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace {

WideString UserProfile()
{
    const char* user = std::getenv("USER");
    const Utf8String userName = user != nullptr && *user != '\0' ? user : "user";
    return u"C:\\Users\\" + Utf8ToWideReplacing(userName);
}

std::map<int, WideString> DefaultFolders()
{
    return {
        {38, u"C:\\Program Files"},
        {26, UserProfile() + u"\\AppData\\Roaming"},
    };
}

// Variable names compare ignoring letter case, as Windows compares them.
WideString UpperCase(WideString name)
{
    for (char16_t& c : name)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return name;
}

std::map<WideString, WideString> DefaultEnvironment()
{
    return {
        {u"APPDATA", UserProfile() + u"\\AppData\\Roaming"},
        {u"USERPROFILE", UserProfile()},
    };
}

std::map<int, WideString> folders = DefaultFolders();
std::map<WideString, WideString> environment = DefaultEnvironment();

}  // namespace

namespace standin {

void SetSpecialFolder(int csidl, const WideString& path)
{
    folders[csidl] = path;
}

void ResetSpecialFolders()
{
    folders = DefaultFolders();
}

void SetEnvironmentVariable(const Utf8String& name, const WideString& value)
{
    const WideString key = UpperCase(Utf8ToWideReplacing(name));
    if (value.empty())
        environment.erase(key);
    else
        environment[key] = value;
}

void ResetEnvironment()
{
    environment = DefaultEnvironment();
}

}  // namespace standin

namespace platform {

bool GetSpecialFolder(int csidl, WideString& path)
{
    const auto found = folders.find(csidl);
    if (found == folders.end())
        return false;
    path = found->second.substr(0, found->second.find(u'\0'));
    return true;
}

// A "%" without a closing one, and "%NAME%" of an unknown name, stay as they are; after an
// unknown name the scan goes on at its closing "%".
WideString ExpandEnvironmentText(const WideString& text)
{
    WideString expanded;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find(u'%', at);
        const size_t close = open == WideString::npos ? open : text.find(u'%', open + 1);
        if (close == WideString::npos)
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
