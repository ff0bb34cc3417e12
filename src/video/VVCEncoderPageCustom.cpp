#include "VVCEncoderPageCustom.h"

void VVCEncoderPageCustom::viewDidLoad() {
    const VAEncoderArgs args = mHost->encoderArgsV2();
    mArguments = args.strArgs;
    mExtension = args.customFormatExt;
}

std::vector<VVCControl> VVCEncoderPageCustom::pageView() const {
    return {VVCControl::textField("arguments", "FFmpeg options", mArguments),
            VVCControl::textField("extension", "Output file extension", mExtension),
            VVCControl::button("help", "Codec documentation")};
}

void VVCEncoderPageCustom::argumentsChanged(const XStr& text) {
    mArguments = text;
    mHost->setEncoderArgs(text);
}

void VVCEncoderPageCustom::extensionChanged(const XStr& extension) {
    mExtension = extension;
    VAEncoderArgs args = mHost->encoderArgsV2();
    args.customFormatExt = extension;
    mHost->setEncoderArgsV2(args);
}

void VVCEncoderPageCustom::showHelp() const {
    openURL(kHelpURL);
}

void VVCEncoderPageCustom::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "arguments") {
        argumentsChanged(value.text);
    } else if (control.id == "extension") {
        extensionChanged(value.text);
    } else if (control.id == "help") {
        showHelp();
    }
}
