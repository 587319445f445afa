#include "plugin/PluginTraits.h"

namespace stem {

const PluginTraits* const AllPlugins[2] = {&DatePluginTraits, &TimePluginTraits};

}  // namespace stem
