// The INI dialect of the settings file, modelled on lines apart from the settings file class and
// the plug-ins' code so that tests can hold that code to it: which lines open and end a section,
// which keys a read finds and with what value, what writes, key deletions and section erasures
// make of the lines, and where a plug-in's defaults go when its section has no key.
// The lines are held text (UTF-8) without line breaks; trimming and comparing go by their
// characters.
#pragma once

#include <utility>
#include <vector>

#include "base/Types.h"

namespace stem::model {

using Lines = std::vector<Utf8String>;
using Patterns = std::vector<WideString>;
// A key as its line spells it (blanks trimmed), and the value a read of the key gives.
using Pair = std::pair<Utf8String, Utf8String>;

// The text without the blanks (every code up to U+0020), or with spaceOnly without the spaces,
// at its start and, with right, at its end: trimmed by its characters.
Utf8String TrimCharacters(const Utf8String& text, bool spaceOnly, bool right);

// The lines of a text whose every line ends with CR LF.
Lines LinesOf(const std::string& text);

// The names in brackets of the lines that have one, comments too (a comment can open a section),
// in file order, blanks trimmed; a section line of no name ends the list.
std::vector<Utf8String> SectionNames(const Lines& lines);

// The section's key lines, in file order, each with the value of the section's first line of
// its key: blanks trimmed, then one pair of double quotes removed.
std::vector<Pair> Pairs(const Lines& lines, const Utf8String& section);

// The patterns a load of the section gives: Item01, Item02, ... up to the first missing
// number, then one empty entry.
Patterns Load(const Lines& lines, const Utf8String& section);

// Stores the value as given: in the first line of the key in the section, after its "=", or in
// a new line after the section's last key line (or its header), or with a new header at the end
// of the file.
void Write(Lines& lines, const Utf8String& section, const Utf8String& key, const Utf8String& value);

// Removes every line of the key in the section.
void DeleteKey(Lines& lines, const Utf8String& section, const Utf8String& key);

// Removes the section from its header down to its last line that is neither blank nor a
// comment.
void EraseSection(Lines& lines, const Utf8String& section);

// Where a plug-in's defaults went.
enum class Placed { NotNeeded, InSection, OutsideSection, InOtherSection };

// Writes the defaults (the values of Item01, Item02, ...) when the section has no key line, as
// the plug-in would, and tells where they went. The other sections are the other plug-ins'.
Placed PlaceDefaults(Lines& lines, const Utf8String& section,
                     const std::vector<Utf8String>& defaults,
                     const std::vector<Utf8String>& otherSections);

}  // namespace stem::model
