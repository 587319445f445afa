#include "MyLibrary/DateTimeUnit/SystemEras.h"

#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "platform/Platform.h"

namespace stem {

namespace {

constexpr int EraFieldCount = 4;

// The fields of "<name>_<initial>_<English name>_<English initial>".
std::vector<WideString> EraFields(const WideString& text)
{
    std::vector<WideString> fields(1);
    for (const WideChar c : text) {
        if (c == u'_')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool IsAsciiLetter(WideChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// A value that is not a well-formed entry gives nothing.
bool ParseSystemEra(const platform::RegistryValue& value, SystemEra& era)
{
    WideString text;
    if (!RegistryStringText(value.type, value.data, text))
        return false;
    const std::vector<WideString> fields = EraFields(text);
    if (fields.size() != EraFieldCount)
        return false;
    const WideString& initial = fields[1];
    const WideString& englishInitial = fields[3];
    if (initial.empty() || englishInitial.size() != 1 || !IsAsciiLetter(englishInitial[0]))
        return false;
    era.initial = initial;
    era.letter = static_cast<char>(englishInitial[0] | 0x20);  // ASCII lower case
    return true;
}

}  // namespace

std::vector<SystemEra> ReadSystemEras()
{
    std::vector<SystemEra> eras;
    for (const platform::RegistryValue& value : platform::ReadMachineKeyValues(SystemErasKey)) {
        SystemEra era;
        if (ParseSystemEra(value, era))
            eras.push_back(era);
    }
    return eras;
}

const std::vector<SystemEra>& SystemEras()
{
    static const std::vector<SystemEra> eras = ReadSystemEras();
    return eras;
}

WideString EraLetterFor(const WideString& initial, const std::vector<SystemEra>& systemEras)
{
    WideString letter = EraLetterOf(initial);
    if (!letter.empty() || initial.empty())
        return letter;
    for (const SystemEra& era : systemEras)
        if (era.initial == initial)
            return WideString(1, static_cast<char16_t>(era.letter));
    return letter;
}

}  // namespace stem
