// Random sequences of presses of every plug-in of the list against one settings file, with the
// user's edits, touches of the file's time, deletions, the editor's events, another program
// locking the file, the folder becoming one the user may not change, and the read-only attribute
// in between. Each press is held to a model of the plug-ins written apart from their code
// (tests/support/IniModel.h):
// - it inserts the model's entry for its place in the cycle, never nothing unless that entry is
//   the empty one that ends the cycle: from the file's patterns, from those read last when the
//   file cannot be read, or from the defaults when they cannot be saved;
// - it changes the file only to add its defaults where the model does, to exactly the lines the
//   model holds, in the file's encoding; its attributes stay, and no temporary file is left.
// Used by a seeded unit test and by a fuzz target, which draw their choices differently.
#pragma once

#include <cstddef>
#include <string>

#include "base/Types.h"

namespace stem {

// Where a sequence takes its decisions from.
class SequenceChoices {
public:
    virtual ~SequenceChoices() = default;
    // A number from low to high, both included.
    virtual int Pick(int low, int high) = 0;
    // Any bytes, at most maxSize of them.
    virtual std::string Bytes(std::size_t maxSize) = 0;
    // False once the choices run out: the sequence then ends.
    virtual bool More() = 0;
};

// Runs one sequence of at most maxSteps steps on the settings file in the folder (which must
// exist and be empty). Returns an empty text when every promise held, else what broke, with the
// steps that led there.
std::string RunPressSequence(SequenceChoices& choices, const WideString& folder, int maxSteps);

}  // namespace stem
