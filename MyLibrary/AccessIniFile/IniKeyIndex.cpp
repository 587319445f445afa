#include "MyLibrary/AccessIniFile/IniKeyIndex.h"

#include "MyLibrary/AccessIniFile/IniDialect.h"

namespace stem {

namespace {

bool IsPlainName(const Utf8String& name)
{
    if (name.empty())
        return false;
    for (unsigned char c : name) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter && !(c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

std::string AsciiLower(const Utf8String& name)
{
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

void TIniKeyIndex::Add(const Utf8String& name)
{
    const int index = static_cast<int>(names_.size());
    names_.push_back(name);
    if (IsPlainName(name))
        plainFirst_.emplace(AsciiLower(name), index);  // keeps the first of equal names
    else
        others_.push_back(index);
}

int TIniKeyIndex::FirstEqual(const Utf8String& name) const
{
    int best = -1;
    if (IsPlainName(name)) {
        const auto found = plainFirst_.find(AsciiLower(name));
        if (found != plainFirst_.end())
            best = found->second;
    } else {
        // A name with other characters may still equal a plain one under the locale rules.
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (NamesEqual(names_[i], name))
                return static_cast<int>(i);
        return -1;
    }
    for (int index : others_) {
        if (best >= 0 && index > best)
            break;
        if (NamesEqual(names_[index], name))
            return index;
    }
    return best;
}

}  // namespace stem
