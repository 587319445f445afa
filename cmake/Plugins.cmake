# Reads plugins.json, the one list of the plug-ins, for the build: STEM_PLUGINS holds each
# plug-in's DLL name, STEM_PLUGIN_<name>_FOLDER and _TRAITS its folder and traits prefix; and
# writes generated/PluginList.h, what the C++ code knows of the list,
# generated/PluginResources.h, the texts a host finds in each DLL's resources, and each DLL's
# own units into STEM_DLL_UNITS: its main unit <name>.cpp, its exports <name>.def and its
# resources <name>.rc, from the templates cmake/PluginMain.cpp.in, Plugin.def.in, Plugin.rc.in.
set(list_file ${CMAKE_SOURCE_DIR}/plugins.json)
set(list_reader ${CMAKE_SOURCE_DIR}/tools/plugins.py)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file} ${list_reader})
file(READ ${list_file} list_text)
# The texts as a resource script spells them, a line per plug-in: CMake reads no code points.
execute_process(COMMAND ${Python3_EXECUTABLE} ${list_reader} OUTPUT_VARIABLE escaped_texts
  COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" escaped_texts "${escaped_texts}")
set(STEM_DLL_UNITS ${CMAKE_BINARY_DIR}/dll-units)
string(JSON settings_file GET "${list_text}" settingsFile)
string(JSON count LENGTH "${list_text}" plugins)
math(EXPR last "${count} - 1")

set(STEM_PLUGINS)
set(identities)
set(declarations)
set(traits_list)
set(words)
set(resources)
set(identity_list)
set(resource_list)
foreach(i RANGE ${last})
  foreach(field name word folder traits section menuText statusMessage)
    string(JSON ${field} GET "${list_text}" plugins ${i} ${field})
  endforeach()
  string(REPLACE "\n" "\\n" statusMessage "${statusMessage}")
  string(APPEND resources "inline constexpr PluginResources ${traits}PluginResources = "
    "{\"${name}.dll\", \"${name}\", L\"${menuText}\", L\"${statusMessage}\"};\n")
  list(APPEND resource_list "${traits}PluginResources")
  list(APPEND STEM_PLUGINS ${name})
  set(STEM_PLUGIN_${name}_FOLDER ${folder})
  set(STEM_PLUGIN_${name}_TRAITS ${traits})
  string(APPEND identities "inline constexpr PluginIdentity ${traits}Plugin = {\"${name}\", \"${word}\", \"${section}\"};\n")
  string(APPEND declarations "extern const PluginTraits ${traits}PluginTraits;\n")
  list(APPEND identity_list "${traits}Plugin")
  list(APPEND traits_list "&${traits}PluginTraits")
  list(APPEND words ${word})
  list(GET escaped_texts ${i} escaped)
  string(REPLACE " " ";" escaped "${escaped}")
  list(GET escaped 0 menu_text)
  list(GET escaped 1 status_message)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/PluginMain.cpp.in ${STEM_DLL_UNITS}/${name}.cpp @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/Plugin.def.in ${STEM_DLL_UNITS}/${name}.def @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/Plugin.rc.in ${STEM_DLL_UNITS}/${name}.rc @ONLY)
endforeach()
list(JOIN traits_list ", " traits_list)
list(JOIN words "|" words)
list(JOIN identity_list ", " identity_list)
list(JOIN resource_list ", " resource_list)

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/PluginList.h CONTENT [[
// Made by CMake (cmake/Plugins.cmake) from plugins.json, the one list of the plug-ins.
#pragma once

// The words stem names the plug-ins by, as its usage writes them.
#define STEM_PLUGIN_WORDS "@words@"

namespace stem {

// What the list says of a plug-in: its DLL's name, the word stem names it by, and its section of
// the shared settings file.
struct PluginIdentity {
    const char* name;
    const char* word;
    const char* section;
};

@identities@
// Every plug-in, in the list's order.
inline constexpr int PluginCount = @count@;
inline constexpr PluginIdentity PluginList[PluginCount] = {@identity_list@};

// The settings file all of them share, in the editor's plug-in folder.
inline constexpr const char16_t* SettingsFileName = u"@settings_file@";

struct PluginTraits;
@declarations@
// The traits of every plug-in, in the list's order, for the programs that host any of them.
#define STEM_ALL_PLUGIN_TRAITS @traits_list@

}  // namespace stem
]] @ONLY)

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/PluginResources.h CONTENT [[
// Made by CMake (cmake/Plugins.cmake) from plugins.json: what a host of the DLLs finds in each
// one's resources (string table entries 1 and 2).
#pragma once

namespace stem {

struct PluginResources {
    const char* file;
    const char* name;
    const wchar_t* menuText;
    const wchar_t* statusMessage;
};

@resources@
// Every DLL, in the list's order.
inline constexpr PluginResources PluginResourceList[] = {@resource_list@};

}  // namespace stem
]] @ONLY)
