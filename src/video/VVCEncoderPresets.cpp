#include "VVCEncoderPresets.h"

const std::vector<VVCEncoderPresets::Row>& VVCEncoderPresets::presets() {
    static const std::vector<Row> rows = {{"ultrafast", "Ultra fast"},
                                          {"superfast", "Super fast"},
                                          {"veryfast", "Very fast"},
                                          {"faster", "Faster"},
                                          {"fast", "Fast"},
                                          {"medium", "Medium"},
                                          {"slow", "Slow"},
                                          {"slower", "Slower"},
                                          {"veryslow", "Very slow"}};
    return rows;
}

const std::vector<VVCEncoderPresets::Row>& VVCEncoderPresets::tunes() {
    static const std::vector<Row> rows = {{"", "General"},
                                          {"film", "Film"},
                                          {"animation", "Animation"},
                                          {"grain", "Grainy film"},
                                          {"stillimage", "Slideshow"},
                                          {"fastdecode", "Fast decode"},
                                          {"zerolatency", "Zero latency streaming"}};
    return rows;
}

std::size_t VVCEncoderPresets::indexOf(const std::vector<Row>& rows, const XStr& value,
                                       std::size_t fallback) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (value == rows[i].value) {
            return i;
        }
    }
    return fallback;
}

XStrList VVCEncoderPresets::shownTexts(const std::vector<Row>& rows) {
    XStrList out;
    for (const Row& row : rows) {
        out.emplace_back(row.shown);
    }
    return out;
}
