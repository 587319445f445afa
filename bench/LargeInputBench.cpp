// Inputs far beyond any real settings file: a 50 MB file of 100,000 patterns, a single 10 MB
// line, a 1 MB pattern, and up to 200,000 keys in one section, pressed and checked by
// `stem check`. Each must load, render or check in time close to linear, with memory a small
// multiple of the input; "peak_MB" is the process's peak resident size after the case ran.
//   build/native/LargeInputBench
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>

#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "platform/HostSupport.h"
#include "platform/Platform.h"
#include "plugin/SettingsFile.h"
#include "tests/support/TempFolder.h"
#include "tools/stem/Commands.h"
#include "tools/stem/SettingsCheck.h"

namespace stem {

namespace {

constexpr double Megabyte = 1024.0 * 1024.0;

double PeakMegabytes()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / Megabyte;  // ru_maxrss is in KiB
}

// The date section with `items` patterns, each padded with a quoted literal to `itemBytes`.
std::string SettingsText(int items, std::size_t itemBytes)
{
    std::string text = "[TimeFormat]\r\nItem01=hh\r\n[DateFormat]\r\n";
    text.reserve(static_cast<std::size_t>(items) * (itemBytes + 16));
    for (int n = 1; n <= items; ++n) {
        const std::string pattern = "yyyy/mm/dd \"" + std::string(itemBytes, 'x') + "\"";
        text += ItemKey(n) + "=" + pattern + "\r\n";
    }
    return text;
}

void Load(benchmark::State& state, const std::string& text, int expectedItems)
{
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    if (!platform::WriteNewFile(path, text)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    TCommonStringRecordList list;
    for (auto _ : state) {
        ReadPressSettings(path, DatePluginTraits, list);
        if (list.TextCount() != expectedItems + 1)
            state.SkipWithError("wrong number of patterns");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.counters["file_MB"] = static_cast<double>(text.size()) / Megabyte;
    state.counters["peak_MB"] = PeakMegabytes();
}

void LoadFiftyMegabytes(benchmark::State& state)
{
    Load(state, SettingsText(100000, 500), 100000);
}
BENCHMARK(LoadFiftyMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

void LoadTenMegabyteLine(benchmark::State& state)
{
    Load(state, SettingsText(1, 10 * 1024 * 1024), 1);
}
BENCHMARK(LoadTenMegabyteLine)->Unit(benchmark::kMillisecond)->Iterations(3);

// 2,000 to 200,000 keys in one section (6 MB at most), each a short pattern: a press reads them
// all, and `stem check` lists and checks them.
void PressManyKeys(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    Load(state, SettingsText(items, 8), items);
}
BENCHMARK(PressManyKeys)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void CheckManyKeys(benchmark::State& state)
{
    const std::string text = SettingsText(static_cast<int>(state.range(0)), 8);
    TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    if (!platform::WriteNewFile(path, text)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    const std::vector<std::string> command = {"check", platform::PathForCommandLine(path), "--at",
                                              "2026-12-07T13:05:09"};
    for (auto _ : state) {
        const CommandResult result = RunCaptured(command);
        if (result.status != 0)
            state.SkipWithError(("stem check failed: " + result.error).c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(CheckManyKeys)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The linter of stem check alone, on the same files: its warnings, without the presses it
// foresees and the patterns it lists.
void LintManyKeys(benchmark::State& state)
{
    const std::string text = SettingsText(static_cast<int>(state.range(0)), 8);
    const TIniFileContent content = DecodeIniText(text);
    const std::vector<CheckedSection> sections = {
        {&DatePluginTraits, DefaultsPlacement::NotNeeded},
        {&TimePluginTraits, DefaultsPlacement::NotNeeded}};
    for (auto _ : state) {
        if (!CheckSettingsFile(text, content, sections).empty())
            state.SkipWithError("warnings about a clean file");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(LintManyKeys)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// Pattern sizes from 64 KB to 1 MB, to see the time grow linearly.
void RenderLargePattern(benchmark::State& state)
{
    WideString pattern;
    while (pattern.size() < static_cast<std::size_t>(state.range(0)))
        pattern += u"yyyy/mm/dd(aaa) hh:nn:ss \"literal\" ";
    const TDateTime moment = 46363.5;
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPattern(pattern, moment));
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(RenderLargePattern)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace stem
