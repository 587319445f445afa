#include "tests/support/DefaultSettings.h"

#include "DefaultSections.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

std::string DefaultsText(const Utf8String& section)
{
    for (const DefaultSection& fixture : DefaultSections)
        if (section == fixture.section)
            return std::string(fixture.bytes);
    return {};
}

namespace {

model::Lines DefaultLines(const Utf8String& section)
{
    const WideString text = platform::DecodeText(platform::ShiftJisCodePage, DefaultsText(section));
    return model::LinesOf(WideToUtf8(text));
}

}  // namespace

std::vector<Utf8String> DefaultValues(const Utf8String& section)
{
    std::vector<Utf8String> values;
    for (const Utf8String& line : DefaultLines(section))
        if (line.find('=') != Utf8String::npos)
            values.push_back(line.substr(line.find('=') + 1));
    return values;
}

model::Patterns DefaultPatterns(const Utf8String& section)
{
    return model::Load(DefaultLines(section), section);
}

}  // namespace stem
