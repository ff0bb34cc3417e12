#include "VVCDSPPageScaleBase.h"

#include <cmath>

#include "VVCDSPText.h"

namespace {

constexpr double kMaxSide = 16384;

}  // namespace

std::optional<VVCDSPPageScaleBase::Size> VVCDSPPageScaleBase::scaleSizeIn(const XStr& text) {
    const std::optional<XStr> rest = VVCDSPText::scanStringAfter(text, "scale=");
    if (!rest) {
        return std::nullopt;
    }
    const auto numbers = VVCDSPText::integersSplitAt(*rest, U':', 2);
    if (!numbers) {
        return std::nullopt;
    }
    return Size{(*numbers)[0], (*numbers)[1]};
}

void VVCDSPPageScaleBase::setPresets(XStrList labels, std::vector<std::optional<Size>> sizes) {
    mLabels = std::move(labels);
    mSizes = std::move(sizes);
}

std::optional<VVCDSPPageScaleBase::Size> VVCDSPPageScaleBase::presetSize(std::size_t index) const {
    return index < mSizes.size() ? mSizes[index] : std::nullopt;
}

VVCDSPPageScaleBase::Size VVCDSPPageScaleBase::currentSize() const {
    if (mCustom) {
        return customSize();
    }
    return presetSize(mSelected).value_or(Size{});
}

std::vector<VVCControl> VVCDSPPageScaleBase::pageView() const {
    const int index = mSelected < mLabels.size() ? static_cast<int>(mSelected) : -1;
    VVCControl width = VVCControl::numberField(kWidthId, "Width", static_cast<double>(mCustomWidth),
                                               1, kMaxSide, 0);
    VVCControl height = VVCControl::numberField(kHeightId, "Height",
                                                static_cast<double>(mCustomHeight), 1, kMaxSide, 0);
    width.enabled = mCustom;
    height.enabled = mCustom;
    return {VVCControl::choice(kPresetId, "Size", mLabels, index),
            VVCControl::checkBox(kCustomId, "Custom size", mCustom), width, height};
}

void VVCDSPPageScaleBase::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kPresetId) {
        mSelected = static_cast<std::size_t>(value.integer);
        if (!mCustom) {
            if (const auto size = presetSize(mSelected)) {
                mCustomWidth = size->width;
                mCustomHeight = size->height;
            }
        }
    } else if (control.id == kCustomId) {
        mCustom = value.integer != 0;
    } else if (control.id == kWidthId) {
        mCustomWidth = std::llround(value.number);
    } else if (control.id == kHeightId) {
        mCustomHeight = std::llround(value.number);
    }
}
