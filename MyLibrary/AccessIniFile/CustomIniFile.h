// The abstract INI file interface: named sections of key=value lines. Names are held text (UTF-8)
// and compare ignoring letter case. Reads return copies; writes change the object's copy of the
// file, which reaches the disk only through SaveIfChanged.
#pragma once

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "base/Types.h"

namespace stem {

enum class TSaveOutcome {
    Unchanged,  // nothing to write
    Saved,
    LeftAlone,  // changed, but the file is read-only or could not be read faithfully
};

class TCustomIniFile {
public:
    virtual ~TCustomIniFile() = default;

    // The key's value in the section, or defaultValue when there is none.
    virtual Utf8String ReadValue(const Utf8String& section, const Utf8String& key,
                                 const Utf8String& defaultValue) = 0;
    virtual void WriteValue(const Utf8String& section, const Utf8String& key,
                            const Utf8String& value) = 0;
    // The keys of the section's key lines, in file order (repeated keys repeated).
    virtual void ReadSectionKeys(const Utf8String& section, TStringLines& keys) = 0;
    virtual void ReadSectionNames(TStringLines& names) = 0;
    // One "key=value" per key line of the section, in file order.
    virtual void ReadSectionPairs(const Utf8String& section, TStringLines& pairs) = 0;
    virtual void EraseSection(const Utf8String& section) = 0;
    virtual void DeleteKey(const Utf8String& section, const Utf8String& key) = 0;
    // Writes the file when its text changed, unless the file is one to leave alone (see
    // TSaveOutcome); raises FileError when the write fails.
    virtual TSaveOutcome SaveIfChanged() = 0;

    // The section has at least one key line.
    bool HasSection(const Utf8String& section);

protected:
    // What HasSection answers: whether ReadSectionKeys of the section lists any key. A class
    // that can tell without listing them all says so here.
    virtual bool SectionHasKey(const Utf8String& section);
};

}  // namespace stem
