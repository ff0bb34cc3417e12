// One row of an encoder picker: an encoder name, or a separator. The logo of a row is
// looked up by its title.
#pragma once

#include "XStr.h"

struct VAEncoderPickerItem {
    XStr title;
    bool separator = false;

    static VAEncoderPickerItem makeSeparator() { return VAEncoderPickerItem{XStr(), true}; }

    friend bool operator==(const VAEncoderPickerItem&, const VAEncoderPickerItem&) = default;
};
