#include "MyLibrary/AccessIniFile/AccessIniFile.h"

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniKeyIndex.h"
#include "platform/Platform.h"

namespace stem {

namespace {

Utf8String UpToNul(const Utf8String& text)
{
    return text.substr(0, text.find('\0'));
}

bool IsBlank(const Utf8String& line)
{
    return BlankTrim(line).empty();
}

// The "key=value" entry of a key line, or nothing for other lines and empty keys.
bool PairOfLine(const Utf8String& line, Utf8String& pair)
{
    const Utf8String key = LineKey(line);
    if (key.empty())
        return false;
    pair = key + "=" + LineValue(line);
    return true;
}

// Gives every entry the value of the first entry with an equal key.
void ResolveFirstValues(TStringLines& pairs)
{
    TIniKeyIndex index;
    for (const Utf8String& pair : pairs)
        index.Add(KeyPartOf(pair));
    const TStringLines original = pairs;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const Utf8String key = KeyPartOf(original[i]);
        pairs[i] = key + "=" + ValuePartOf(original[index.FirstEqual(key)]);
    }
}

TStringLines KeysOfPairs(const TStringLines& pairs)
{
    TStringLines keys;
    keys.reserve(pairs.size());
    for (const Utf8String& pair : pairs)
        keys.push_back(KeyPartOf(pair));
    return keys;
}

}  // namespace

// ---- TAccessIniFile ----

TAccessIniFile::TAccessIniFile(const WideString& fileName)
    : TAccessIniFile(fileName, LoadIniFile(fileName))
{
}

TAccessIniFile::TAccessIniFile(const WideString& fileName, TIniFileContent content)
    : fileName_(fileName),
      lines_(std::move(content.lines)),
      encoding_(content.encoding),
      faithful_(content.faithful)
{
}

Utf8String TAccessIniFile::ReadValue(const Utf8String& section, const Utf8String& key,
                                     const Utf8String& defaultValue)
{
    return WalkSection(section, key, defaultValue, nullptr, OpRead);
}

void TAccessIniFile::WriteValue(const Utf8String& section, const Utf8String& key,
                                const Utf8String& value)
{
    WalkSection(UpToNul(section), UpToNul(key), UpToNul(value), nullptr, OpWrite);
}

void TAccessIniFile::ReadSectionKeys(const Utf8String& section, TStringLines& keys)
{
    ReadSectionPairs(section, keys);
    keys = KeysOfPairs(keys);
}

void TAccessIniFile::ReadSectionNames(TStringLines& names)
{
    names.clear();
    for (const Utf8String& line : lines_) {
        const Utf8String name = BlankTrim(SectionNameOf(line));
        if (!name.empty())
            names.push_back(name);
        else if (IsSectionLine(line))
            break;  // "[]" and brackets around blanks end the list
    }
}

void TAccessIniFile::ReadSectionPairs(const Utf8String& section, TStringLines& pairs)
{
    ReadSectionLines(section, pairs);
    ResolveFirstValues(pairs);
}

void TAccessIniFile::ReadSectionLines(const Utf8String& section, TStringLines& pairs)
{
    pairs.clear();
    WalkSection(section, Utf8String(), Utf8String(), &pairs, OpSectionPairs);
}

void TAccessIniFile::EraseSection(const Utf8String& section)
{
    WalkSection(section, Utf8String(), Utf8String(), nullptr, OpEraseSection);
}

void TAccessIniFile::DeleteKey(const Utf8String& section, const Utf8String& key)
{
    WalkSection(section, key, Utf8String(), nullptr, OpDeleteKey);
}

// The lines ReadSectionPairs lists: the key lines of the section, its header included, whose
// key is not blank.
bool TAccessIniFile::SectionHasKey(const Utf8String& section)
{
    const Utf8String wantedName = SpaceTrim(section);
    if (wantedName.empty())
        return false;
    const TIniSpan span = FindIniSection(lines_, wantedName);
    for (int i = span.header; span.Found() && i < span.end; ++i)
        if (!LineKey(lines_[i]).empty())
            return true;
    return false;
}

