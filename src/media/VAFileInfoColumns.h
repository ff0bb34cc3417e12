// What the columns of a file list show and sort on for one probe record: the ID tags and
// media properties, with length, album artist, track, disc and compilation made readable.
#pragma once

#include <cstdint>

#include "NTag.h"
#include "VAFileInfoObject.h"
#include "VAMediaFileInfo.h"
#include "XPropertyValue.h"

class VAFileInfoColumns : public VAFileInfoObject {
public:
    static constexpr const char* kAlbumArtist = "Album Artist";
    static constexpr const char* kSortArtistAlbum = "Album Artist - Album - Disc - Track";
    static constexpr const char* kSortAlbum = "Album - Disc - Track";

    // initWithInfo
    explicit VAFileInfoColumns(const VAMediaFileInfo& info);

    // For sorting, the sort value when there is one (the length in milliseconds, the two
    // combined keys); otherwise the column text, several values joined by "; ".
    XPropertyValue getValue(const XStr& name, bool forSort) const;
    uint64_t lengthMS() const { return mLengthMS; }
    const NTag& columns() const { return mColumns; }

    // The album artist as tags spell it ("Album Artist", or ffprobe's "album_artist").
    static XStr albumArtistOf(const NTag& tags);
    // "03", "03/12", "12/09"; nothing for a value without a number.
    static std::optional<XStr> trackText(const XStr& value);

private:
    NTag mColumns;
    XPropertyDictionary mSortValues;
    uint64_t mLengthMS = 0;
};
