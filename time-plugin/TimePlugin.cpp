#include <iterator>

#include "plugin/PluginTraits.h"

namespace stem {

namespace {
// Stored between double quotes so that the leading space survives the trimming of a read.
// 時 0x8E 0x9E, 分 0x95 0xAA.
const char* const TimeDefaults[] = {
    "\" hh:nn\"",
    "\" hh:nn:ss\"",
    "\" hh:nn am/pm\"",
    "\" hh\x8e\x9enn\x95\xaa\"",
    "\" AMPMhh\x8e\x9enn\x95\xaa\"",
    "\" hhnnss\"",
    "\" hh-nn-ss\"",
};
}  // namespace

const PluginTraits TimePluginTraits = {
    TimePlugin.name,
    TimePlugin.word,
    TimePlugin.section,
    TimeDefaults,
    static_cast<int>(std::size(TimeDefaults)),
    nullptr,
    0,
    nullptr,
};

}  // namespace stem
