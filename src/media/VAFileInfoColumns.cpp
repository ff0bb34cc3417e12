#include "VAFileInfoColumns.h"

#include "VADurationFormat.h"
#include "VAProbeReport.h"
#include "VATag.h"
#include "XCase.h"

namespace {

XStr pad2(int64_t n) {
    return XStr::format("%02lld", static_cast<long long>(n));
}

// The leading digits from pos on; false when there are none.
bool readDigits(const XStr& text, std::size_t& pos, int64_t& value) {
    const std::size_t start = pos;
    while (pos < text.size() && XCase::isDigit(text[pos])) {
        ++pos;
    }
    if (pos == start) {
        return false;
    }
    value = text.substr(start, pos - start).toInt64();
    return true;
}

void setTrackColumn(NTag& columns, const char* name) {
    if (columns.FindElement(name) == nullptr) {
        return;
    }
    if (std::optional<XStr> text = VAFileInfoColumns::trackText(columns.GetString(name))) {
        columns.SetString(name, *text);
    } else {
        columns.RemoveByName(name);
    }
}

XStr joinNonEmpty(const XStrList& parts) {
    XStrList kept;
    for (const XStr& p : parts) {
        if (!p.empty()) {
            kept.push_back(p);
        }
    }
    return XStr::join(kept, " - ");
}

}  // namespace

VAFileInfoColumns::VAFileInfoColumns(const VAMediaFileInfo& info) : mLengthMS(info.lengthMS()) {
    mColumns.CopyFrom(info.IDTags().tag());
    mColumns.MergeFrom(info.MediaProps().tag(), false);

    mColumns.SetString(VAProbeReport::kLength, VADurationFormat::clock(mLengthMS));
    mSortValues.set(VAProbeReport::kLength, XPropertyValue(mLengthMS));

    XStr albumArtist = albumArtistOf(mColumns);
    if (albumArtist.empty()) {
        albumArtist = mColumns.GetString("artist");
    }
    mColumns.SetString(kAlbumArtist, albumArtist);

    setTrackColumn(mColumns, "Track");
    setTrackColumn(mColumns, "Disc");

    const bool compilation = mColumns.GetString("Compilation").toInt64() != 0;
    mColumns.SetString("Compilation", compilation ? "Yes" : "No");

    const XStr album = mColumns.GetString("Album");
    const XStr disc = mColumns.GetString("Disc");
    const XStr track = mColumns.GetString("Track");
    mSortValues.set(kSortArtistAlbum, joinNonEmpty({albumArtist, album, disc, track}));
    mSortValues.set(kSortAlbum, joinNonEmpty({album, disc, track}));
}

XPropertyValue VAFileInfoColumns::getValue(const XStr& name, bool forSort) const {
    if (forSort) {
        if (const XPropertyValue* value = mSortValues.find(name)) {
            return *value;
        }
    }
    const XStr value = mColumns.GetString(name);
    return VATag::isFieldMultiVal(name) ? VATag::multiValToDisplay(value) : value;
}

XStr VAFileInfoColumns::albumArtistOf(const NTag& tags) {
    const XStr spelled = tags.GetString(kAlbumArtist);
    return !spelled.empty() ? spelled : tags.GetString("album_artist");
}

std::optional<XStr> VAFileInfoColumns::trackText(const XStr& value) {
    const XStr text = value.trimmed();
    std::size_t pos = 0;
    int64_t number = 0;
    if (!readDigits(text, pos, number)) {
        return std::nullopt;
    }
    XStr out = pad2(number);
    int64_t total = 0;
    if (pos < text.size() && text[pos] == U'/' && readDigits(text, ++pos, total)) {
        out += "/" + (total < 10 ? pad2(total) : XStr::number(total));
    }
    return out;
}
