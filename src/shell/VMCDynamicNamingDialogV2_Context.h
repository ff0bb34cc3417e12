// What the dynamic naming dialog knows besides the template: the active profile and its
// encoder, for the sample example, and optionally one real source with its probe record,
// for an example made from the user's own file.
#pragma once

#include <memory>

#include "VAMediaFileInfo.h"
#include "XStr.h"

struct VMCDynamicNamingDialogV2_Context {
    // The settings key of the active profile.
    XStr activeProfileReg;
    XStr encoderName;
    // The encoder's argument text: "[encoder+]" shows it after the encoder's name.
    XStr encoderSettings;
    // The extension the encoder writes, with its point; empty (or "ignore") for none.
    XStr formatExtension;
    XStr dspEffectsString;
    // A real source and its probe record; the record is null until the source is probed.
    XStr exampleURL;
    std::shared_ptr<const VAMediaFileInfo> exampleMeta;
};