bool TAccessIniFile::MayWrite() const
{
    return faithful_ && !platform::IsReadOnlyFile(fileName_);
}

TSaveOutcome TAccessIniFile::SaveIfChanged()
{
    if (!savedLines_ || *savedLines_ == lines_)
        return TSaveOutcome::Unchanged;
    if (!MayWrite())
        return TSaveOutcome::LeftAlone;
    SaveIniFile(fileName_, EncodeIniText(lines_, encoding_));
    savedLines_.reset();  // a second call has nothing new to write
    return TSaveOutcome::Saved;
}

Utf8String TAccessIniFile::WalkSection(const Utf8String& section, const Utf8String& key,
                                       const Utf8String& value, TStringLines* output,
                                       TIniOperation operation)
{
    const Utf8String wantedName = SpaceTrim(section);
    const Utf8String wantedKey = SpaceTrim(key);
    const bool byKey = operation == OpRead || operation == OpWrite || operation == OpDeleteKey;
    if (wantedName.empty() || (byKey && wantedKey.empty()))
        return value;
    if (output == nullptr && operation == OpSectionPairs)
        return value;
    const bool changes =
        operation == OpWrite || operation == OpDeleteKey || operation == OpEraseSection;
    if (changes && !savedLines_)
        savedLines_ = lines_;

    TIniSpan span = FindIniSection(lines_, wantedName);
    if (!span.Found()) {
        if (operation == OpWrite) {  // no such section: it goes at the end of the file
            lines_.insert(lines_.end(), {"[" + wantedName + "]", wantedKey + "=" + value});
            Resplit();
        }
        return value;
    }
    switch (operation) {
    case OpRead: {
        const int line = FindIniKey(lines_, span, wantedKey);
        return line < 0 ? value : LineValue(lines_[line]);
    }
    case OpWrite: {
        const int line = FindIniKey(lines_, span, wantedKey);
        if (line >= 0)  // the key keeps its stored spelling and spacing; the value goes in verbatim
            lines_[line] = KeyPartOf(lines_[line]) + "=" + value;
        else
            InsertKeyLine(span.end, wantedKey + "=" + value);
        Resplit();
        break;
    }
    case OpDeleteKey:  // every line of the key in the section
        for (int line = FindIniKey(lines_, span, wantedKey); line >= 0;
             line = FindIniKey(lines_, span, wantedKey, line)) {
            lines_.erase(lines_.begin() + line);
            --span.end;
        }
        break;
    case OpEraseSection: EraseLines(span.header, span.end); break;
    case OpSectionPairs: {
        Utf8String pair;
        for (int i = span.header; i < span.end; ++i)
            if (PairOfLine(lines_[i], pair))
                output->push_back(pair);
        break;
    }
    }
    return value;
}

// A new key line goes after the section's last key (or its header), ahead of the blank lines
// and comments that lead to the next section. In the file's last section, a final blank line
// stays above it.
void TAccessIniFile::InsertKeyLine(int end, const Utf8String& line)
{
    const bool lastSection = end == static_cast<int>(lines_.size());
    int at = end;
    if (!(lastSection && end > 0 && IsBlank(lines_[end - 1]))) {
        while (at > 0 && !IsSectionOrKeyLine(lines_[at - 1]))
            --at;
    }
    lines_.insert(lines_.begin() + at, line);
}

// Deletes the section from its header down to its last line that is neither blank nor a
// comment; the blank lines and comments below that line stay.
void TAccessIniFile::EraseLines(int header, int end)
{
    int last = end - 1;
    while (last >= header && (IsBlank(lines_[last]) || IsCommentLine(BlankTrim(lines_[last]))))
        --last;
    if (last >= header)
        lines_.erase(lines_.begin() + header, lines_.begin() + last + 1);
}

// Turns any CR or LF inside a line into a line break.
void TAccessIniFile::Resplit()
{
    lines_ = SplitIniText(JoinIniLines(lines_));
}

}  // namespace stem
