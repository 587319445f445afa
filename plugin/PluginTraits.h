// What tells the plug-ins apart: name, settings section, default patterns, and the entries that
// are not patterns (the date plug-in's calendars). Which plug-ins there are, with their names
// and sections, is the list plugins.json (PluginList.h, made from it).
#pragma once

#include "PluginList.h"
#include "ProductVersion.h"
#include "base/Types.h"

namespace stem {

struct PluginTraits {
    const char* name;            // PluginName, from the list: "Stemra"
    const char* kind;            // what it inserts, as stem names it: "date"
    const char* patternSection;  // its section of the shared settings file: "DateFormat"
    // The default patterns as they are written, held text (UTF-8): the value of "Item01",
    // "Item02", ... in order.
    const char* const* defaults;
    int defaultCount;
    // The entries that are not patterns, spelled exactly, and the text of each: the date
    // plug-in's calendars. The time plug-in has none, so it does not carry the calendar.
    const char16_t* const* specialEntries;
    int specialEntryCount;
    WideString (*renderSpecialEntry)(int index, TDateTime now);
};

// Every plug-in, in the list's order, for the programs that host any of them (stem, the tests).
// A DLL names only its own traits.
extern const PluginTraits* const AllPlugins[PluginCount];

// The version string that every plug-in reports: "Version " and the product's version. ASCII, so
// it reads the same in every code page.
constexpr const char* PluginVersion = "Version " STEM_VERSION_TEXT;

}  // namespace stem
