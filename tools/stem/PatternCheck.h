// What a pattern renders otherwise than its writer most likely meant, found from where the
// pattern walk sees its tokens, escapes and quotes: each finding names its rule and the fix.
#pragma once

#include <vector>

#include "base/Types.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

struct PatternFinding {
    const SettingsRule* rule;
    Utf8String text;  // one sentence
};

// The findings for the pattern of the key, at most one for each rule.
std::vector<PatternFinding> CheckPattern(const Utf8String& key, const WideString& pattern);

}  // namespace stem
