#include "MyLibrary/AccessIniFile/CustomIniFile.h"

#include "MyLibrary/AccessIniFile/IniDialect.h"

namespace stem {

bool TCustomIniFile::HasKey(const AnsiString& section, const AnsiString& key)
{
    TStringLines keys;
    ReadSectionKeys(section, keys);
    for (const AnsiString& name : keys)
        if (NamesEqual(key, name))
            return true;
    return false;
}

bool TCustomIniFile::HasSection(const AnsiString& section)
{
    TStringLines keys;
    ReadSectionKeys(section, keys);
    return !keys.empty();
}

}  // namespace stem
