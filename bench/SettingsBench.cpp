// The settings step of a press on a file with 10 to 100,000 patterns: the file read, the
// section read once, the numbered look-ups and the widening of each pattern.
#include <benchmark/benchmark.h>

#include <string>

#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "platform/Platform.h"
#include "plugin/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

std::string SettingsText(int items)
{
    std::string text = "[TimeFormat]\r\nItem01=\" hh:nn\"\r\n[DateFormat]\r\n";
    for (int n = 1; n <= items; ++n)
        text += ItemKey(n) +
                "=yyyy\x94\x4emm\x8c\x8e"
                "dd\x93\xfa \"" +
                std::to_string(n) + "\"\r\n";
    return text;
}

void LoadSettingsFile(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    if (!platform::WriteNewFile(path, SettingsText(items))) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    TCommonStringRecordList list;
    for (auto _ : state) {
        ReadPressSettings(path, DatePluginTraits, list);
        if (list.TextCount() != items + 1)
            state.SkipWithError("wrong number of patterns");
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(LoadSettingsFile)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace stem
