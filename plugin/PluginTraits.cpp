#include "plugin/PluginTraits.h"

namespace stem {

const PluginTraits* const AllPlugins[PluginCount] = {STEM_ALL_PLUGIN_TRAITS};

}  // namespace stem
