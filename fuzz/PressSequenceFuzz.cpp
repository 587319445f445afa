// Press sequences drawn from the input (see tests/support/PressSequence.h): settings files,
// presses of every plug-in of the list, edits, touches, deletions, events, locks and folder
// rights, each checked against a model of the plug-ins. A broken promise stops the run with its
// steps.
#include <cstdio>

#include "fuzz/FuzzInput.h"
#include "tests/support/PressSequence.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

class FuzzedChoices : public SequenceChoices {
public:
    explicit FuzzedChoices(FuzzedDataProvider& input) : input_(input) {}

    int Pick(int low, int high) override { return input_.ConsumeIntegralInRange(low, high); }
    std::string Bytes(std::size_t maxSize) override
    {
        return input_.ConsumeRandomLengthString(maxSize);
    }
    bool More() override { return input_.remaining_bytes() > 0; }

private:
    FuzzedDataProvider& input_;
};

}  // namespace

}  // namespace stem

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stem;
    FuzzedDataProvider input(data, size);
    FuzzedChoices choices(input);
    TempFolder folder;
    const std::string failure = RunPressSequence(choices, folder.Path(), 60);
    if (!failure.empty())
        std::fprintf(stderr, "%s\n", failure.c_str());
    FUZZ_REQUIRE(failure.empty());
    return 0;
}
