#include <iterator>

#include "plugin/PluginTraits.h"

namespace stem {

namespace {
// Stored between double quotes so that the leading space survives the trimming of a read.
const char16_t* const TimeDefaults[] = {
    u"\" hh:nn\"",        u"\" hh:nn:ss\"", u"\" hh:nn am/pm\"", u"\" hh時nn分\"",
    u"\" AMPMhh時nn分\"", u"\" hhnnss\"",   u"\" hh-nn-ss\"",
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
