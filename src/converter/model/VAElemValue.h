// One pair of an option list: the option's name and its value (empty for an option
// without value).
#pragma once

#include "XStr.h"

struct VAElemValue {
    XStr element;
    XStr value;

    friend bool operator==(const VAElemValue&, const VAElemValue&) = default;
};
