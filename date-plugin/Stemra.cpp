// The main unit of the Stemra DLL: its one module instance.
#include "plugin/PluginModule.h"

namespace stem {

PluginModule& ThisPlugin()
{
    static PluginModule module(DatePluginTraits);
    return module;
}

}  // namespace stem
