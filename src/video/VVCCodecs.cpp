#include "VVCCodecs.h"

#include <algorithm>

#include "VALocateFFmpeg.h"

namespace {

struct Row {
    const char* name;
    const char* ext;
};

const Row kLGPL[] = {{"AVI", ".avi"},
                     {"GIF Animation", ".gif"},
                     {"MP4 (copy, no encoding)", ".mp4"},
                     {"Matroska (copy, no encoding)", ".mkv"},
                     {"WMV (Windows Media Video)", ".wmv"},
                     {"Matroska (VP9)", ".mkv"},
                     {"Audio Extract (WAVE)", ".wav"},
                     {"WebM (VP8)", ".webm"},
                     {"WebM (VP9)", ".webm"},
                     {"Flash Video", ".flv"},
                     {"Audio Extract (AAC)", ".m4a"},
                     {"Audio Extract (MP3)", ".mp3"},
                     {"MP4 (Apple H264)", ".mp4"},
                     {"MP4 (Apple H265)", ".mp4"},
                     {"Matroska (Apple H264)", ".mkv"},
                     {"Matroska (Apple H265)", ".mkv"},
                     {"[Custom FFmpeg settings]", ""}};

const Row kGPL[] = {{"3GP", ".3gp"},
                    {"Matroska (H264)", ".mkv"},
                    {"Matroska (H265)", ".mkv"},
                    {"MOV (Quicktime Movie)", ".mov"},
                    {"MP4 (H264)", ".mp4"},
                    {"MP4 (H265)", ".mp4"},
                    {"VOB", ".vob"}};

template <std::size_t N>
std::vector<VAEncoderDesc> make(const Row (&rows)[N]) {
    std::vector<VAEncoderDesc> out;
    for (const Row& row : rows) {
        out.push_back(VAEncoderDesc::makeVideoCodec(row.name, row.ext));
    }
    return out;
}

}  // namespace

std::vector<VAEncoderDesc> VVCCodecs::listEncodersLGPL() {
    return make(kLGPL);
}

std::vector<VAEncoderDesc> VVCCodecs::listEncodersGPL() {
    return make(kGPL);
}

std::vector<VAEncoderDesc> VVCCodecs::listEncoders() {
    return listEncoders(VALocateFFmpeg::gplEncodersOffered());
}

std::vector<VAEncoderDesc> VVCCodecs::listEncoders(bool gplOffered) {
    std::vector<VAEncoderDesc> out = listEncodersLGPL();
    if (gplOffered) {
        const std::vector<VAEncoderDesc> gpl = listEncodersGPL();
        out.insert(out.end(), gpl.begin(), gpl.end());
    }
    out.push_back(VAEncoderDesc::makeMultiEncoder());
    // By character code, not by letter: "[...]" names come after every capital.
    std::stable_sort(out.begin(), out.end(), [](const VAEncoderDesc& a, const VAEncoderDesc& b) {
        return a.name < b.name;
    });
    return out;
}

bool VVCCodecs::isGPL(const XStr& name) {
    return std::any_of(std::begin(kGPL), std::end(kGPL),
                       [&name](const Row& row) { return name == row.name; });
}
