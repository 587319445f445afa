// The sections the plug-ins write into a settings file that has none of theirs: one file a
// section in tests/fixtures, written out as the bytes a press must write, which the Python
// checks read as they stand and the build hands to the C++ tests as generated/DefaultSections.h.
#pragma once

#include <string>
#include <vector>

#include "base/Types.h"
#include "tests/support/IniModel.h"

namespace stem {

// The section's defaults as bytes, header line first (Shift-JIS, CR LF); empty for a section
// the fixtures do not hold.
std::string DefaultsText(const Utf8String& section);

// The values of those lines as they stand after the "=" (quotes kept), Item01 first.
std::vector<Utf8String> DefaultValues(const Utf8String& section);

// The patterns a load of those lines gives, by the tests' own model of the dialect.
model::Patterns DefaultPatterns(const Utf8String& section);

const std::string DateDefaultsText = DefaultsText("DateFormat");
const std::string TimeDefaultsText = DefaultsText("TimeFormat");

}  // namespace stem
