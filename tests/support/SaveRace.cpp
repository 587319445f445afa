// SaveRace date|time FOLDER ROUNDS: one plug-in pressed ROUNDS times against the settings file
// in FOLDER (named the Windows way), each time as after a start of the editor, and its section
// then erased as a user would: every round saves the file twice. tests/save_race_check.py runs
// one for each plug-in at once and watches the file. Prints what went wrong; status 1 then.
#include <cstdlib>
#include <string>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"

namespace stem {

namespace {

int Race(const PluginTraits& traits, const WideString& folder, int rounds)
{
    PluginModule module(traits);
    module.SetPluginFolder(folder);
    SimulatedEditor editor;
    const platform::HostWindow window = platform::CreateHostWindow(editor);
    int failures = 0;
    int overwritten = 0;
    std::string report;
    for (int round = 1; round <= rounds; ++round) {
        module.OnEvents(window, StartUpEvent, 0);
        editor.SetText(u"", 0);
        module.OnCommand(window);
        if (!module.State().consecutivePress) {
            ++failures;
            report += "round " + std::to_string(round) + ": the press failed\n";
        } else if (editor.Text().empty()) {
            // The other saved a version it read before this one's defaults landed: the last
            // save wins, as neither locks the file. The next press writes them again.
            ++overwritten;
        }
        try {
            TAccessIniFile settings(module.State().settingsPath);
            settings.EraseSection(traits.patternSection);
            settings.SaveIfChanged();
        } catch (const FileError& error) {
            ++failures;
            report += "round " + std::to_string(round) + ": " + error.what() + "\n";
        }
    }
    platform::DestroyHostWindow(window);
    report += std::string(traits.name) + ": " + std::to_string(rounds) + " rounds, " +
              std::to_string(failures) + " failed, defaults overwritten by the other " +
              std::to_string(overwritten) + " times\n";
    platform::WriteStandardOutput(report);
    return failures == 0 ? 0 : 1;
}

}  // namespace

}  // namespace stem

int main(int argc, char** argv)
{
    using namespace stem;
    const std::vector<std::string> words = platform::ProgramArguments(argc, argv);
    if (words.size() != 3 || (words[0] != "date" && words[0] != "time")) {
        platform::WriteStandardError("usage: SaveRace date|time FOLDER ROUNDS\n");
        return 2;
    }
    const PluginTraits& traits = words[0] == "date" ? DatePluginTraits : TimePluginTraits;
    return Race(traits, Utf8ToWideReplacing(words[1]), std::atoi(words[2].c_str()));
}
