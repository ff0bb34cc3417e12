// The description of one effect: its catalogue name and whether the add-effect menu
// offers it.
#pragma once

#include "XStr.h"

struct VADSPDesc {
    bool hidden = false;
    bool isAudioCD = false;
    XStr path;
    XStr name;

    static VADSPDesc makeVideoDSP(const XStr& name, bool enabled = true);

    friend bool operator==(const VADSPDesc&, const VADSPDesc&) = default;
};
