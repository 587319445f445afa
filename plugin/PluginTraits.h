// What tells the two plug-ins apart: name, settings section, default patterns, and the entries
// that are not patterns (the date plug-in's calendars).
#pragma once

#include "ProductVersion.h"
#include "base/Types.h"

namespace stem {

struct PluginTraits {
    const char* name;            // PluginName: "Stemra" or "Stemko"
    const char* patternSection;  // "DateFormat" or "TimeFormat"
    // The default patterns as they are written, ANSI bytes (Japanese characters in Shift-JIS):
    // the value of "Item01", "Item02", ... in order.
    const char* const* defaults;
    int defaultCount;
    // Produces the text of an entry that is not a pattern and returns true; false for an
    // ordinary pattern. Null when every entry is a pattern. (Kept behind a pointer so that the
    // time plug-in does not carry the calendar.)
    bool (*renderSpecialEntry)(const WideString& entry, TDateTime now, WideString& text);
};

// The sections of the two plug-ins in their shared settings file.
constexpr const char* DatePatternSection = "DateFormat";
constexpr const char* TimePatternSection = "TimeFormat";
constexpr const char* PatternSections[] = {DatePatternSection, TimePatternSection};

extern const PluginTraits DatePluginTraits;
extern const PluginTraits TimePluginTraits;

// The version string that both plug-ins report: "Version 2.0.0".
constexpr const char* PluginVersion = "Version " STEM_VERSION_TEXT;

// The settings file both plug-ins share, in the editor's plug-in folder.
constexpr const char16_t* SettingsFileName = u"StemraTime.ini";

}  // namespace stem
