// Loading a settings section of Item01..ItemNN the way the settings loader does: HasKey, then
// ReadValue, for each number up to the first missing one. The naive load walks the section
// twice per item; the snapshot load reads it once and answers by look-up. The naive load of
// 10,000 items takes minutes: --benchmark_filter=-LoadNaive/10000 leaves it out.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "platform/Platform.h"
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

template <typename Reader>
int LoadItems(Reader& reader)
{
    int loaded = 0;
    for (int n = 1;; ++n) {
        const std::string key = ItemKey(n);
        if (!reader.HasKey(key))
            return loaded;
        benchmark::DoNotOptimize(reader.ReadValue(key, ""));
        ++loaded;
    }
}

struct NaiveReader {
    TAccessIniFile& ini;
    bool HasKey(const std::string& key) { return ini.HasKey("DateFormat", key); }
    AnsiString ReadValue(const std::string& key, const AnsiString& fallback)
    {
        return ini.ReadValue("DateFormat", key, fallback);
    }
};

void LoadNaive(benchmark::State& state)
{
    TempFolder folder;
    const std::string path = folder.File("StemraTime.ini");
    platform::WriteNewFile(path, SettingsText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TAccessIniFile ini(path);
        NaiveReader reader{ini};
        if (LoadItems(reader) != state.range(0))
            state.SkipWithError("wrong item count");
    }
}

void LoadWithSnapshot(benchmark::State& state)
{
    TempFolder folder;
    const std::string path = folder.File("StemraTime.ini");
    platform::WriteNewFile(path, SettingsText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TAccessIniFile ini(path);
        const TIniSectionSnapshot snapshot = ini.ReadSectionSnapshot("DateFormat");
        if (LoadItems(snapshot) != state.range(0))
            state.SkipWithError("wrong item count");
    }
}

}  // namespace

BENCHMARK(LoadNaive)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadNaive)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadWithSnapshot)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace stem
