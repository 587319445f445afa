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

model::Patterns DefaultPatterns(const Utf8String& section)
{
    const WideString text = platform::DecodeText(platform::ShiftJisCodePage, DefaultsText(section));
    return model::Load(model::LinesOf(WideToUtf8(text)), section);
}

}  // namespace stem
