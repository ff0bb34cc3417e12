// An effect-chain preset file ("dspeffect"): the chain's effect-chain string as UTF-16
// little-endian text without byte-order mark. Reading also takes a file that starts with a
// byte-order mark and one written as UTF-8, so presets edited by hand still load.
#pragma once

#include <optional>
#include <string>

#include "VADSPList.h"
#include "XStr.h"

class VMCDSPPresetFile {
public:
    static constexpr const char* kExtension = "dspeffect";
    // Larger files are no presets; they are refused before being read whole.
    static constexpr int64_t kMaxBytes = 1 << 20;

    // Replaces the file at once, never leaving a part of it; why says what failed.
    static bool save(const XStr& path, const VADSPChain& chain, XStr* why = nullptr);
    // Nothing, with why, for a file that cannot be read or holds no effect chain.
    static std::optional<VADSPChain> load(const XStr& path, XStr* why = nullptr);

    static std::string encode(const XStr& text);
    // Nothing for bytes that are not text of either encoding.
    static std::optional<XStr> decode(const std::string& bytes);
};
