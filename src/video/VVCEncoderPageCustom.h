// FFmpeg options typed by the user, with the output file's extension.
#pragma once

#include "VMCEncoderPage.h"

class VVCEncoderPageCustom : public VMCEncoderPage {
public:
    explicit VVCEncoderPageCustom(VMCEncoderPageHost* host) : VMCEncoderPage(host) {}

    // Shows the host's text and extension; a new encoder's are empty and stay so.
    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    // Every edit goes to the host at once.
    void argumentsChanged(const XStr& text);
    void extensionChanged(const XStr& extension);
    void showHelp() const;

    const XStr& arguments() const { return mArguments; }
    const XStr& extension() const { return mExtension; }

    static constexpr const char* kHelpURL = "https://ffmpeg.org/ffmpeg-codecs.html";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    XStr mArguments;
    XStr mExtension;
};
