#include "VVCDSPPageCanvasSize.h"

#include <cmath>

#include "VVCDSPText.h"

namespace {

constexpr double kMaxSide = 16384;

}  // namespace

const VVCDSPPositions::Texts VVCDSPPageCanvasSize::kPositionTexts = {
    ":0:0",         ":(ow-iw)/2:0",         ":ow-iw:0",
    ":0:(oh-ih)/2", ":(ow-iw)/2:(oh-ih)/2", ":ow-iw:(oh-ih)/2",
    ":0:oh-ih",     ":(ow-iw)/2:oh-ih",     ":ow-iw:oh-ih"};

std::vector<VVCControl> VVCDSPPageCanvasSize::pageView() const {
    return {
        VVCControl::label("description", "Extends canvas size (no video resizing)."),
        VVCControl::numberField("width", "Width", static_cast<double>(mWidth), 1, kMaxSide, 0),
        VVCControl::numberField("height", "Height", static_cast<double>(mHeight), 1, kMaxSide, 0),
        VVCControl::choice("position", "Video position", VVCDSPPositions::labels(),
                           static_cast<int>(mIdxPosition))};
}

XStr VVCDSPPageCanvasSize::dspArgs() const {
    return "-vf \"scale=iw:ih,pad=" + XStr::number(mWidth) + ":" + XStr::number(mHeight) +
           VVCDSPPositions::textAt(kPositionTexts, mIdxPosition) + "\"";
}

void VVCDSPPageCanvasSize::setDspArgs(const XStr& args) {
    const std::optional<XStr> pad = VVCDSPText::scanStringAfterBefore(args, "pad=", "\"");
    if (!pad) {
        return;
    }
    XStrList parts = pad->split(U':');
    if (parts.size() < 2) {
        return;
    }
    mWidth = parts[0].toInt64();
    mHeight = parts[1].toInt64();
    const XStr position = ":" + XStr::join(XStrList(parts.begin() + 2, parts.end()), ":");
    if (const auto index = VVCDSPPositions::indexOf(kPositionTexts, position)) {
        mIdxPosition = *index;
    }
}

void VVCDSPPageCanvasSize::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "width") {
        mWidth = std::llround(value.number);
    } else if (control.id == "height") {
        mHeight = std::llround(value.number);
    } else if (control.id == "position") {
        mIdxPosition = static_cast<std::size_t>(value.integer);
    }
}
