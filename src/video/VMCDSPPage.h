// An effect's settings page: the argument text comes in with setDspArgs (empty: the
// defaults) and goes out with dspArgs.
#pragma once

#include "VMCPage.h"

class VMCDSPPage : public VMCPage {
public:
    // The argument text of the current settings.
    virtual XStr dspArgs() const = 0;
    // Reads a text into the settings; the empty text gives the defaults.
    virtual void setDspArgs(const XStr& args) = 0;
    // False keeps the settings window open; why says what to fix.
    virtual bool dspValidate(XStr* /*why*/) { return true; }
    // The height the page needs (the window is made 50 higher).
    virtual int requiredHeight() const { return 200; }
};
