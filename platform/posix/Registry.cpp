// The stand-in's HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE: trees of keys in memory. Key and
// value names compare ignoring letter case, as in the Windows registry. A handle (of the user's
// tree) remembers its path rather than a node, so a key deleted while open simply reads as empty.
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/posix/RegistryTree.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

struct IgnoreCaseLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        const size_t common = std::min(a.size(), b.size());
        for (size_t i = 0; i < common; ++i) {
            const char x = UpperAscii(a[i]);
            const char y = UpperAscii(b[i]);
            if (x != y)
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        }
        return a.size() < b.size();
    }
};

struct Value {
    uint32_t type = 0;
    std::string data;
};

struct Node {
    std::map<std::string, std::unique_ptr<Node>, IgnoreCaseLess> children;
    std::map<std::string, Value, IgnoreCaseLess> values;
    bool readOnly = false;
};

using KeyPath = std::vector<std::string>;

struct KeyHandle {
    KeyPath path;
};

Node userRoot;
Node machineRoot;

Node& RootOf(standin::registry::Root root)
{
    return root == standin::registry::Root::LocalMachine ? machineRoot : userRoot;
}

// "a\b\" -> {"a", "b"}: a trailing or doubled backslash changes nothing. A leading backslash
// is refused, as RegCreateKeyExA refuses it.
bool SplitKeyPath(const Utf8String& text, KeyPath& path)
{
    if (!text.empty() && text[0] == '\\')
        return false;
    std::string part;
    for (const char c : text) {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            path.push_back(part);
            part.clear();
        }
    }
    if (!part.empty())
        path.push_back(part);
    return true;
}

Node* FindNode(const KeyPath& path, Node& root)
{
    Node* node = &root;
    for (const std::string& name : path) {
        const auto found = node->children.find(name);
        if (found == node->children.end())
            return nullptr;
        node = found->second.get();
    }
    return node;
}

Node* CreateNode(const KeyPath& path, Node& root)
{
    Node* node = &root;
    for (const std::string& name : path) {
        std::unique_ptr<Node>& child = node->children[name];
        if (!child)
            child = std::make_unique<Node>();
        node = child.get();
    }
    return node;
}

}  // namespace

namespace standin {

void ClearRegistry()
{
    userRoot = Node();
    machineRoot = Node();
}

namespace registry {

bool WriteValue(Root root, const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                const std::string& data)
{
    KeyPath path;
    if (!SplitKeyPath(keyPath, path))
        return false;
    CreateNode(path, RootOf(root))->values[name] = Value{type, data};
    return true;
}

bool SetReadOnly(Root root, const Utf8String& keyPath, bool readOnly)
{
    KeyPath path;
    Node* node = SplitKeyPath(keyPath, path) ? FindNode(path, RootOf(root)) : nullptr;
    if (node == nullptr)
        return false;
    node->readOnly = readOnly;
    return true;
}

bool DeleteValue(Root root, const Utf8String& keyPath, const Utf8String& name)
{
    KeyPath path;
    if (!SplitKeyPath(keyPath, path))
        return false;
    if (Node* node = FindNode(path, RootOf(root)))
        node->values.erase(name);
    return true;
}

bool DeleteTree(Root root, const Utf8String& keyPath)
{
    KeyPath path;
    if (!SplitKeyPath(keyPath, path) || path.empty())
        return false;
    const std::string last = path.back();
    path.pop_back();
    if (Node* parent = FindNode(path, RootOf(root)))
        parent->children.erase(last);
    return true;
}

}  // namespace registry
}  // namespace standin

namespace platform {

RegistryKey OpenOrCreateUserKey(const Utf8String& path)
{
    if (standin::Failing(standin::Fault::RegistryOpen))
        return nullptr;
    auto handle = std::make_unique<KeyHandle>();
    if (!SplitKeyPath(path, handle->path))
        return nullptr;
    if (CreateNode(handle->path, userRoot)->readOnly)
        return nullptr;
    return handle.release();
}

RegistryKey OpenUserKeyForReading(const Utf8String& path)
{
    if (standin::Failing(standin::Fault::RegistryOpen))
        return nullptr;
    auto handle = std::make_unique<KeyHandle>();
    if (!SplitKeyPath(path, handle->path) || FindNode(handle->path, userRoot) == nullptr)
        return nullptr;
    return handle.release();
}

RegistryKey OpenSubKey(RegistryKey key, const Utf8String& name)
{
    if (key == nullptr || standin::Failing(standin::Fault::RegistryOpen))
        return nullptr;
    auto handle = std::make_unique<KeyHandle>(*static_cast<KeyHandle*>(key));
    if (!SplitKeyPath(name, handle->path) || FindNode(handle->path, userRoot) == nullptr)
        return nullptr;
    return handle.release();
}

bool QueryRegistryValue(RegistryKey key, const Utf8String& name, uint32_t& type, std::string& data)
{
    if (key == nullptr || standin::Failing(standin::Fault::RegistryQuery))
        return false;
    const Node* node = FindNode(static_cast<KeyHandle*>(key)->path, userRoot);
    if (node == nullptr)
        return false;
    const auto found = node->values.find(name);
    if (found == node->values.end())
        return false;
    type = found->second.type;
    data = found->second.data;
    return true;
}

void CloseRegistryKey(RegistryKey key)
{
    delete static_cast<KeyHandle*>(key);
}

// Values in the order of their names; Windows keeps no order it promises either.
std::vector<RegistryValue> ReadMachineKeyValues(const Utf8String& path)
{
    std::vector<RegistryValue> values;
    KeyPath keyPath;
    if (standin::Failing(standin::Fault::RegistryOpen) || !SplitKeyPath(path, keyPath))
        return values;
    const Node* node = FindNode(keyPath, machineRoot);
    if (node == nullptr || standin::Failing(standin::Fault::RegistryQuery))
        return values;
    for (const auto& [name, value] : node->values)
        values.push_back({name, value.type, value.data});
    return values;
}

}  // namespace platform

}  // namespace stem
