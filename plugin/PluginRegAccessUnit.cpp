#include "plugin/PluginRegAccessUnit.h"

#include <cstdint>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// A registry key closed on every path out of the scope that opened it.
class OpenKey {
public:
    explicit OpenKey(platform::RegistryKey key) : key_(key) {}
    ~OpenKey() { platform::CloseRegistryKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    platform::RegistryKey get() const { return key_; }

private:
    platform::RegistryKey key_;
};

}  // namespace

// Its path up to and including the last backslash, then "PlugIns".
AnsiString DefaultPluginFolder()
{
    const AnsiString program = platform::HostExecutablePath();
    const size_t lastBackslash = LastBackslashOf(program);
    const size_t folderLength = lastBackslash == AnsiString::npos ? 0 : lastBackslash + 1;
    return program.substr(0, folderLength) + "PlugIns";
}

WideString ReadPluginFolderAt(const AnsiString& keyPath)
{
    AnsiString folder = DefaultPluginFolder();
    const OpenKey editorKey(platform::OpenOrCreateUserKey(keyPath));
    const OpenKey commonKey(platform::OpenSubKey(editorKey.get(), "Common"));
    uint32_t type = 0;
    std::string data;
    AnsiString stored;
    if (platform::QueryRegistryValue(commonKey.get(), "PlugInsFolder", type, data) &&
        RegistryStringText(type, data, stored))
        folder = stored;
    return platform::AnsiToWide(folder);
}

WideString ReadPluginFolder()
{
    return ReadPluginFolderAt(EditorRegistryKey);
}

WideString GetPluginFolder(WideString& cache)
{
    if (cache.empty())
        cache = ReadPluginFolder();
    return cache;
}

}  // namespace stem
