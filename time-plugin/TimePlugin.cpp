#include <iterator>

#include "plugin/PluginTraits.h"

namespace stem {

namespace {
// Stored between double quotes so that the leading space survives the trimming of a read.
const char* const TimeDefaults[] = {
    "\" hh:nn\"",        "\" hh:nn:ss\"", "\" hh:nn am/pm\"", "\" hh時nn分\"",
    "\" AMPMhh時nn分\"", "\" hhnnss\"",   "\" hh-nn-ss\"",
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
