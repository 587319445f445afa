// Random press sequences from fixed seeds (see tests/support/PressSequence.h); the fuzz target
// PressSequenceFuzz runs the same sequences from its own inputs.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/PressSequence.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

class SeededChoices : public SequenceChoices {
public:
    explicit SeededChoices(unsigned seed) : random_(seed) {}

    int Pick(int low, int high) override
    {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::string Bytes(std::size_t maxSize) override
    {
        std::string bytes(static_cast<std::size_t>(Pick(0, static_cast<int>(maxSize))), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(Pick(0, 255));
        return bytes;
    }

    bool More() override { return true; }

private:
    std::mt19937 random_;
};

TEST(PressSequences, InsertWhatTheModelHasAndChangeTheFileOnlyAsItDoes)
{
    for (unsigned seed = 1; seed <= 120; ++seed) {
        TempFolder folder;
        SeededChoices choices(seed);
        ASSERT_EQ(RunPressSequence(choices, folder.Path(), 40), "") << "seed " << seed;
    }
}

}  // namespace

}  // namespace stem
