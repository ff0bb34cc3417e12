// The options of "vantaro convert", read from its arguments and checked for usage errors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "VCliNamingOptions.h"
#include "VCliOnExists.h"
#include "VCliOptionDef.h"
#include "VCliParsedOptions.h"
#include "XStr.h"

struct VCliConvertOptions {
    XStr encoderArgs;
    // --encoder-args was given, also as an empty text.
    bool encoderArgsGiven = false;
    // A stored profile; without it, and without an encoder, encoder arguments or copies,
    // the active profile converts.
    std::optional<XStr> profile;
    // What the options change of the profile is saved into it.
    bool save = false;
    // A catalogue encoder whose page makes the encoder arguments.
    std::optional<XStr> encoder;
    // Effects added through their pages, in chain order after those of the chain string.
    XStrList effectNames;
    // "ID=VALUE" for the encoder's page, "NAME.ID=VALUE" or "NAME#N.ID=VALUE" for an
    // effect's, in the order given.
    XStrList settings;
    // An effect-chain string.
    XStr effects;
    // --effects was given, also as an empty text (which empties a profile's chain).
    bool effectsGiven = false;
    // With its leading point.
    std::optional<XStr> ext;
    // Where the outputs go and what they are called.
    VCliNamingOptions naming;
    // 0: the scheduler's own count.
    uint32_t jobs = 0;
    bool join = false;
    bool copy = false;
    bool dryRun = false;
    // "--dry-run=text": the commands as the log shows them instead of quoted for a shell.
    bool dryRunText = false;
    bool json = false;
    bool verbose = false;
    // What happens to outputs that exist already; --overwrite is short for overwrite.
    VCliOnExists::Policy onExists = VCliOnExists::Policy::kAsk;
    bool help = false;
    XStrList files;

    // The conversion takes its encoder, effects and naming from a profile. An extension
    // alone asks for outputs of that kind with FFmpeg's own choice of codecs, as typed
    // encoder arguments do.
    bool profileMode() const { return !encoder && !encoderArgsGiven && !copy && (profile || !ext); }
    bool overwrite() const { return onExists == VCliOnExists::Policy::kOverwrite; }

    static const std::vector<VCliOptionDef>& table();
    // False with a message for arguments that cannot be used.
    static bool fromArgs(const std::vector<std::string>& args, VCliConvertOptions& out,
                         std::string& error);
    // The same from what a parser found, for commands whose tables hold these options
    // among their own; operands become the files only when filesFromOperands is set.
    static bool fromParsed(const VCliParsedOptions& parsed, VCliConvertOptions& out,
                           std::string& error, bool filesFromOperands = true);
    static std::string helpText();
    // An extension as typed ("mkv" or ".mkv") with its leading point; false with a message
    // for one that names no extension.
    static bool readExtension(const std::string& text, XStr& out, std::string& error);
};
