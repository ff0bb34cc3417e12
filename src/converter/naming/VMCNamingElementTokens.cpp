#include "VMCNamingElementTokens.h"

#include <array>
#include <vector>

#include "VMCNamingText.h"

namespace VMCNamingElementTokens {

namespace {

struct Entry {
    std::u32string_view token;
    std::u32string_view element;
    Processing how;
    std::u32string_view label;
};

using P = Processing;

// Substitution order. Labels are the texts of the naming dialog, spelling included.
constexpr std::array kEntries = {
    Entry{U"[artist]", U"artist", P::None, U"Artist"},
    Entry{U"[album]", U"album", P::None, U"Album"},
    Entry{U"[album artist]", U"album artist", P::None, U"Album Artist"},
    Entry{U"[composer]", U"composer", P::None, U"Composer"},
    Entry{U"[conductor]", U"conductor", P::None, U"Conductor"},
    Entry{U"[title]", U"title", P::None, U"Title"},
    Entry{U"[genre]", U"genre", P::None, U"Genre"},
    Entry{U"[year]", U"year", P::None, U"Year"},
    Entry{U"[track]", U"track", P::TrackPadded, U"TrackNum"},
    Entry{U"[track_unpad]", U"track", P::TrackUnpadded, U"TrackNum Unpaddded"},
    Entry{U"[track_total]", U"track", P::TotalPadded, U"Track Total"},
    Entry{U"[track_total_unpad]", U"track", P::TotalUnpadded, U"Track Total  Unpaddded"},
    Entry{U"[disc]", U"disc", P::NumberBefore, U"Disc"},
    Entry{U"[disc_total]", U"disc", P::NumberAfter, U"Disc Total"},
    Entry{U"[band]", U"band", P::None, U"Band"},
    Entry{U"[rating]", U"rating", P::None, U"Rating"},
    Entry{U"[tempo]", U"tempo", P::None, U"Tempo"},
    Entry{U"[label]", U"label", P::None, U"Label"},
    Entry{U"[isrc]", U"isrc", P::None, U"ISRC"},
    Entry{U"[upc]", U"upc", P::None, U"UPC"},
    Entry{U"[compilation]", U"compilation", P::None, U"Compilation"},
    Entry{U"[mood]", U"mood", P::None, U"Mood"},
    Entry{U"[style]", U"style", P::None, U"Style"},
    Entry{U"[copyright]", U"copyright", P::None, U"Copyright"},
    Entry{U"[subtitle]", U"subtitle", P::None, U"Subtitle"},
    Entry{U"[unique]", U"unique", P::None, U"Unique"},
    Entry{U"[discunique]", U"discunique", P::None, U"Disc Unique"},
    Entry{U"[length]", U"length", P::None, U"Length"},
    Entry{U"[length_mmss]", U"length_mmss", P::None, U"Length mm:ss"},
    Entry{U"[length_hhmmss]", U"length_hhmmss", P::None, U"Length hh:mm:ss"},
    Entry{U"[encoder]", U"encoder", P::None, U"Encoder"},
    Entry{U"[encoder+]", U"encoder+", P::None, U"Encoder Extra"},
    // The dialog's first label for this token is the one it shows.
    Entry{U"[extension]", U"extension", P::None, U"Encoder Extension"},
    Entry{U"[cddb_id]", U"cddb_id", P::None, U"CDDB ID"},
    Entry{U"[origdrive]", U"origdrive", P::None, U"Source Drive:\\"},
    Entry{U"[origpath]", U"origpath", P::None, U"Source Path"},
    Entry{U"[subpath]", U"subpath", P::None, U"Sub Path"},
    Entry{U"[origfilename]", U"origfilename", P::None, U"Source Filename"},
    Entry{U"[protected]", U"protected", P::None, U"Protected"},
    Entry{U"[id_tag]", U"id_tag", P::None, U"ID Tag"},
    Entry{U"[audio_quality]", U"audio_quality", P::None, U"Audio Quality"},
    Entry{U"[gapless]", U"gapless", P::None, U"Gapless"},
    Entry{U"[date]", U"date", P::None, U"Date"},
    Entry{U"[time]", U"time", P::None, U"Now Time"},
    Entry{U"[day_of_week]", U"day_of_week", P::None, U"Now Day of Week"},
    Entry{U"[now_year]", U"now_year", P::None, U"Now Year"},
    Entry{U"[frequency]", U"frequency", P::None, U"Frequency"},
    Entry{U"[channels]", U"channels", P::None, U"Channels"},
    Entry{U"[channels_subone]", U"channels_subone", P::None, U"Channels -1"},
    Entry{U"[bits_per_sample]", U"bits_per_sample", P::None, U"Bits Per Sample"},
    Entry{U"[bytes_per_sample]", U"bytes_per_sample", P::None, U"Bytes Per Sample"},
    Entry{U"[bitrate]", U"bitrate", P::None, U"Bitrate"},
    Entry{U"[k_bitrate]", U"k_bitrate", P::None, U"Kbps"},
};

const Entry& entry(int index) {
    return kEntries[static_cast<std::size_t>(index)];
}

}  // namespace

const VMCNamingTokenTable& table() {
    static const VMCNamingTokenTable tokens = [] {
        std::vector<std::u32string_view> list;
        for (const Entry& e : kEntries) {
            list.push_back(e.token);
        }
        return VMCNamingTokenTable(list);
    }();
    return tokens;
}

std::u32string_view elementName(int index) {
    return entry(index).element;
}

Processing processing(int index) {
    return entry(index).how;
}

std::u32string_view label(int index) {
    return entry(index).label;
}

std::u32string_view numberPart(std::u32string_view value, bool after) {
    std::size_t sep = value.find(U'/');
    if (sep == std::u32string_view::npos) {
        sep = value.find(U'-');
    }
    std::u32string_view part;
    if (sep == std::u32string_view::npos) {
        part = after ? std::u32string_view() : value;
    } else {
        part = after ? value.substr(sep + 1) : value.substr(0, sep);
    }
    return VMCNamingText::trimSpaces(part);
}

std::u32string processed(std::u32string_view firstLine, Processing how) {
    switch (how) {
        case Processing::None:
            return std::u32string(firstLine);
        case Processing::NumberBefore:
            return std::u32string(numberPart(firstLine, false));
        case Processing::NumberAfter:
            return std::u32string(numberPart(firstLine, true));
        case Processing::TrackPadded:
        case Processing::TotalPadded: {
            const std::u32string_view part = numberPart(firstLine, how == Processing::TotalPadded);
            return part.size() == 1 ? U"0" + std::u32string(part) : std::u32string(part);
        }
        case Processing::TrackUnpadded:
        case Processing::TotalUnpadded: {
            std::u32string_view part = numberPart(firstLine, how == Processing::TotalUnpadded);
            if (!part.empty() && part[0] == U'0') {
                part.remove_prefix(1);
            }
            return std::u32string(part);
        }
    }
    return std::u32string(firstLine);
}

}  // namespace VMCNamingElementTokens
