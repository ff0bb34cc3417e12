// [Custom]: FFmpeg options typed by the user, passed on exactly as typed.
#pragma once

#include <optional>

#include "VMCDSPPage.h"

class VVCDSPPageCustom : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override {
        return {VVCControl::textField("arguments", "FFmpeg options", mArgs.value_or(XStr())),
                VVCControl::button("help", "Filter documentation")};
    }
    XStr dspArgs() const override { return mArgs.value_or(XStr()); }
    void setDspArgs(const XStr& args) override { mArgs = args; }

    static constexpr const char* kHelpURL = "https://ffmpeg.org/ffmpeg-filters.html";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override {
        if (control.id == "arguments") {
            mArgs = value.text;
        } else if (control.id == "help") {
            openURL(kHelpURL);
        }
    }

private:
    // Nothing until the user types or a text is read.
    std::optional<XStr> mArgs;
};
