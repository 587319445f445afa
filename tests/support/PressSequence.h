// Random sequences of presses of both plug-ins against one settings file, with the user's
// edits, touches of the file's time, deletions and the editor's events in between, held to what
// the plug-ins promise about the file:
// - a press changes the file only to add its plug-in's defaults, exactly when `stem check`
//   foresees that it will: once, into a section without keys, where its own load finds them
//   and the other plug-in's does not; with no edit in between it never changes it again;
// - every line the user wrote stays, in its order, in the file's encoding;
// - each press inserts what `stem check` lists for its place in the cycle.
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
std::string RunPressSequence(SequenceChoices& choices, const AnsiString& folder, int maxSteps);

}  // namespace stem
