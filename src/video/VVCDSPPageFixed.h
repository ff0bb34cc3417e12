// An effect page without settings: it always writes the same text (empty for the actions
// the engine carries out itself) and reads nothing back.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageFixed : public VMCDSPPage {
public:
    VVCDSPPageFixed(XStr args, XStr description)
        : mArgs(std::move(args)), mDescription(std::move(description)) {}

    std::vector<VVCControl> pageView() const override {
        return {VVCControl::label("description", mDescription)};
    }
    XStr dspArgs() const override { return mArgs; }
    void setDspArgs(const XStr& /*args*/) override {}

protected:
    void applyControl(const VVCControl& /*control*/, const VVCControlValue& /*value*/) override {}

private:
    XStr mArgs;
    XStr mDescription;
};
