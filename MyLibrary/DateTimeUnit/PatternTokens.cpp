#include "MyLibrary/DateTimeUnit/PatternTokens.h"

namespace stem {

int token_lookup::FirstSpelledBefore(int first, int letter, std::u16string_view text)
{
    for (int k = 0; k < ByLetter.spelledCount[letter]; ++k) {
        const int i = ByLetter.spelled[letter][k];
        if (i < first && text.substr(0, TokenTable[i].text.size()) == TokenTable[i].text)
            first = i;
    }
    return first;
}

}  // namespace stem
