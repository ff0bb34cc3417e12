#include "VVCDSPPageWatermark.h"

#include <sys/stat.h>

#include "VAElemValueList.h"

namespace {

const XStr kOverlay = "overlay=";

}  // namespace

const VVCDSPPositions::Texts VVCDSPPageWatermark::kCoordinates = {
    "0:0",
    "(main_w-overlay_w)/2:0",
    "main_w-overlay_w:0",
    "0:(main_h-overlay_h)/2",
    "(main_w-overlay_w)/2:(main_h-overlay_h)/2",
    "main_w-overlay_w:(main_h-overlay_h)/2",
    "0:main_h-overlay_h",
    "(main_w-overlay_w)/2:main_h-overlay_h",
    "main_w-overlay_w:main_h-overlay_h"};

std::vector<VVCControl> VVCDSPPageWatermark::pageView() const {
    return {VVCControl::fileField("image", "Image", mImagePath, {"png"}),
            VVCControl::choice("position", "Position", VVCDSPPositions::labels(),
                               static_cast<int>(mComboIndex))};
}

XStr VVCDSPPageWatermark::dspArgs() const {
    VAElemValueList list;
    if (!mImagePath.empty()) {
        list.addElem("i", mImagePath);
    }
    list.addElem("filter_complex", kOverlay + VVCDSPPositions::textAt(kCoordinates, mComboIndex));
    return list.mergeToString_alternate();
}

void VVCDSPPageWatermark::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    const VAElemValueList list(args);
    mImagePath = list.findValue("i", XStr());
    const XStr filter = list.findValue("filter_complex", XStr());
    if (filter.startsWith(kOverlay)) {
        if (const auto index =
                VVCDSPPositions::indexOf(kCoordinates, filter.substr(kOverlay.size()))) {
            mComboIndex = *index;
        }
    }
}

bool VVCDSPPageWatermark::dspValidate(XStr* why) {
    XStr problem;
    struct stat st {};
    if (mImagePath.empty()) {
        problem = "Choose a PNG image for the watermark.";
    } else if (!mImagePath.lowerASCII().endsWith(".png")) {
        problem = "The watermark image must be a PNG file: " + mImagePath;
    } else if (stat(mImagePath.utf8().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        problem = "The watermark image does not exist: " + mImagePath;
    }
    if (problem.empty()) {
        return true;
    }
    if (why != nullptr) {
        *why = problem;
    }
    return false;
}

void VVCDSPPageWatermark::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "image") {
        mImagePath = value.text;
    } else if (control.id == "position") {
        mComboIndex = static_cast<std::size_t>(value.integer);
    }
}
