// The main unit of the Stemko DLL: its one module instance.
#include "plugin/PluginModule.h"

namespace stem {

PluginModule& ThisPlugin()
{
    static PluginModule module(TimePluginTraits);
    return module;
}

}  // namespace stem
