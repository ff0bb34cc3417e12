// The multi encoder's configuration: the encoders every source is converted with, each
// with its own arguments, effects and naming, kept as one string (the multi encoder's
// argument text, stored like any encoder's).
#pragma once

#include <vector>

#include "VAElemValueList.h"
#include "VAEncoderArgs.h"
#include "VAEncoderDesc.h"
#include "VMCMultiEncEntry.h"
#include "XStr.h"

class VMCMultiEncConfig {
public:
    // Double quotes of the nested texts are kept as this inside the string.
    static constexpr const char* kQuoteStandIn = "{mqt}";
    static constexpr const char* kPrivatePrefix = "encoder-private-";

    // No entries; the entries of one source may run at the same time.
    VMCMultiEncConfig() = default;
    // Entries are copied whole, naming included.
    VMCMultiEncConfig(const VMCMultiEncConfig& other);
    VMCMultiEncConfig& operator=(const VMCMultiEncConfig& other);
    VMCMultiEncConfig(VMCMultiEncConfig&&) = default;
    VMCMultiEncConfig& operator=(VMCMultiEncConfig&&) = default;

    // Entries naming an encoder the catalogue does not offer are dropped; the catalogue is
    // that of the FFmpeg in use unless given.
    static VMCMultiEncConfig fromString(const XStr& text);
    static VMCMultiEncConfig fromString(const XStr& text,
                                        const std::vector<VAEncoderDesc>& encoders);
    static VMCMultiEncConfig fromArgs(const VAEncoderArgs& args) {
        return fromString(args.strArgs);
    }
    static VMCMultiEncConfig fromArgs(const VAEncoderArgs& args,
                                      const std::vector<VAEncoderDesc>& encoders) {
        return fromString(args.strArgs, encoders);
    }
    XStr toString() const;

    const std::vector<VMCMultiEncEntry>& entries() const { return mEntries; }
    std::vector<VMCMultiEncEntry>& entries() { return mEntries; }
    void setEntries(std::vector<VMCMultiEncEntry> entries) { mEntries = std::move(entries); }
    bool multiCPU() const { return mMultiCPU; }
    void setMultiCPU(bool on) { mMultiCPU = on; }

    // An entry of the encoder with empty arguments, no effects and the naming defaults.
    static VMCMultiEncEntry newEntry(const VAEncoderDesc& encoder);
    // What the string keeps of an entry beside its encoder, arguments and effects.
    static VAElemValueList entryOptions(const VMCMultiEncEntry& entry);
    // Lets the entry's naming expand encoder and effect fields.
    static void tellNaming(VMCMultiEncEntry& entry);

private:
    std::vector<VMCMultiEncEntry> mEntries;
    bool mMultiCPU = true;
};
