// What a job reads: the file the user chose and the file handed to FFmpeg (the same for a
// plain source), with optional input options. Paths are plain file paths.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "XStr.h"

class VAConvertSource {
public:
    // An element of a source list as callers hand it over: a path or a made source.
    using Item = std::variant<XStr, std::shared_ptr<VAConvertSource>>;
    // Answers the length of a media file in milliseconds, 0 when it cannot be probed; gives
    // up when stopFD (-1 for none) turns readable.
    using LengthProber = std::function<int64_t(const XStr& path, int stopFD)>;

    VAConvertSource() = default;
    explicit VAConvertSource(const XStr& path);
    virtual ~VAConvertSource();

    XStr urlPerceived;
    XStr urlForConversion;
    std::optional<XStr> inputOptions;
    std::optional<XStr> specialActionDesc;

    // The name shown to the user: the one set, else the last path component of
    // urlPerceived.
    XStr strPerceivedFilename() const;
    void setStrPerceivedFilename(std::optional<XStr> name) { mPerceivedFilename = std::move(name); }

    // The length of urlForConversion in milliseconds, 0 when the probe fails or is stopped
    // through stopFD (a descriptor that turns readable).
    virtual int64_t probeLength(int stopFD = -1) const;

    static std::shared_ptr<VAConvertSource> withURL(const XStr& path);
    // Sources are taken over, paths wrapped; empty paths and null sources are dropped.
    static std::vector<std::shared_ptr<VAConvertSource>> transformURLs(
        const std::vector<Item>& items);
    // A path itself, or the urlPerceived of a source; nothing for an empty path or none.
    static std::optional<XStr> grabURL(const Item& item);
    static XStrList grabURLs(const std::vector<Item>& items);

    // The media probe answers by default; tests put their own prober in. Setting an empty
    // function makes every length 0.
    static void setLengthProber(LengthProber prober);
    static int64_t probeLengthOf(const XStr& path, int stopFD = -1);

private:
    std::optional<XStr> mPerceivedFilename;
};
