#include <iterator>

#include "plugin/PluginTraits.h"

namespace {
// Stored between double quotes so that the leading space survives the trimming of a read.
// 時 0x8E 0x9E, 分 0x95 0xAA.
const DefaultPattern TimeDefaults[] = {
    {"Item01", "\" hh:nn\""},
    {"Item02", "\" hh:nn:ss\""},
    {"Item03", "\" hh:nn am/pm\""},
    {"Item04", "\" hh\x8e\x9enn\x95\xaa\""},
    {"Item05", "\" AMPMhh\x8e\x9enn\x95\xaa\""},
    {"Item06", "\" hhnnss\""},
    {"Item07", "\" hh-nn-ss\""},
};
}  // namespace

const PluginTraits TimePluginTraits = {
    "Stemko", TimePatternSection, TimeDefaults, static_cast<int>(std::size(TimeDefaults)), nullptr};
