#include "VVCDSPPageHQDN3D.h"

#include <cmath>

#include "VVCDSPText.h"

namespace {

const int kLast = static_cast<int>(VVCDSPPageHQDN3D::kStrengths.size()) - 1;

XStr strengthAt(std::size_t index) {
    return VVCDSPPageHQDN3D::printed(
        VVCDSPPageHQDN3D::kStrengths[std::min<std::size_t>(index, kLast)]);
}

XStr strengthAtPosition(int position) {
    return strengthAt(static_cast<std::size_t>(position));
}

}  // namespace

XStr VVCDSPPageHQDN3D::printed(double value) {
    if (value == std::floor(value)) {
        return XStr::number(static_cast<int64_t>(value));
    }
    return VVCDSPText::fixed(value, 1);
}

std::size_t VVCDSPPageHQDN3D::indexFor(double value) {
    for (std::size_t i = 0; i < kStrengths.size(); ++i) {
        if (std::fabs(kStrengths[i] - value) < 0.1) {
            return i;
        }
    }
    for (std::size_t i = 0; i < kStrengths.size(); ++i) {
        if (kStrengths[i] >= value) {
            return i;
        }
    }
    return 0;
}

std::vector<VVCControl> VVCDSPPageHQDN3D::pageView() const {
    return {VVCControl::slider("luma-spatial", "Luma spatial", 0, kLast, static_cast<int>(mIdx1),
                               "Luma Spatial " + strengthAt(mIdx1))
                .withShownValues(strengthAtPosition),
            VVCControl::slider("chroma-spatial", "Chroma spatial", 0, kLast,
                               static_cast<int>(mIdx2), "Chroma Spatial " + strengthAt(mIdx2))
                .withShownValues(strengthAtPosition),
            VVCControl::slider("luma-temporal", "Luma temporal", 0, kLast, static_cast<int>(mIdx3),
                               "Luma Temporal " + strengthAt(mIdx3))
                .withShownValues(strengthAtPosition)};
}

XStr VVCDSPPageHQDN3D::dspArgs() const {
    return "-vf hqdn3d='luma_spatial=" + strengthAt(mIdx1) +
           ":chroma_spatial=" + strengthAt(mIdx2) + ":luma_tmp=" + strengthAt(mIdx3) + "'";
}

void VVCDSPPageHQDN3D::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mIdx1 = indexFor(VVCDSPText::scanFloatAfter(args, "luma_spatial="));
    mIdx2 = indexFor(VVCDSPText::scanFloatAfter(args, "chroma_spatial="));
    mIdx3 = indexFor(VVCDSPText::scanFloatAfter(args, "luma_tmp="));
}

void VVCDSPPageHQDN3D::applyControl(const VVCControl& control, const VVCControlValue& value) {
    const auto index = static_cast<std::size_t>(value.integer);
    if (control.id == "luma-spatial") {
        mIdx1 = index;
    } else if (control.id == "chroma-spatial") {
        mIdx2 = index;
    } else if (control.id == "luma-temporal") {
        mIdx3 = index;
    }
}
