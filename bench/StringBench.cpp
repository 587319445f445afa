// One-pass replacement at the size the formatter uses it: the 53-pair token table over a short
// pattern and over a long one, and the escape expansion that runs before it.
#include <benchmark/benchmark.h>

#include <vector>

#include "MyLibrary/StringUnit/StringUnit.h"

namespace stem {

namespace {

struct TokenTable {
    std::vector<WideString> tokens;
    std::vector<WideString> values;
};

// The formatter's tokens in priority order, with the values of a Saturday afternoon.
const TokenTable& Tokens()
{
    static const TokenTable table = [] {
        const std::pair<const char16_t*, const char16_t*> pairs[] = {
            {u"am/pm", u"pm"},
            {u"AM/PM", u"PM"},
            {u"\uff41\uff4d/\uff50\uff4d", u"\uff50\uff4d"},
            {u"\uff21\uff2d/\uff30\uff2d", u"\uff30\uff2d"},
            {u"ampm", u"\u5348\u5f8c"},
            {u"AMPM", u"\u5348\u5f8c"},
            {u"yyyy", u"2009"},
            {u"yy", u"09"},
            {u"\uff59\uff59\uff59\uff59", u"\uff12\uff10\uff10\uff19"},
            {u"\uff59\uff59", u"\uff10\uff19"},
            {u"mmmm", u"September"},
            {u"mmm", u"Sep"},
            {u"mm", u"09"},
            {u"m", u"9"},
            {u"\uff4d\uff4d\uff4d\uff4d",
             u"\uff33\uff45\uff50\uff54\uff45\uff4d\uff42\uff45\uff52"},
            {u"\uff4d\uff4d\uff4d", u"\uff33\uff45\uff50"},
            {u"\uff4d\uff4d", u"\uff10\uff19"},
            {u"\uff4d", u"\uff19"},
            {u"dd", u"05"},
            {u"d", u"5"},
            {u"\uff44\uff44", u"\uff10\uff15"},
            {u"\uff44", u"\uff15"},
            {u"aaaa", u"\u571f\u66dc\u65e5"},
            {u"aaa", u"\u571f"},
            {u"aa", u"Saturday"},
            {u"a", u"Sat"},
            {u"\uff41\uff41", u"\uff33\uff41\uff54\uff55\uff52\uff44\uff41\uff59"},
            {u"\uff41", u"\uff33\uff41\uff54"},
            {u"hh", u"15"},
            {u"h", u"15"},
            {u"\uff48\uff48", u"\uff11\uff15"},
            {u"\uff48", u"\uff11\uff15"},
            {u"nn", u"04"},
            {u"n", u"4"},
            {u"\uff4e\uff4e", u"\uff10\uff14"},
            {u"\uff4e", u"\uff14"},
            {u"ss", u"07"},
            {u"s", u"7"},
            {u"\uff53\uff53", u"\uff10\uff17"},
            {u"\uff53", u"\uff17"},
            {u"ggg", u"\u5e73\u6210"},
            {u"gg", u"\u5e73"},
            {u"ee", u"21"},
            {u"e", u"21"},
            {u"\uff45\uff45", u"\uff12\uff11"},
            {u"\uff45", u"\uff12\uff11"},
            {u"g", u"h"},
            {u"\uff47", u"\uff48"},
            {u"G", u"H"},
            {u"\uff27", u"\uff28"},
            {u"zzz", u"123"},
            {u"zz", u"12"},
            {u"z", u"1"},
        };
        static_assert(sizeof pairs / sizeof pairs[0] == 53, "the formatter has 53 tokens");
        TokenTable built;
        for (const auto& pair : pairs) {
            built.tokens.emplace_back(pair.first);
            built.values.emplace_back(pair.second);
        }
        return built;
    }();
    return table;
}

// Repeats a piece of pattern up to length code units.
WideString Repeated(const WideString& piece, size_t length)
{
    WideString text;
    while (text.size() < length)
        text += piece;
    text.resize(length);
    return text;
}

void ReplaceTokens(benchmark::State& state, const WideString& pattern)
{
    const TokenTable& table = Tokens();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplacePairs(pattern, table.tokens, table.values, true, false));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(pattern.size()));
}

void BM_ReplacePairs_Short(benchmark::State& state)
{
    ReplaceTokens(state, u"yyyy/mm/dd hh:nn:ssz");  // 20 code units
}
BENCHMARK(BM_ReplacePairs_Short);

void BM_ReplacePairs_Long(benchmark::State& state)
{
    // Tokens mixed with literal Latin and Japanese text, 2,000 code units.
    ReplaceTokens(state, Repeated(u"ggg ee\u5e74 mmmm d, yyyy (aaaa) h:nn AM/PM, Version ", 2000));
}
BENCHMARK(BM_ReplacePairs_Long);

void BM_ExpandEscapes(benchmark::State& state)
{
    const WideString text = Repeated(u"line\\tone\\r\\nC:\\\\Plug-ins\\\\ \\d \u6642\u523b\\N",
                                     static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandEscapes(text));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ExpandEscapes)->Arg(20)->Arg(2000);

}  // namespace

}  // namespace stem
