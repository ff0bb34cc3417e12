// The formats the converter reads: every extension of the format lists in the resources
// ("decoders.bin", and "decoders-audio.bin" too while audio-only formats are shown), with
// the name of its format. A file is media when its extension is listed and enabled.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "XStr.h"

struct VAMediaFormatFilterEntry {
    // As the format list spells it.
    XStr extension;
    // The format's description.
    XStr name;
    bool enabled = true;
};

class VAMediaFormatFilter {
public:
    static constexpr const char* kVideoList = "decoders.bin";
    static constexpr const char* kAudioList = "decoders-audio.bin";
    // The settings-store value that adds the audio formats.
    static constexpr const char* kShowAudioOnly = "ShowAudioOnly";

    // Reads the lists from the resources; nothing when they do not pair up.
    static std::unique_ptr<VAMediaFormatFilter> init();
    // The same with the audio formats or without, whatever the setting says.
    static std::unique_ptr<VAMediaFormatFilter> init(bool withAudio);
    // Every format of both lists, read once: what the command line takes, where the user
    // names what to convert.
    static std::shared_ptr<const VAMediaFormatFilter> allFormats();
    // From list texts, in order; nothing when they do not pair up.
    static std::unique_ptr<VAMediaFormatFilter> fromLists(const std::vector<std::string>& texts);

    void toggleAll(bool enabled);
    // The format name of the path's extension (any case) when it is listed and enabled.
    std::optional<XStr> fileTypeOf(const XStr& path) const;
    bool isMediaFile(const XStr& path) const { return fileTypeOf(path).has_value(); }

    std::vector<VAMediaFormatFilterEntry>& formats() { return mFormats; }
    const std::vector<VAMediaFormatFilterEntry>& formats() const { return mFormats; }
    const XStrList& lstExtension() const { return mExtensions; }
    const XStrList& lstExtDescription() const { return mDescriptions; }

private:
    // Adds the pairs of one list text.
    void read(std::string_view text);
    void index();

    XStrList mExtensions;
    XStrList mDescriptions;
    std::vector<VAMediaFormatFilterEntry> mFormats;
    // Lower-case extension to its first entry.
    std::unordered_map<XStr, std::size_t> mByExtension;
};
