// The arguments of one encoder: its FFmpeg argument text, the extension typed for the
// custom encoder, and the page's own key/value settings.
#pragma once

#include <map>

#include "XStr.h"

struct VAEncoderArgs {
    XStr strArgs;
    XStr customFormatExt;
    std::map<XStr, XStr> frontendData;

    VAEncoderArgs copy() const { return *this; }
    void copyFrom(const VAEncoderArgs& other) { *this = other; }

    friend bool operator==(const VAEncoderArgs&, const VAEncoderArgs&) = default;
};
