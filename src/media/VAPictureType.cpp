#include "VAPictureType.h"

#include <array>

namespace {

constexpr int kFrontCover = 3;

constexpr std::array<const char*, 21> kNames = {
    "",
    "32x32 Icon",
    "Other Icon",
    "Front Album Cover",
    "Back Album Cover",
    "Leaflet Page",
    "Media",
    "Lead Artist",
    "Artist",
    "Conductor",
    "Band",
    "Composer",
    "Writer",
    "Recording Location",
    "During Recording",
    "During Performance",
    "Video Capture",
    "",
    "Illustration",
    "Artist Logo",
    "Publisher Logo",
};

}  // namespace

XStr VAPictureType::nameOf(int type) {
    if (type < 1 || type >= static_cast<int>(kNames.size())) {
        return XStr();
    }
    return kNames[static_cast<std::size_t>(type)];
}

int VAPictureType::typeOf(const XStr& name) {
    if (name.empty()) {
        return kFrontCover;
    }
    for (std::size_t i = 1; i < kNames.size(); ++i) {
        if (name == kNames[i]) {
            return static_cast<int>(i);
        }
    }
    return kFrontCover;
}
