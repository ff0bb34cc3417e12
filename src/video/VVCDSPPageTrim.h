// Cut: starts the output later and/or ends it after a length.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageTrim : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    // "-ss" with the start and "-t" with the length, each only when set.
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    bool setsStart() const { return mSetStart; }
    bool setsLength() const { return mSetLength; }
    double startMS() const { return mStartMS; }
    double lengthMS() const { return mLengthMS; }

    // hh:mm:ss, with ".mmm" when there are milliseconds; hours may take more digits.
    static XStr exportTime(double ms);
    // h:m:s with an optional fraction, in milliseconds; -1000 for a malformed text.
    static double importTime(const XStr& text);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    // What is kept, in the time texts written.
    XStr summary() const;

    bool mSetStart = false;
    double mStartMS = 0;
    bool mSetLength = false;
    double mLengthMS = 0;
};
