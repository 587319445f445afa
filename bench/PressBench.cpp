// What a press costs when the settings file has not changed, or cannot be written, against what
// it cannot avoid: a look at the file's time (a bare stat of it) and the rendering of one pattern.
//   build/native/PressBench
// The settings hold one pattern, so consecutive presses alternate: insert the rendered date,
// then select it and replace it with the empty entry. One iteration is those two presses.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

constexpr TDateTime Moment = 46363.5;  // 2026-12-07 12:00
const char* const Settings = "[DateFormat]\r\nItem01=yyyy/mm/dd(aaa)\r\n";

void TwoPressesUnchangedFile(benchmark::State& state)
{
    TempFolder folder;
    if (!platform::WriteNewFile(folder.File("StemraTime.ini"), Settings)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    SimulatedEditor editor;
    const platform::HostWindow window = platform::CreateHostWindow(editor);
    PluginModule module{DatePluginTraits, [] { return Moment; }};
    module.SetPluginFolder(folder.Path());
    module.OnEvents(window, StartUpEvent, 0);
    module.OnCommand(window);  // locates and loads outside the timing
    for (auto _ : state) {
        module.OnCommand(window);
        module.OnCommand(window);
        editor.ClearLog();
    }
    if (editor.Text() != u"2026/12/07(\u6708)")
        state.SkipWithError("the presses did not cycle as expected");
    platform::DestroyHostWindow(window);
}
BENCHMARK(TwoPressesUnchangedFile);

// Two presses, each starting a new run, where the plug-in folder may not be changed and holds
// no settings file (a folder under Program Files on Windows 8 and later): each inserts the
// first default from memory, and neither tries to save the defaults again, as the file's time
// has not changed since the first press tried.
void TwoPressesUnwritableFolder(benchmark::State& state)
{
    TempFolder folder;
    const WideString plugins = folder.File("PlugIns");
    if (!platform::CreateFolder(plugins) || !platform::SetFolderWritable(plugins, false)) {
        state.SkipWithError("cannot make a folder that may not be changed");
        return;
    }
    SimulatedEditor editor;
    const platform::HostWindow window = platform::CreateHostWindow(editor);
    PluginModule module{DatePluginTraits, [] { return Moment; }};
    module.SetPluginFolder(plugins);
    module.OnEvents(window, StartUpEvent, 0);
    module.OnCommand(window);  // locates and fails to save outside the timing
    for (auto _ : state) {
        for (int press = 0; press < 2; ++press) {
            module.OnEvents(window, Event20, 0);
            editor.SetText(u"", 0);
            module.OnCommand(window);
        }
        editor.ClearLog();
    }
    if (editor.Text() != u"2026/12/07(\u6708)" ||
        platform::PathExists(plugins + u"\\StemraTime.ini"))
        state.SkipWithError("the presses did not insert the default from memory");
    platform::SetFolderWritable(plugins, true);
    platform::DestroyHostWindow(window);
}
BENCHMARK(TwoPressesUnwritableFolder);

void StatOfTheSettingsFile(benchmark::State& state)
{
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    if (!platform::WriteNewFile(path, Settings)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    const std::string posixPath = platform::SystemPathOf(path).string();
    for (auto _ : state) {
        struct stat info {};
        benchmark::DoNotOptimize(stat(posixPath.c_str(), &info));
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(StatOfTheSettingsFile);

void RenderTheFirstPattern(benchmark::State& state)
{
    const WideString pattern = u"yyyy/mm/dd(aaa)";
    RenderPattern(pattern, Moment);  // locale names read outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPattern(pattern, Moment));
}
BENCHMARK(RenderTheFirstPattern);

}  // namespace

}  // namespace stem
