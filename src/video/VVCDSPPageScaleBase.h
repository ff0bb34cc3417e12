// What the absolute and the maximum scale pages share: a preset size or a custom one, and
// the preset's size copied into the custom fields while custom is off, so that switching
// to custom starts from it.
#pragma once

#include <optional>

#include "VMCDSPPage.h"

class VVCDSPPageScaleBase : public VMCDSPPage {
public:
    struct Size {
        int64_t width = 0;
        int64_t height = 0;
        friend bool operator==(const Size&, const Size&) = default;
    };

    std::vector<VVCControl> pageView() const override;

    // The two numbers of "scale=W:H" in an argument text, when there are exactly two.
    static std::optional<Size> scaleSizeIn(const XStr& text);

    std::size_t selected() const { return mSelected; }
    bool isCustom() const { return mCustom; }
    Size customSize() const { return {mCustomWidth, mCustomHeight}; }
    const XStrList& presetLabels() const { return mLabels; }

    static constexpr const char* kPresetId = "preset";
    static constexpr const char* kCustomId = "custom";
    static constexpr const char* kWidthId = "width";
    static constexpr const char* kHeightId = "height";

protected:
    // The presets offered; sizes are absent for values without a size.
    void setPresets(XStrList labels, std::vector<std::optional<Size>> sizes);
    std::optional<Size> presetSize(std::size_t index) const;
    // The size written: the custom one, else the selected preset's.
    Size currentSize() const;
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

    std::size_t mSelected = 0;
    bool mCustom = false;
    int64_t mCustomWidth = 1920;
    int64_t mCustomHeight = 1080;

private:
    XStrList mLabels;
    std::vector<std::optional<Size>> mSizes;
};
