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
WideString DefaultPluginFolder()
{
    const WideString program = platform::HostExecutablePath();
    const size_t lastBackslash = LastBackslashOf(program);
    const size_t folderLength = lastBackslash == WideString::npos ? 0 : lastBackslash + 1;
    return program.substr(0, folderLength) + u"PlugIns";
}

namespace {

// The editor's key, created when missing; one that policy made read-only is still read.
platform::RegistryKey OpenEditorKey(const Utf8String& keyPath)
{
    const platform::RegistryKey key = platform::OpenOrCreateUserKey(keyPath);
    return key != nullptr ? key : platform::OpenUserKeyForReading(keyPath);
}

// The folder the value names: an expandable value ("%APPDATA%\...") with its variables
// expanded. Empty when the value names none.
WideString StoredFolder(uint32_t type, const std::string& data)
{
    WideString stored;
    if (!RegistryStringText(type, data, stored))
        return {};
    return type == platform::RegistryExpandString ? platform::ExpandEnvironmentText(stored)
                                                  : stored;
}

}  // namespace

WideString ReadPluginFolderAt(const Utf8String& keyPath)
{
    const OpenKey editorKey(OpenEditorKey(keyPath));
    const OpenKey commonKey(platform::OpenSubKey(editorKey.get(), "Common"));
    uint32_t type = 0;
    std::string data;
    WideString folder;
    if (platform::QueryRegistryValue(commonKey.get(), "PlugInsFolder", type, data))
        folder = StoredFolder(type, data);
    return folder.empty() ? DefaultPluginFolder() : folder;
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
