#include "VVCDSPPageSharpenBlur.h"

#include "VVCDSPSliderScale.h"
#include "VVCDSPText.h"

namespace {

// The range FFmpeg's unsharp filter takes.
constexpr VVCDSPSliderScale kAmount{-2.0, 5.0, 0.1};

XStr label(double value) {
    return value < 0 ? "Blur " + VVCDSPText::fixed(-value, 1)
                     : "Sharpen " + VVCDSPText::fixed(value, 1);
}

}  // namespace

std::vector<VVCControl> VVCDSPPageSharpenBlur::pageView() const {
    return {VVCControl::slider("amount", "Amount", kAmount.minimumPosition(),
                               kAmount.maximumPosition(), kAmount.positionOf(mValue), label(mValue))
                .withShownValues([](int position) { return label(kAmount.valueAt(position)); })};
}

XStr VVCDSPPageSharpenBlur::dspArgs() const {
    const XStr amount = VVCDSPText::fixed(mValue, 1);
    return "-vf \"unsharp=luma_amount=" + amount + ":chroma_amount=" + amount + "\"";
}

void VVCDSPPageSharpenBlur::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mValue = VVCDSPText::scanFloatAfter(args, "luma_amount=");
}

void VVCDSPPageSharpenBlur::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "amount") {
        mValue = kAmount.valueAt(value.integer);
    }
}
