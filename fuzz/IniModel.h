// What a settings file holds after writes, key deletions and section erasures made with plain
// names (ASCII, no blanks, brackets, "=" or ";") and values without brackets, written from no
// file: sections in the order they were made, keys in the order they were added, each with the
// spelling it was first written with. Names compare ignoring ASCII letter case.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace stem {

class TIniModel {
public:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> pairs;  // key, value as written
    };

    void Write(const std::string& section, const std::string& key, const std::string& value)
    {
        Section* found = Find(section);
        if (found == nullptr) {
            sections_.push_back({section, {{key, value}}});
            return;
        }
        for (auto& pair : found->pairs) {
            if (SameName(pair.first, key)) {
                pair.second = value;
                return;
            }
        }
        found->pairs.emplace_back(key, value);
    }

    // The section stays, with its header, when its last key goes.
    void DeleteKey(const std::string& section, const std::string& key)
    {
        if (Section* found = Find(section)) {
            auto& pairs = found->pairs;
            for (auto it = pairs.begin(); it != pairs.end();)
                it = SameName(it->first, key) ? pairs.erase(it) : it + 1;
        }
    }

    void Erase(const std::string& section)
    {
        for (auto it = sections_.begin(); it != sections_.end(); ++it) {
            if (SameName(it->name, section)) {
                sections_.erase(it);
                return;
            }
        }
    }

    const std::vector<Section>& Sections() const { return sections_; }

    // A value as it reads back: blanks trimmed, then one pair of double quotes removed.
    static std::string ReadForm(const std::string& value)
    {
        std::size_t first = 0;
        std::size_t last = value.size();
        while (first < last && static_cast<unsigned char>(value[first]) <= 0x20)
            ++first;
        while (last > first && static_cast<unsigned char>(value[last - 1]) <= 0x20)
            --last;
        std::string text = value.substr(first, last - first);
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
            text = text.substr(1, text.size() - 2);
        return text;
    }

    static bool SameName(const std::string& a, const std::string& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (Lower(a[i]) != Lower(b[i]))
                return false;
        return true;
    }

private:
    static char Lower(char c)
    {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }

    Section* Find(const std::string& section)
    {
        for (Section& candidate : sections_)
            if (SameName(candidate.name, section))
                return &candidate;
        return nullptr;
    }

    std::vector<Section> sections_;
};

}  // namespace stem
