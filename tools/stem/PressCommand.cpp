// stem press: the plug-in's command pressed in the simulated editor, with the settings file
// in a real folder that a person can open and edit.
#include <string>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

// The words of the plug-ins as a sentence names them: "'date' or 'time'".
std::string PluginWordsNamed()
{
    std::string named;
    for (int i = 0; i < PluginCount; ++i) {
        const char* joint = i == 0 ? "" : (i + 1 < PluginCount ? ", " : " or ");
        named += joint + ("'" + std::string(PluginList[i].word) + "'");
    }
    return named;
}

struct PressOptions {
    const PluginTraits* traits = nullptr;
    int times = 1;
    std::string folder;  // empty: "PlugIns" beside this program
    TDateTime moment = 0;
    bool fixedMoment = false;
};

// Takes --times and --folder out of the words; the rest goes through the shared parser.
PressOptions ParsePressOptions(const std::vector<std::string>& words)
{
    PressOptions options;
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool takesValue = word == "--times" || word == "--folder";
        if (!takesValue) {
            rest.push_back(word);
            continue;
        }
        if (i + 1 >= words.size())
            throw UsageError(word + " needs a value");
        const std::string& value = words[++i];
        if (word == "--folder") {
            options.folder = value;
            continue;
        }
        if (value.empty() || value.size() > 4 ||
            value.find_first_not_of("0123456789") != std::string::npos || std::stoi(value) < 1)
            throw UsageError("--times needs a number from 1 to 9999, not '" + Printable(value) +
                             "'");
        options.times = std::stoi(value);
    }
    const CommandArguments arguments = SplitArguments(rest);
    RequirePositionals(arguments, {STEM_PLUGIN_WORDS});
    const std::string& which = arguments.positionals[0];
    for (const PluginTraits* traits : AllPlugins)
        if (which == traits->kind)
            options.traits = traits;
    if (options.traits == nullptr)
        throw UsageError("the plug-in is " + PluginWordsNamed() + ", not '" + Printable(which) +
                         "'");
    if (arguments.at) {
        options.moment = ParseMoment(*arguments.at);
        options.fixedMoment = true;
    }
    return options;
}

// The folder named by --folder; else the editor's own plug-in folder. Never the folder of stem
// itself, which is most often the unpacked archive: a press there would write a settings file
// that no editor reads.
PluginFolderFound PluginFolderFor(const std::string& folder)
{
    if (!folder.empty())
        return {WindowsPathOf(folder, "DIR"), false, ""};
    const PluginFolderFound found = FolderWhenNoneIsNamed();
    if (!found.namedByEditor)
        throw UsageError("--folder DIR is missing: the editor names no plug-in folder in the "
                         "registry, and stem press writes no settings file beside itself");
    return found;
}

// What the press inserted, counted as stem check counts: the patterns, then the press after the
// last of them, which inserts nothing.
std::string PressedEntry(int32_t index, int32_t entries, const WideString& entry)
{
    const int32_t patterns = entries - 1;  // the last entry, empty, ends the cycle
    if (patterns == 0)
        return "no patterns (no Item01), so nothing is inserted";
    if (index == patterns)
        return "after the " + std::to_string(patterns) +
               " patterns, nothing is inserted; the next press starts again at Item01";
    return ItemKey(index + 1) + " \"" + WideToUtf8(entry) + "\", pattern " +
           std::to_string(index + 1) + " of " + std::to_string(patterns);
}

// The document's lines, as the editor breaks them, each prefixed with "| ".
std::string ShowDocument(const WideString& text)
{
    std::string shown;
    for (const WideString& line : SplitLines(text, LineBreaks::LfOnly))
        shown += "| " + WideToUtf8(line) + "\n";
    return shown;
}

// A message naming the settings file or its folder, with both named as the user names them
// (natively not by the stand-in's drive letter).
std::string Shown(const Utf8String& text, const WideString& settingsPath)
{
    std::string shown = text;
    for (const WideString& path : {settingsPath, ExtractFolder(settingsPath)}) {
        const std::string named = WideToUtf8(path);
        const std::string given = platform::PathForCommandLine(path);
        if (named.empty())
            continue;
        for (size_t at = shown.find(named); at != std::string::npos;
             at = shown.find(named, at + given.size()))
            shown.replace(at, named.size(), given);
    }
    return shown;
}

int RunPress(const std::vector<std::string>& words)
{
    const PressOptions options = ParsePressOptions(words);
    const PluginFolderFound found = PluginFolderFor(options.folder);
    const WideString& folder = found.folder;
    CreateFolderChain(folder);

    Clock clock = LocalClock;
    if (options.fixedMoment)
        clock = [moment = options.moment] { return moment; };
    PluginModule module(*options.traits, clock);
    module.SetPluginFolder(folder);

    SimulatedEditor editor;
    const platform::HostWindow window = platform::CreateHostWindow(editor);
    module.OnEvents(window, StartUpEvent, 0);
    std::string out;
    Utf8String trouble;
    for (int press = 1; press <= options.times; ++press) {
        module.OnCommand(window);
        const ModuleState& state = module.State();
        if (state.settingsTrouble != trouble) {
            trouble = state.settingsTrouble;
            if (!trouble.empty())
                out += "settings: " + Shown(trouble, state.settingsPath) + "\n";
        }
        if (!state.consecutivePress) {
            out += "press " + std::to_string(press) + ": the command failed (settings file " +
                   platform::PathForCommandLine(state.settingsPath) + ")\n";
            continue;
        }
        const int32_t index = state.patternIndex;
        out += "press " + std::to_string(press) + ": " +
               PressedEntry(index, state.formatList->TextCount(), state.formatList->TextAt(index)) +
               "\n" + ShowDocument(editor.Text());
    }
    out += "settings file: " + platform::PathForCommandLine(module.State().settingsPath) +
           (found.why.empty() ? "" : ",\n  " + found.why) + "\n";
    platform::DestroyHostWindow(window);
    return PrintUtf8(out);
}

}  // namespace

const Command PressCommand = {
    "press",
    STEM_PLUGIN_WORDS " [--times N] [--folder DIR]",
    TakesMoment::Yes,
    TakesCodePage::Yes,
    "Presses the named plug-in's command N times (default 1) in a simulated\n"
    "editor and prints, after each press, the pattern used and the whole document.\n"
    "The settings file StemraTime.ini lives in DIR and is created with the\n"
    "defaults when it has none: edit it and press again. Without --folder, DIR is\n"
    "the plug-in folder the editor names in the registry, as a press in the editor\n"
    "uses it; where the editor names none, press refuses to run rather than write\n"
    "beside stem, in the unpacked archive. Where the file cannot be written or\n"
    "read, the presses still insert, and a line says why.",
    "stem press date --times 3 --folder plugins --at 2026-12-07T09:30:00",
    RunPress,
};

}  // namespace stem
