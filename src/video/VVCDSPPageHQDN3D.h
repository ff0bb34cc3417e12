// Denoiser (High Precision 3D): FFmpeg's hqdn3d filter, each strength from a fixed table.
#pragma once

#include <array>

#include "VMCDSPPage.h"

class VVCDSPPageHQDN3D : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    std::array<std::size_t, 3> indexes() const { return {mIdx1, mIdx2, mIdx3}; }

    static constexpr std::array<double, 29> kStrengths = {
        0.2, 0.4, 0.4, 0.8, 1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12,
        14,  16,  18,  20,  25, 30, 35, 40, 50, 60, 70, 80, 90, 100};
    // A whole value without decimals, any other with one.
    static XStr printed(double value);
    // The first entry within 0.1 of the value, else the first not below it, else 0.
    static std::size_t indexFor(double value);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    std::size_t mIdx1 = 7;
    std::size_t mIdx2 = 6;
    std::size_t mIdx3 = 9;
};
