// The rate control most video encoders share: constant quality (CRF), constant or average
// bitrate, a fixed quantiser scale, or lossless, set with one slider whose meaning follows
// the mode. Pages of single encoders build on it and add their codec and audio options.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "VMCEncoderPage.h"
#include "XStr.h"

class VVCEncoderPageCommon : public VMCEncoderPage {
public:
    static constexpr uint32_t kModeNone = 0;
    static constexpr uint32_t kModeCRF = 1;
    static constexpr uint32_t kModeCBR = 2;
    static constexpr uint32_t kModeABR = 3;
    static constexpr uint32_t kModeQScale = 4;
    static constexpr uint32_t kModeLossless = 5;

    static constexpr const char* kQualityId = "quality";
    static constexpr const char* kRateControlId = "rate-control";

    explicit VVCEncoderPageCommon(VMCEncoderPageHost* host);

    // Reads the host's text, or with an empty one fills the defaults and writes them.
    void viewDidLoad() override;
    // The quality slider.
    std::vector<VVCControl> pageView() const override;

    // The page's whole argument text; here the rate control alone, empty without a mode.
    virtual XStr encoderArgs() const;
    // Reads the settings from a text; here the rate control.
    virtual void setEncoderArgs(const XStr& args);
    // The settings of a new encoder; the pages built on this one choose them.
    virtual void fillDefaultArgs() {}

    void setCRF(uint32_t crf);
    void setQScale(uint32_t qscale);
    void setConstantBitrateStr(const XStr& bitrate);
    void setAverageBitrateStr(const XStr& bitrate);
    void setLossless();

    uint32_t CRF() const;
    uint32_t QScale() const;
    XStr bitrateStr() const;
    // Empty beyond the table.
    XStr bitrateUserStr() const;
    XStr constantBitrateStr() const { return bitrateStr(); }
    XStr averageBitrateStr() const { return bitrateStr(); }

    uint32_t mode() const { return mMode; }
    bool isCRF() const { return mMode == kModeCRF; }
    bool isCBR() const { return mMode == kModeCBR; }
    bool isABR() const { return mMode == kModeABR; }
    bool isQScale() const { return mMode == kModeQScale; }
    bool isLossless() const { return mMode == kModeLossless; }

    // Mode changes the user asks for: the mode's last value comes back, else its default.
    void switchToCRF();
    void switchToCBR();
    void switchToABR();
    void switchToQScale();
    void switchToLossless();
    void switchToMode(uint32_t mode);

    void setDefCRF();
    void setDefQScale();
    void setDefABR();
    void setDefCBR();

    // Writes the whole argument text to the host.
    void onChanged();
    // The user moved the slider.
    void onSliderChanged(int position);

    int sliderPosition() const { return mPosition; }
    int sliderMinimum() const { return 0; }
    int sliderMaximum() const { return mMaximum; }
    bool sliderEnabled() const { return mEnabled; }
    // Empty without a mode.
    XStr sliderLabel() const;

    // What a rate-control choice shows for a mode.
    static XStr modeTitle(uint32_t mode);

protected:
    // The rate-control options of the current mode, empty without one.
    XStr rateControlArgs() const;
    VVCControl qualityControl() const;
    // A page's rate-control choice offering the given modes in that order.
    static VVCControl rateControlChoice(const std::vector<uint32_t>& modes, unsigned index);
    // Where the current mode stands in a page's choice, if it is there.
    std::optional<unsigned> indexOfMode(const std::vector<uint32_t>& modes) const;

    // Takes the quality slider; the pages built on this one pass on what they do not take.
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void setMode(uint32_t mode);
    void setSliderPosition(int position);
    void setBitrateStr(uint32_t mode, const XStr& bitrate);
    void fetchLastVal();

    uint32_t mMode = kModeNone;
    int mPosition = 0;
    int mMaximum = 0;
    bool mEnabled = false;
    std::optional<XStr> mLastBitrateStr;
    std::optional<uint32_t> mLastCRF;
    std::optional<uint32_t> mLastQScale;
};
