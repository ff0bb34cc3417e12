#include "VVCEncoderPage3GP.h"

#include "VAElemValueList.h"

VVCEncoderPage3GP::VVCEncoderPage3GP(VMCEncoderPageHost* host) : VMCEncoderPage(host) {}

const XStrList& VVCEncoderPage3GP::scaleVals() {
    static const XStrList sizes = {"128x96", "176x144", "352x288", "704x576", "1408x1152"};
    return sizes;
}

XStrList VVCEncoderPage3GP::optionVals() {
    XStrList out;
    for (const XStr& size : scaleVals()) {
        out.push_back("H263 (" + size + ")");
    }
    out.emplace_back("H264");
    return out;
}

void VVCEncoderPage3GP::viewDidLoad() {
    const XStr args = mHost->encoderArgs();
    if (args.empty()) {
        mHost->setEncoderArgs(encoderArgs());
    } else {
        readArgs(args);
    }
}

void VVCEncoderPage3GP::readArgs(const XStr& args) {
    const VAElemValueList list(args);
    const XStr codec = list.findValue("vcodec", XStr());
    if (codec == "libx264") {
        mOptionIndex = kH264Index;
        return;
    }
    const XStr filter = list.findValue("vf", XStr());
    if (codec != "h263" || !filter.startsWith("scale=")) {
        return;
    }
    const XStr size = filter.substr(6);
    const XStrList& sizes = scaleVals();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == size) {
            mOptionIndex = static_cast<unsigned>(i);
            return;
        }
    }
}

std::vector<VVCControl> VVCEncoderPage3GP::pageView() const {
    return {VVCControl::choice("video", "Video", optionVals(), static_cast<int>(mOptionIndex))};
}

XStr VVCEncoderPage3GP::encoderArgs() const {
    if (mOptionIndex >= kH264Index) {
        return " -f 3gp -vcodec libx264 -acodec aac";
    }
    return "-f 3gp -vcodec h263 -vf scale=" + scaleVals()[mOptionIndex] +
           " -acodec amr_nb -ar 8000 -ac 1";
}

void VVCEncoderPage3GP::optionChanged(unsigned index) {
    if (index <= kH264Index) {
        mOptionIndex = index;
    }
    mHost->setEncoderArgs(encoderArgs());
}

void VVCEncoderPage3GP::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "video") {
        optionChanged(static_cast<unsigned>(value.integer));
    }
}
