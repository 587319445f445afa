// What tells the two plug-ins apart: name, settings section, default patterns, and the entries
// that are not patterns (the date plug-in's calendars).
#pragma once

#include "ProductVersion.h"
#include "base/Types.h"

namespace stem {

struct PluginTraits {
    const char* name;            // PluginName: "Stemra" or "Stemko"
    const char* kind;            // what it inserts, as stem names it: "date" or "time"
    const char* patternSection;  // "DateFormat" or "TimeFormat"
    const char* otherSection;    // the other plug-in's section of the shared settings file
    // The default patterns as they are written, ANSI bytes (Japanese characters in Shift-JIS):
    // the value of "Item01", "Item02", ... in order.
    const char* const* defaults;
    int defaultCount;
    // The entries that are not patterns, spelled exactly, and the text of each: the date
    // plug-in's calendars. The time plug-in has none, so it does not carry the calendar.
    const char16_t* const* specialEntries;
    int specialEntryCount;
    WideString (*renderSpecialEntry)(int index, TDateTime now);
};

// The sections of the two plug-ins in their shared settings file.
constexpr const char* DatePatternSection = "DateFormat";
constexpr const char* TimePatternSection = "TimeFormat";

extern const PluginTraits DatePluginTraits;
extern const PluginTraits TimePluginTraits;

// Both plug-ins, the date plug-in first, for the programs that host either (stem, the tests).
// A DLL names only its own traits.
extern const PluginTraits* const AllPlugins[2];

// The version string that both plug-ins report: "Version " and the product's version.
constexpr const char* PluginVersion = "Version " STEM_VERSION_TEXT;

// The settings file both plug-ins share, in the editor's plug-in folder.
constexpr const char16_t* SettingsFileName = u"StemraTime.ini";

}  // namespace stem
