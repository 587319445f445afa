// The running Windows system named in one line of held text: "Windows", the release, the
// edition and the service pack. The settings location searches this name for the releases
// that keep per-user data out of Program Files.
#pragma once

#include <cstdint>

#include "base/Types.h"
#include "platform/Platform.h"

namespace stem {

// What the name builder asks of the system, in the order it needs it. Each question is asked
// only on the rows that read its answer.
class TVersionQueries {
public:
    virtual ~TVersionQueries() = default;
    virtual bool BasicVersion(platform::VersionRecord& record) = 0;     // false: no name at all
    virtual void ExtendedVersion(platform::VersionRecord& record) = 0;  // untouched if missing
    virtual void NativeArchitecture(uint16_t& architecture) = 0;        // untouched if missing
    virtual uint32_t ProductType(uint32_t major, uint32_t minor) = 0;   // 0 if missing
    virtual bool ServerR2() = 0;
};

// The name built by asking the queries. Empty when the basic version query fails.
//
// A missing by-name query leaves its fields as a zeroed record has them: product type 0 and
// suite mask 0 (so the "other product type" rows apply, and the generic step says "Server"),
// architecture 0 (no architecture suffix, not x64), product number 0 (no 6.x edition).
Utf8String BuildWindowsVersionName(TVersionQueries& queries);
// The name of any system described by its facts (platform/VersionFacts.h).
Utf8String BuildWindowsVersionName(const platform::VersionFacts& facts);

// The name of the running system, asked afresh at each call.
Utf8String GetWindowsVersionName();

}  // namespace stem
