#include "MyLibrary/AccessIniFile/CustomIniFile.h"

namespace stem {

bool TCustomIniFile::HasSection(const Utf8String& section)
{
    return SectionHasKey(section);
}

bool TCustomIniFile::SectionHasKey(const Utf8String& section)
{
    TStringLines keys;
    ReadSectionKeys(section, keys);
    return !keys.empty();
}

}  // namespace stem
