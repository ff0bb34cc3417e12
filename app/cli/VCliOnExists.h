// What "vantaro convert" does about outputs that exist already, decided through the same
// sheet the desktop application shows (VMCFileAlreadyExistsDialog): overwrite them, skip
// them, rename them with the date appended, or ask, which on a terminal lists them and
// asks once and elsewhere skips them and says so.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "VMCCheckFilenamesState.h"

class VCliOnExists {
public:
    enum class Policy { kAsk, kOverwrite, kSkip, kRename };

    // Nothing for a word that is none of "ask", "overwrite", "skip", "rename".
    static std::optional<Policy> parse(const std::string& word);

    struct Outcome {
        // The user cancelled: nothing is converted.
        bool cancelled = false;
        // Outputs left out, each counted neither as converted nor as failed.
        uint32_t skipped = 0;
        // What was done, for the user; empty when nothing existed.
        std::string note;
    };

    // Applies the policy to the state's outputs that exist. A terminal is asked through in
    // and out; without one, "ask" skips.
    static Outcome resolve(Policy policy, VMCCheckFilenamesState& state, bool terminal,
                           std::istream& in, std::ostream& out);

    // The question, with the choices' letters.
    static constexpr const char* kQuestion =
        "Overwrite all (o), skip all (s), rename all with the date appended (r), or cancel (c)? ";
};
