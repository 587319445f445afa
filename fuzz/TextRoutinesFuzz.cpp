// The text routines on random texts, positions, counts and windows, out-of-range ones
// included. Each routine is held to its contract: a case-sensitive replacement equals a model
// that searches where the routine walks, a search finds the first match inside its window and
// nothing before it.
#include <algorithm>
#include <string>
#include <vector>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "fuzz/FuzzInput.h"

namespace stem {

namespace {

// ReplacePairs' contract, case-sensitive, by searching rather than walking: the leftmost
// occurrence of any old text is replaced, the earlier pair where two start at one place, and
// the search goes on after the replacement.
WideString ReferenceReplace(const WideString& source, const std::vector<WideString>& oldTexts,
                            const std::vector<WideString>& newTexts, bool replaceAll)
{
    if (oldTexts.empty() || oldTexts.size() != newTexts.size())
        return source;
    WideString result;
    size_t offset = 0;
    do {
        size_t found = WideString::npos;
        size_t pair = 0;
        for (size_t i = 0; i < oldTexts.size(); ++i) {
            const size_t at =
                oldTexts[i].empty() ? WideString::npos : source.find(oldTexts[i], offset);
            if (at < found) {
                found = at;
                pair = i;
            }
        }
        if (found == WideString::npos)
            break;
        result += source.substr(offset, found - offset) + newTexts[pair];
        offset = found + oldTexts[pair].size();
    } while (replaceAll);
    return result + source.substr(offset);
}

void FuzzReplace(FuzzedDataProvider& input)
{
    const bool replaceAll = input.ConsumeBool();
    const bool ignoreCase = input.ConsumeBool();
    std::vector<WideString> oldTexts(input.ConsumeIntegralInRange(0, 4));
    std::vector<WideString> newTexts(input.ConsumeIntegralInRange(0, 4));
    for (WideString& old : oldTexts)
        old = ConsumeWide(input, 3);
    for (WideString& replacement : newTexts)
        replacement = ConsumeWide(input, 6);
    const WideString source = ConsumeWide(input, 128);

    const WideString result = ReplacePairs(
        source, oldTexts, newTexts, replaceAll ? ReplaceMatches::All : ReplaceMatches::FirstOnly,
        ignoreCase ? LetterCase::Ignored : LetterCase::Matters);
    if (!ignoreCase)
        FUZZ_REQUIRE(result == ReferenceReplace(source, oldTexts, newTexts, replaceAll));
}

void FuzzWideRoutines(FuzzedDataProvider& input)
{
    const WideString a = ConsumeWide(input, 16);
    const WideString b = ConsumeWide(input, 64);
    const int first = ConsumePosition(input, b.size());
    WideCharsMatchAt(a, b, ConsumePosition(input, a.size()), input.ConsumeBool(),
                     ConsumePosition(input, a.size()), first);
    MatchesAt(a, b, first);
    MatchesAtIgnoreCase(a, b, first);
    EnsureSuffix(b, a, input.ConsumeBool());
    ToFullWidth(b);
}

// The pattern matches the text at the position: a search confined to that one place finds it.
bool MatchesHere(const Utf8String& pattern, const Utf8String& text, int64_t position,
                 bool ignoreCase)
{
    return AnsiFindEx(pattern, text, static_cast<int>(position), SearchForward, ignoreCase,
                      static_cast<int>(pattern.size())) == position;
}

void CheckFound(const Utf8String& pattern, const Utf8String& text, int start, int direction,
                bool ignoreCase, int window, int found)
{
    if (found == 0)
        return;
    const int64_t length = static_cast<int64_t>(pattern.size());
    const int64_t windowEnd = static_cast<int64_t>(start) + window - 1;
    FUZZ_REQUIRE(found >= start);
    FUZZ_REQUIRE(found + length - 1 <= static_cast<int64_t>(text.size()));
    FUZZ_REQUIRE(found + length - 1 <= windowEnd);
    FUZZ_REQUIRE(MatchesHere(pattern, text, found, ignoreCase));
    // Nothing matches between the start of the search and the match found.
    const int64_t lastStart = std::min<int64_t>(windowEnd, text.size()) - length + 1;
    const int64_t from = direction == SearchForward ? start : found + 1;
    const int64_t to = direction == SearchForward ? found - 1 : lastStart;
    for (int64_t p = from; p <= to; ++p)
        FUZZ_REQUIRE(!MatchesHere(pattern, text, p, ignoreCase));
}

void FuzzAnsiSearch(FuzzedDataProvider& input)
{
    const bool ignoreCase = input.ConsumeBool();
    // Held text is UTF-8: random bytes decoded and encoded again.
    const Utf8String pattern = WideToUtf8(Utf8ToWideReplacing(input.ConsumeRandomLengthString(8)));
    const Utf8String text = WideToUtf8(Utf8ToWideReplacing(input.ConsumeRandomLengthString(96)));
    const int start = ConsumePosition(input, text.size());
    const int window = ConsumePosition(input, text.size());
    const int direction = input.ConsumeIntegralInRange(-1, 2);

    const int found = AnsiFindEx(pattern, text, start, direction, ignoreCase, window);
    CheckFound(pattern, text, start, direction, ignoreCase, window, found);
    FUZZ_REQUIRE(AnsiHasText(pattern, text, ignoreCase) ==
                 (AnsiFindText(pattern, text, ignoreCase) >= 1));
    ExtractFolder(Utf8ToWideReplacing(text));
}

}  // namespace

}  // namespace stem

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stem;
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0: FuzzReplace(input); break;
    case 1: FuzzWideRoutines(input); break;
    default: FuzzAnsiSearch(input); break;
    }
    return 0;
}
