// Loading Item01..ItemNN of a settings section: key by key, a walk of the section for each
// (ReadValue until a key is missing), against the load the plug-ins make (LoadFormatList: the
// section's key lines read once, then a look-up per key). The key-by-key load of 10,000 items
// takes minutes: --benchmark_filter=-LoadKeyByKey/10000 leaves it out.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "platform/Platform.h"
#include "plugin/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

std::string ItemKey(int n)
{
    char key[16];
    std::snprintf(key, sizeof key, "Item%02d", n);
    return key;
}

// A file like the real one: a comment, the other plug-in's section, then ours.
std::string SettingsText(int items)
{
    std::string text = "; patterns\r\n[TimeFormat]\r\nItem01=hh:nn\r\n\r\n[DateFormat]\r\n";
    for (int n = 1; n <= items; ++n)
        text += ItemKey(n) + "=yyyy/mm/dd \"" + std::to_string(n) + "\"\r\n";
    return text;
}

void LoadKeyByKey(benchmark::State& state)
{
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    platform::WriteNewFile(path, SettingsText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TAccessIniFile ini(path);
        int loaded = 0;
        while (ini.ReadValue("DateFormat", ItemKey(loaded + 1), "\n") != "\n")
            ++loaded;
        if (loaded != state.range(0))
            state.SkipWithError("wrong item count");
    }
}

void LoadAsThePluginsDo(benchmark::State& state)
{
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    platform::WriteNewFile(path, SettingsText(static_cast<int>(state.range(0))));
    TCommonStringRecordList list;
    for (auto _ : state) {
        TAccessIniFile ini(path);
        LoadFormatList(ini, "DateFormat", list);
        if (list.TextCount() != state.range(0) + 1)
            state.SkipWithError("wrong item count");
    }
}

}  // namespace

BENCHMARK(LoadKeyByKey)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadKeyByKey)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAsThePluginsDo)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace stem
