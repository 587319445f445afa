// What a plug-in makes of the lines of its settings file, written apart from the plug-ins' own
// code so that tests can hold that code to it: which lines open and end a section, which keys
// a load finds and with what value, and where the defaults go when the section has no key.
// The lines are held text (UTF-8); trimming and comparing go by their characters.
#pragma once

#include <utility>
#include <vector>

#include "base/Types.h"

namespace stem::model {

using Lines = std::vector<Utf8String>;
using Patterns = std::vector<WideString>;

// The lines of a text whose every line ends with CR LF.
Lines LinesOf(const std::string& text);

// The patterns a load of the section gives: Item01, Item02, ... up to the first missing
// number, then one empty entry.
Patterns Load(const Lines& lines, const Utf8String& section);

// Where the defaults went.
enum class Placed { NotNeeded, InSection, OutsideSection, InOtherSection };

// Adds the default lines (key lines, without their header) to the section when it has no key
// line, as the plug-in would: in one block after the section's last key line or its header,
// or with a new header at the end of the file. The other section is the other plug-in's.
Placed PlaceDefaults(Lines& lines, const Utf8String& section, const Lines& defaults,
                     const Utf8String& otherSection);

}  // namespace stem::model
